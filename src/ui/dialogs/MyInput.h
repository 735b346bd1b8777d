#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <string>

#include "core/platform/Platform.h"

namespace vokamo {

// The name dialog: asks for the player name and the record name.
class TfrmInput : public QDialog, public NamePrompt {
    Q_OBJECT

public:
    explicit TfrmInput(ErrorBox& errors, QWidget* parent = nullptr);

    // Shows the dialog modally; the answer (Shift-JIS) is empty when the
    // learner cancelled or closed it.
    std::string Ask(const std::string& caption, const std::string& prompt) override;

    // The dialog's own steps, public so that tests can drive a shown dialog.
    void BitBtn1Click();  // OK
    void BitBtn2Click();  // Cancel
    const std::string& Answer() const { return answer_; }

    QLabel* Label1;
    QLabel* lblRefused;  // why a typed character was refused
    QLineEdit* MaskEdit1;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

protected:
    void showEvent(QShowEvent* event) override;

private:
    ErrorBox& errors_;
    std::string caption_;
    std::string prompt_;
    std::string answer_;
};

}  // namespace vokamo

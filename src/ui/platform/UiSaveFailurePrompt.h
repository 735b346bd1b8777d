#pragma once

#include <QDialog>
#include <QPointer>

#include "core/platform/Platform.h"

class QWidget;

namespace vokamo {

// The questions after a failed save at the end, as message boxes, and the
// file dialog for another place.
class UiSaveFailurePrompt : public SaveFailurePrompt {
public:
    explicit UiSaveFailurePrompt(QWidget* parent);
    FailedSaveChoice AskAfterFailedSave(const std::string& utf8Message) override;
    bool ConfirmEndWithoutSaving(const std::string& utf8Message) override;
    std::optional<std::string> ChooseSaveFile(const std::string& title, const std::string& filter) override;
    // Rejects the box or file dialog that is open, if any.
    void CloseQuestion() override;

private:
    QWidget* parent_;
    QPointer<QDialog> open_;
};

// A go-on-or-stop question as a message box; stopping is the default, so
// that a pupil who only presses Enter risks nothing.
class UiGoOnPrompt : public GoOnPrompt {
public:
    explicit UiGoOnPrompt(QWidget* parent);
    bool AskGoOn(const std::string& utf8Message) override;

private:
    QWidget* parent_;
};

}  // namespace vokamo

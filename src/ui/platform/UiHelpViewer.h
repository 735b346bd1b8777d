#pragma once

#include <QPointer>
#include <QString>

#include "core/platform/Platform.h"

class QTextBrowser;
class QWidget;

namespace vokamo {

// The help file as HTML: a file of that name in the current folder (a
// teacher's own help) or else the one built into the program. Empty when
// neither exists.
QString LoadHelpText(const QString& fileName);

// Shows the help in a window of its own that stays open beside the program
// (not modal), reused on every call.
class UiHelpViewer : public HelpViewer {
public:
    explicit UiHelpViewer(QWidget* parent);
    void ShowHelp(const std::string& fileName) override;

    // The window, once help has been shown.
    QTextBrowser* Window() const { return browser_; }

private:
    QWidget* parent_;
    QPointer<QTextBrowser> browser_;
};

}  // namespace vokamo

#include "ui/platform/UiErrorBox.h"

#include <QMessageBox>
#include <QString>

#include "core/state/FileGuard.h"

namespace vokamo {

namespace {

constexpr size_t MessageBoxBytes = 2000;

}  // namespace

UiErrorBox::UiErrorBox(QWidget* parentWidget) : parent_(parentWidget) {}

void UiErrorBox::ShowError(const std::string& utf8Message) {
    // Our messages shorten the paths they quote; one from elsewhere (the file
    // system library names whole paths) is held to a size the box can show.
    QMessageBox::critical(parent_, QString::fromUtf8(MessageCaption),
                          QString::fromStdString(ShortenForMessage(utf8Message, MessageBoxBytes)));
}

}  // namespace vokamo

#include "ui/platform/UiSaveFailurePrompt.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "ui/platform/UiErrorBox.h"
#include "ui/platform/UiFileChooser.h"

namespace vokamo {

UiSaveFailurePrompt::UiSaveFailurePrompt(QWidget* parent) : parent_(parent) {}

FailedSaveChoice UiSaveFailurePrompt::AskAfterFailedSave(const std::string& utf8Message) {
    QMessageBox box(QMessageBox::Critical, QString::fromUtf8(MessageCaption),
                    QString::fromStdString(utf8Message), QMessageBox::NoButton, parent_);
    box.setObjectName(QStringLiteral("boxFailedSave"));
    QPushButton* again = box.addButton(QStringLiteral("もう一度保存する"), QMessageBox::AcceptRole);
    QPushButton* elsewhere = box.addButton(QStringLiteral("別の名前で保存..."), QMessageBox::ActionRole);
    QPushButton* end = box.addButton(QStringLiteral("保存しないで終わる"), QMessageBox::DestructiveRole);
    again->setObjectName(QStringLiteral("btnTryAgain"));
    elsewhere->setObjectName(QStringLiteral("btnSaveElsewhere"));
    end->setObjectName(QStringLiteral("btnEndWithoutSaving"));
    // Closing the box is no choice to lose the session.
    box.setDefaultButton(again);
    box.setEscapeButton(again);
    open_ = &box;
    box.exec();
    open_ = nullptr;
    if (box.clickedButton() == elsewhere) return FailedSaveChoice::SaveElsewhere;
    if (box.clickedButton() == end) return FailedSaveChoice::EndWithoutSaving;
    return FailedSaveChoice::TryAgain;
}

bool UiSaveFailurePrompt::ConfirmEndWithoutSaving(const std::string& utf8Message) {
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(MessageCaption),
                    QString::fromStdString(utf8Message), QMessageBox::NoButton, parent_);
    box.setObjectName(QStringLiteral("boxEndWithoutSaving"));
    QPushButton* end = box.addButton(QStringLiteral("保存しないで終わる"), QMessageBox::DestructiveRole);
    QPushButton* back = box.addButton(QStringLiteral("戻る"), QMessageBox::RejectRole);
    end->setObjectName(QStringLiteral("btnConfirmEnd"));
    back->setObjectName(QStringLiteral("btnBack"));
    box.setDefaultButton(back);
    box.setEscapeButton(back);
    open_ = &box;
    box.exec();
    open_ = nullptr;
    return box.clickedButton() == end;
}

void UiSaveFailurePrompt::CloseQuestion() {
    if (open_) open_->reject();
}

UiGoOnPrompt::UiGoOnPrompt(QWidget* parent) : parent_(parent) {}

bool UiGoOnPrompt::AskGoOn(const std::string& utf8Message) {
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(MessageCaption),
                    QString::fromStdString(utf8Message), QMessageBox::NoButton, parent_);
    box.setObjectName(QStringLiteral("boxGoOn"));
    QPushButton* goOn = box.addButton(QStringLiteral("続ける"), QMessageBox::AcceptRole);
    QPushButton* stop = box.addButton(QStringLiteral("やめる"), QMessageBox::RejectRole);
    goOn->setObjectName(QStringLiteral("btnGoOn"));
    stop->setObjectName(QStringLiteral("btnStop"));
    box.setDefaultButton(stop);
    box.setEscapeButton(stop);
    box.exec();
    return box.clickedButton() == goOn;
}

std::optional<std::string> UiSaveFailurePrompt::ChooseSaveFile(const std::string& title,
                                                               const std::string& filter) {
    QFileDialog dialog(parent_, QString::fromStdString(title), QDir::homePath(), QtFileFilter(filter));
    dialog.setObjectName(QStringLiteral("dlgSaveElsewhere"));
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("ret"));
    open_ = &dialog;
    auto chosen = ExecForUsablePath(dialog);
    open_ = nullptr;
    return chosen;
}

}  // namespace vokamo

#include "ui/platform/UiFileChooser.h"

#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <QScreen>
#include <QSplitter>
#include <QTreeView>

#include "core/records/RecordName.h"
#include "core/state/FileGuard.h"
#include "ui/platform/UiErrorBox.h"
#include "ui/platform/UiMemory.h"
#include "ui/platform/UiText.h"

namespace vokamo {

QString QtFileFilter(const std::string& utf8Filter) {
    const QString filter = QString::fromStdString(utf8Filter);
    if (!filter.contains(QLatin1Char('|'))) return filter;
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        // Patterns in the program's form are separated by ';'; Qt separates them by spaces.
        const QString pattern = parts[i + 1].trimmed().replace(QLatin1Char(';'), QLatin1Char(' '));
        entries << QStringLiteral("%1 (%2)").arg(description, pattern);
    }
    return entries.join(QStringLiteral(";;"));
}

std::optional<std::string> CorePath(const QString& path) {
    bool ok = false;
    std::string sjis = FromQt(QDir::toNativeSeparators(path), &ok);
    if (!ok) return std::nullopt;
    return sjis;
}

UiFileChooser::UiFileChooser(QWidget* parentWidget) : parent_(parentWidget) {}

std::optional<std::string> UiFileChooser::ChooseFile(const std::string& title, const std::string& filter) {
    auto chosen = RunDialog(title, filter);
    // The dialog's folder model, icons and helper thread leave megabytes of
    // freed heap and touched code behind; hand them back, since the program
    // runs for hours on small school machines.
    GiveBackMemory();
    return chosen;
}

std::optional<std::string> UiFileChooser::RunDialog(const std::string& title, const std::string& filter) {
    QFileDialog dialog(parent_, QString::fromStdString(title), QDir::currentPath(), QtFileFilter(filter));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    return ExecForUsablePath(dialog);
}

std::optional<std::string> ExecForUsablePath(QFileDialog& dialog) {
    // The same dialog on every desktop, and one that tests and the start-up
    // measurement can drive.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // Every column as wide as its longest entry: question files have long
    // names that differ only at the end ("333 ... 1.dat", "333 ... 2.dat").
    if (auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView")))
        details->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // Room for the name, size, type and date side by side, within the screen.
    QSize size = dialog.size().expandedTo(QSize(900, 480));
    if (const QScreen* screen = dialog.screen()) size = size.boundedTo(screen->availableGeometry().size());
    dialog.resize(size);
    if (auto* split = dialog.findChild<QSplitter*>(QStringLiteral("splitter")))
        split->setSizes({160, size.width() - 160});
    for (;;) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
        const QString chosen = dialog.selectedFiles().constFirst();
        // The record and data files keep their paths in Shift-JIS: a name that
        // cannot be written there, or that would open another file when read
        // back, could never be opened again.
        const std::string problem = ChosenPathProblem(chosen.toStdString());
        if (problem.empty())
            if (auto path = CorePath(chosen)) return path;
        QMessageBox::warning(&dialog, QString::fromUtf8(MessageCaption),
                             QString::fromStdString(problem) + QStringLiteral("\n\n") +
                                 QString::fromStdString(ShortenForMessage(chosen.toStdString())));
    }
}

}  // namespace vokamo

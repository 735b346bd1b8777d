#include "ui/platform/UiProgramFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>

#include "core/records/WorkFolder.h"
#include "ui/platform/UiErrorBox.h"

#ifndef VOKAMO_DATA_FROM_BIN
#define VOKAMO_DATA_FROM_BIN "../share/vokamo"
#endif

namespace vokamo {

Q_LOGGING_CATEGORY(FilesLog, "vokamo.files", QtWarningMsg)

namespace {

std::filesystem::path ToPath(const QString& s) {
    return std::filesystem::path(s.toStdString());
}

}  // namespace

QStringList ProgramFileDirs(const QString& kind) {
    if (!QCoreApplication::instance()) return {};
    const QDir programDir(QCoreApplication::applicationDirPath());
    // VOKAMO_DATA_FROM_BIN is the install layout's path from bin/ to the data
    // folder ("../share/vokamo"), never a path of the machine that built it.
    return {QDir::cleanPath(programDir.filePath(QStringLiteral(VOKAMO_DATA_FROM_BIN "/") + kind)),
            QDir::cleanPath(programDir.filePath(kind))};
}

QStringList ProgramSoundDirs() {
    return ProgramFileDirs(QStringLiteral("sounds"));
}

QTranslator* InstallQtTranslations(QCoreApplication& app, const QLocale& locale) {
    const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto* qtTexts = new QTranslator(&app);
    if (!qtTexts->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), dir)) {
        qCInfo(FilesLog).noquote() << "qt texts none for" << locale.name() << "in" << dir;
        delete qtTexts;
        return nullptr;
    }
    app.installTranslator(qtTexts);
    qCInfo(FilesLog).noquote() << "qt texts" << qtTexts->filePath();
    return qtTexts;
}

QString WorkFolderPath(const QString& given) {
    if (!given.isEmpty()) return QDir::cleanPath(QDir::current().absoluteFilePath(given));
    const QString chosen = qEnvironmentVariable("VOKAMO_HOME");
    if (!chosen.isEmpty()) return QDir::cleanPath(QDir::current().absoluteFilePath(chosen));
    const QString home = qEnvironmentVariable("HOME");
    if (home.isEmpty()) return {};
    return QDir::cleanPath(QDir(home).filePath(QStringLiteral("Vokamo")));
}

QStringList EnterWorkFolder(bool home, const QString& given) {
    if (!home) {
        qCInfo(FilesLog).noquote() << "folder" << QDir::currentPath();
        return {};
    }
    QStringList problems;
    const QString folder = WorkFolderPath(given);
    if (folder.isEmpty()) {
        problems << QString::fromUtf8(
            "ホーム フォルダーが決まっていない（HOME が空の）ため、Vokamo のフォルダーを作れません。");
    } else {
        QString samples;
        for (const QString& dir : ProgramFileDirs(QStringLiteral("samples")))
            if (QDir(dir).exists()) {
                samples = dir;
                break;
            }
        if (samples.isEmpty()) samples = ProgramFileDirs(QStringLiteral("samples")).value(0);
        const WorkFolder prepared = PrepareWorkFolder(ToPath(folder), ToPath(samples));
        for (const std::string& p : prepared.problems) problems << QString::fromStdString(p);
        for (const std::string& name : prepared.copied)
            qCInfo(FilesLog).noquote() << "sample copied" << QString::fromStdString(name);
        if (prepared.usable && !QDir::setCurrent(folder))
            problems << QString::fromUtf8("Vokamo のフォルダー「%1」に入れませんでした。").arg(folder);
    }
    if (!problems.isEmpty())
        problems << QString::fromUtf8("いまは「%1」で作業します。成績はここに保存されます。")
                        .arg(QDir::currentPath());
    qCInfo(FilesLog).noquote() << "folder" << QDir::currentPath();
    return problems;
}

QStringList MissingSoundsProblem(const QStringList& missing, const QStringList& unusable) {
    QStringList problems;
    if (!unusable.isEmpty())
        problems << QString::fromUtf8("次の効果音のファイルはありますが、使えません。\n%1")
                        .arg(unusable.join(QStringLiteral("\n")));
    if (missing.isEmpty()) return problems;
    // Only the program's folders that are there: the build folder's place
    // means nothing in an installed tree, and the other way round.
    QStringList searched{QDir::currentPath()};
    const QStringList programDirs = ProgramSoundDirs();
    for (const QString& dir : programDirs)
        if (QDir(dir).exists()) searched << dir;
    if (searched.size() == 1) searched << programDirs.value(0);
    problems << QString::fromUtf8(
                    "効果音のファイル（%1）が見つからないため、音が鳴りません。ほかはふつうに使えます。\n"
                    "探した場所: %2")
                    .arg(missing.join(QStringLiteral(", ")), searched.join(QStringLiteral(", ")));
    return problems;
}

void ShowStartProblems(QWidget* parent, const QStringList& problems) {
    if (problems.isEmpty()) return;
    const QString text = problems.join(QStringLiteral("\n\n"));
    qWarning().noquote() << text;
    // Not modal: the program goes on, the teacher reads it when she likes.
    auto* box = new QMessageBox(QMessageBox::Warning, QString::fromUtf8(MessageCaption), text,
                                QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
}

}  // namespace vokamo

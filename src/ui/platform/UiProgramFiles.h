#pragma once

#include <QLocale>
#include <QLoggingCategory>
#include <QString>
#include <QStringList>

class QCoreApplication;
class QTranslator;
class QWidget;

namespace vokamo {

// Where the program's own files were found. Off by default; switched on with
// QT_LOGGING_RULES="vokamo.files.info=true", which is how a technician (and
// the package test) sees which sounds, help and folder the program took.
Q_DECLARE_LOGGING_CATEGORY(FilesLog)

// The folders that may hold the program's own files of one kind ("sounds",
// "samples"), best first: share/vokamo/<kind> beside the bin/ folder of an
// installed program, then <kind> next to the program itself, as in the build
// folder. Both are found from the program's own location, so an installed
// tree works wherever it was unpacked.
QStringList ProgramFileDirs(const QString& kind);

// The folders the sound player looks in after the current folder.
QStringList ProgramSoundDirs();

// Loads Qt's own texts (dialog buttons, labels, context menus) for the
// system's language, so that a Japanese desktop gets Japanese file dialogs.
// Returns the installed translator (owned by `app`), or nullptr when Qt has
// no texts for that language here.
QTranslator* InstallQtTranslations(QCoreApplication& app, const QLocale& locale = QLocale());

// The pupil's own folder: the one given (relative to the current folder),
// else $VOKAMO_HOME, else ~/Vokamo.
QString WorkFolderPath(const QString& given = {});

// With `home` ("--home [DIR]"; the desktop menu starts the program so) makes
// the pupil's own folder, WorkFolderPath(given), on first start, copies the
// sample question files into it and makes it the current folder. Without it the program works
// in the folder it was started in. Returns what went wrong, in Japanese; the
// program then goes on in the current folder.
QStringList EnterWorkFolder(bool home, const QString& given = {});

// The messages for sounds the player could not find and for sound files
// that are there but cannot be played (each line naming its file and
// reason); empty when neither.
QStringList MissingSoundsProblem(const QStringList& missing, const QStringList& unusable = {});

// Tells the teacher what went wrong while starting, without stopping the
// program: a message box over `parent`, and the same on stderr.
void ShowStartProblems(QWidget* parent, const QStringList& problems);

}  // namespace vokamo

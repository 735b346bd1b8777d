#include "ui/platform/UiSoundPlayer.h"

#include <sys/timerfd.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QSocketNotifier>
#include <QtEndian>
#include <algorithm>
#include <array>
#include <cerrno>
#include <string_view>
#include <utility>

#include "core/state/Errors.h"
#include "core/state/FileGuard.h"
#include "ui/platform/UiProgramFiles.h"
#include "ui/platform/UiSoundBackend.h"

namespace vokamo {

namespace {

// The sounds the program plays; loaded up front so that the first click
// already sounds without the decoding delay.
constexpr std::array<const char*, 7> ProgramSounds = {"button.wav", "button2.wav", "change.wav", "huku.wav",
                                                      "piyo.wav",   "piyo1.wav",   "oldng.wav"};

quint32 U32(const char* p) {
    return qFromLittleEndian<quint32>(p);
}
quint16 U16(const char* p) {
    return qFromLittleEndian<quint16>(p);
}

qint64 Stamp(const QFileInfo& info) {
    return info.lastModified().toMSecsSinceEpoch() * 31 + info.size();
}

// The length of the PCM WAV sound in bytes, walking its chunks: "fmt "
// gives the byte rate, "data" the length. Other chunks (LIST, fact) may
// stand between them.
std::optional<int> DurationOf(std::string_view bytes) {
    if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE")
        return std::nullopt;
    quint32 byteRate = 0;
    size_t pos = 12;
    while (pos + 8 <= bytes.size()) {
        const std::string_view id = bytes.substr(pos, 4);
        const quint64 size = U32(bytes.data() + pos + 4);
        pos += 8;
        if (id == "fmt ") {
            if (size < 16 || pos + 16 > bytes.size()) return std::nullopt;
            byteRate = U32(bytes.data() + pos + 8);
            if (U16(bytes.data() + pos + 12) == 0) return std::nullopt;  // block align
        } else if (id == "data") {
            if (byteRate == 0) return std::nullopt;
            const quint64 present = std::min<quint64>(size, bytes.size() - pos);
            return static_cast<int>(present * 1000 / byteRate);
        }
        pos += size + (size & 1);
    }
    return std::nullopt;
}

QString Quoted(const QString& path) {
    return QStringLiteral("「") + path + QStringLiteral("」");
}

}  // namespace

SoundFile InspectSound(const QString& path) {
    SoundFile result;
    const std::string fsPath = QFile::encodeName(path).toStdString();
    std::string bytes;
    try {
        const int fd = OpenForReading(fsPath, path.toStdString(), MaxSoundBytes);
        if (fd < 0) {
            result.problem =
                Quoted(path) +
                QString::fromUtf8("を開けません（%1）。").arg(QString::fromStdString(JapaneseReason(errno)));
            return result;
        }
        int err = 0;
        const ReadEnd end = ReadBounded(fd, MaxSoundBytes, bytes, err);
        ::close(fd);
        if (end == ReadEnd::Failed)
            result.problem =
                Quoted(path) +
                QString::fromUtf8("を読めません（%1）。").arg(QString::fromStdString(JapaneseReason(err)));
        if (end == ReadEnd::TooLarge)
            result.problem =
                QString::fromStdString(TooLargeMessage(path.toStdString(), bytes.size(), MaxSoundBytes));
        if (end != ReadEnd::Whole) return result;
    } catch (const std::exception& e) {
        // A folder, a device or a pipe, or a file too large to be a sound.
        result.problem = QString::fromUtf8(e.what());
        return result;
    }
    result.durationMs = DurationOf(bytes);
    if (!result.durationMs)
        result.problem = Quoted(path) + QString::fromUtf8("は、鳴らせる WAV 形式の音ではありません。");
    return result;
}

std::optional<int> WavDurationMs(const QString& path) {
    return InspectSound(path).durationMs;
}

#ifndef VOKAMO_MODULE_DIR_FROM_BIN
#define VOKAMO_MODULE_DIR_FROM_BIN "../lib/vokamo"
#endif

QStringList UiSoundPlayer::DefaultModuleDirs() {
    if (!QCoreApplication::instance()) return {};
    const QDir exe(QCoreApplication::applicationDirPath());
    return {exe.path(), QDir::cleanPath(exe.filePath(QString::fromUtf8(VOKAMO_MODULE_DIR_FROM_BIN)))};
}

UiSoundPlayer::UiSoundPlayer() : UiSoundPlayer(ProgramSoundDirs()) {}

UiSoundPlayer::UiSoundPlayer(QStringList dirs, QStringList moduleDirs)
    : programDirs_(std::move(dirs)), moduleDirs_(std::move(moduleDirs)) {
    audioThread_.setObjectName(QStringLiteral("vokamo-audio"));
}

UiSoundPlayer::~UiSoundPlayer() {
    if (!audio_) return;
    // The effects must die on the thread that feeds them.
    QMetaObject::invokeMethod(
        audio_,
        [this] {
            delete backend_;
            delete audio_;
        },
        Qt::BlockingQueuedConnection);
    audioThread_.quit();
    audioThread_.wait();
}

void UiSoundPlayer::Start() {
    if (audio_) return;
    audio_ = new QObject;
    audio_->moveToThread(&audioThread_);
    audioThread_.start();
    // Everything the backend does, its loading included, happens on the audio
    // thread in the order asked, so plays asked for meanwhile wait their turn.
    QMetaObject::invokeMethod(
        audio_, [this] { LoadBackend(); }, Qt::QueuedConnection);
    Preload();
}

void UiSoundPlayer::LoadBackend() {
    for (const QString& dir : moduleDirs_) {
        QLibrary module(QDir(dir).filePath(QStringLiteral("vokamo_sound")));
        if (!module.load()) continue;
        // The module stays loaded for the rest of the run (QLibrary's
        // destructor does not unload it).
        if (auto create =
                reinterpret_cast<CreateSoundBackendFunction>(module.resolve(CreateSoundBackendName)))
            backend_ = create();
        if (backend_) {
            qCInfo(FilesLog).noquote() << "sound module" << module.fileName();
            break;
        }
    }
    if (!backend_)
        qWarning("vokamo: no sound module (vokamo_sound) in %s", qPrintable(moduleDirs_.join(u", ")));
    backendLoaded_ = backend_ != nullptr;
    backendTried_.release();
}

bool UiSoundPlayer::WaitForBackend() {
    Start();
    // The window thread goes on serving its events while the module loads;
    // a program that is ending does not wait for it.
    while (!backendWaited_ && !ending_) {
        if (backendTried_.tryAcquire()) {
            backendWaited_ = true;
            break;
        }
        WaitInEventLoop(BackendPollMs);
    }
    return backendWaited_ && backendLoaded_;
}

const UiSoundPlayer::Checked& UiSoundPlayer::Check(const QString& path) {
    const qint64 stamp = Stamp(QFileInfo(path));
    auto found = checked_.find(path);
    if (found != checked_.end() && found->second.stamp == stamp) return found->second;
    Checked& c = checked_[path];
    c.file = InspectSound(path);
    c.stamp = stamp;
    c.loaded = false;
    return c;
}

QStringList UiSoundPlayer::Candidates(const std::string& name) const {
    const QString bare = QString::fromStdString(name);
    // Only bare names are looked up; anything with a folder in it is no sound of ours.
    if (bare.isEmpty() || bare.contains(QLatin1Char('/')) || bare.contains(QLatin1Char('\\')) ||
        bare == QLatin1String(".") || bare == QLatin1String(".."))
        return {};
    QStringList found;
    const QFileInfo local(QDir::current().filePath(bare));
    if (local.exists()) found << local.absoluteFilePath();
    for (const QString& dir : programDirs_) {
        const QFileInfo shipped(QDir(dir).filePath(bare));
        if (shipped.exists()) found << shipped.absoluteFilePath();
    }
    return found;
}

QString UiSoundPlayer::Resolve(const std::string& name) {
    // A file of the folder that cannot be played gives way to the
    // program's own sound (and is named at start, SoundProblems).
    for (const QString& path : Candidates(name))
        if (Check(path).file.durationMs) return path;
    return {};
}

void UiSoundPlayer::Preload() {
    // Loading decodes the files and opens the audio back end; done ahead so
    // that the first click already sounds at once.
    for (const char* name : ProgramSounds) {
        const QString path = Resolve(name);
        qCInfo(FilesLog).noquote() << "sound" << name << (path.isEmpty() ? QStringLiteral("missing") : path);
        if (path.isEmpty()) continue;
        checked_[path].loaded = true;
        QMetaObject::invokeMethod(
            audio_,
            [this, path] {
                if (backend_) backend_->Load(path, false);
            },
            Qt::QueuedConnection);
    }
}

UiSoundPlayer::Problems UiSoundPlayer::SoundProblems() {
    Problems problems;
    for (const char* name : ProgramSounds) {
        const QStringList candidates = Candidates(name);
        for (const QString& path : candidates) {
            const SoundFile& file = Check(path).file;
            if (file.durationMs) break;
            problems.unusable << file.problem;
        }
        if (candidates.isEmpty()) problems.missing << QString::fromLatin1(name);
    }
    return problems;
}

QStringList UiSoundPlayer::MissingSounds() {
    return SoundProblems().missing;
}

void UiSoundPlayer::EndWaits() {
    ending_ = true;
    if (waitLoop_) waitLoop_->quit();
}

void UiSoundPlayer::WaitInEventLoop(int ms) {
    if (ms <= 0 || ending_) return;
    // A timer file wakes the loop: the program's own timers must not tick
    // while a sound holds the pupil's input, so the loop runs without them.
    const int fd = ::timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC | TFD_NONBLOCK);
    if (fd < 0) return;
    itimerspec due{};
    due.it_value.tv_sec = ms / 1000;
    due.it_value.tv_nsec = static_cast<long>(ms % 1000) * 1000000;
    if (::timerfd_settime(fd, 0, &due, nullptr) != 0) {
        ::close(fd);
        return;
    }
    QEventLoop loop;
    QSocketNotifier done(fd, QSocketNotifier::Read);
    QObject::connect(&done, &QSocketNotifier::activated, &loop, &QEventLoop::quit);
    InputHold hold;
    QEventLoop* outer = std::exchange(waitLoop_, &loop);
    // Signals (through their socket), repaints and the session manager are
    // served meanwhile; clicks and keys wait for the sound's end.
    loop.exec(QEventLoop::ExcludeUserInputEvents | QEventLoop::X11ExcludeTimers);
    waitLoop_ = outer;
    ::close(fd);
}

void UiSoundPlayer::Play(const std::string& name, SoundMode mode) {
    const QString path = Resolve(name);
    if (path.isEmpty()) return;  // nothing we can play or time
    Checked& c = checked_[path];
    const bool changed = !c.loaded;
    c.loaded = true;
    const int duration = *c.file.durationMs;
    // A sound asked for before the backend is in (the program starts it right
    // after its first paint) waits for it here, so that a waiting play still
    // holds the input for as long as the sound is heard.
    WaitForBackend();
    QMetaObject::invokeMethod(
        audio_,
        [this, path, changed] {
            if (backend_) backend_->Play(path, changed);
        },
        Qt::QueuedConnection);
    // The length comes from the file, because with no audio device the effect
    // never reports its end; whatever the file claims, no wait is longer than
    // MaxSoundWaitMs.
    if (mode == SoundMode::Wait) WaitInEventLoop(std::min(duration, MaxSoundWaitMs));
}

// Input events that reach the program while a sound is waited for are kept
// and delivered, in their order, when the wait is over.
UiSoundPlayer::InputHold::InputHold() {
    if (QCoreApplication::instance()) QCoreApplication::instance()->installEventFilter(this);
}

UiSoundPlayer::InputHold::~InputHold() {
    if (QCoreApplication::instance()) QCoreApplication::instance()->removeEventFilter(this);
    for (auto& [receiver, event] : held_)
        if (receiver) QCoreApplication::postEvent(receiver, event.release());
}

bool UiSoundPlayer::InputHold::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::ShortcutOverride:
            held_.emplace_back(watched, std::unique_ptr<QEvent>(event->clone()));
            return true;
        default:
            return QObject::eventFilter(watched, event);
    }
}

}  // namespace vokamo

#include "ui/platform/UiSoundPlayer.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QtEndian>
#include <algorithm>
#include <array>

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

}  // namespace

std::optional<int> WavDurationMs(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const qint64 fileSize = file.size();
    char riff[12];
    if (file.read(riff, 12) != 12 || std::string_view(riff, 4) != "RIFF" ||
        std::string_view(riff + 8, 4) != "WAVE")
        return std::nullopt;
    quint32 byteRate = 0;
    // Walk the chunks: "fmt " gives the byte rate, "data" the length. Other
    // chunks (LIST, fact) may stand between them.
    while (!file.atEnd()) {
        char head[8];
        if (file.read(head, 8) != 8) return std::nullopt;
        const std::string_view id(head, 4);
        const quint32 size = U32(head + 4);
        if (id == "fmt ") {
            char fmt[16];
            if (size < 16 || file.read(fmt, 16) != 16) return std::nullopt;
            byteRate = U32(fmt + 8);
            if (U16(fmt + 12) == 0) return std::nullopt;  // block align
            if (!file.seek(file.pos() + (size - 16) + (size & 1))) return std::nullopt;
        } else if (id == "data") {
            if (byteRate == 0) return std::nullopt;
            const qint64 present = std::min<qint64>(size, fileSize - file.pos());
            return static_cast<int>(present * 1000 / byteRate);
        } else if (!file.seek(file.pos() + size + (size & 1))) {
            return std::nullopt;
        }
    }
    return std::nullopt;
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
    if (!backendWaited_) {
        backendTried_.acquire();
        backendWaited_ = true;
    }
    return backendLoaded_;
}

QString UiSoundPlayer::Resolve(const std::string& name) const {
    const QString bare = QString::fromStdString(name);
    // Only bare names are looked up; anything with a folder in it is no sound of ours.
    if (bare.isEmpty() || bare.contains(QLatin1Char('/')) || bare.contains(QLatin1Char('\\')) ||
        bare == QLatin1String(".") || bare == QLatin1String(".."))
        return {};
    const QFileInfo local(QDir::current().filePath(bare));
    if (local.isFile()) return local.absoluteFilePath();
    for (const QString& dir : programDirs_) {
        const QFileInfo shipped(QDir(dir).filePath(bare));
        if (shipped.isFile()) return shipped.absoluteFilePath();
    }
    return {};
}

std::optional<int> UiSoundPlayer::Time(const QString& path, bool& changed) {
    const qint64 stamp = Stamp(QFileInfo(path));
    auto found = timings_.find(path);
    changed = found == timings_.end() || found->second.stamp != stamp;
    if (!changed) return found->second.durationMs;
    const auto duration = WavDurationMs(path);
    if (!duration) {
        if (found != timings_.end()) timings_.erase(found);
        return std::nullopt;
    }
    timings_[path] = Timing{*duration, stamp};
    return duration;
}

void UiSoundPlayer::Preload() {
    // Loading decodes the files and opens the audio back end; done ahead so
    // that the first click already sounds at once.
    for (const char* name : ProgramSounds) {
        const QString path = Resolve(name);
        bool changed = false;
        const bool playable = !path.isEmpty() && Time(path, changed);
        qCInfo(FilesLog).noquote() << "sound" << name << (playable ? path : QStringLiteral("missing"));
        if (!playable) continue;
        QMetaObject::invokeMethod(
            audio_,
            [this, path] {
                if (backend_) backend_->Load(path, false);
            },
            Qt::QueuedConnection);
    }
}

QStringList UiSoundPlayer::MissingSounds() const {
    // Asked for at start, before the sounds are loaded (after the first paint).
    QStringList missing;
    for (const char* name : ProgramSounds) {
        const QString path = Resolve(name);
        if (path.isEmpty() || !WavDurationMs(path)) missing << QString::fromLatin1(name);
    }
    return missing;
}

void UiSoundPlayer::Play(const std::string& name, SoundMode mode) {
    const QString path = Resolve(name);
    if (path.isEmpty()) return;
    bool changed = false;
    const auto duration = Time(path, changed);
    if (!duration) return;  // not a sound we can play or time
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
    // The GUI thread sleeps instead of running an event loop, so no click, key
    // or timer tick is handled before the sound is over. The length comes from
    // the file, because with no audio device the effect never reports its end.
    if (mode == SoundMode::Wait && *duration > 0) QThread::msleep(static_cast<unsigned long>(*duration));
}

}  // namespace vokamo

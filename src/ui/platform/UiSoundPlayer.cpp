#include "ui/platform/UiSoundPlayer.h"

#include "ui/platform/UiProgramFiles.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>
#include <QtEndian>
#include <algorithm>
#include <array>

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

// Owned by the audio thread: every call reaches it as a queued call, so the
// GUI thread never waits for the audio back end, not even while the program
// starts and the back end is still connecting.
class UiSoundPlayer::Effects : public QObject {
public:
    void Load(const QString& path, bool replace) {
        QSoundEffect*& effect = byPath[path];
        if (effect && !replace) return;
        delete effect;
        effect = new QSoundEffect(this);
        effect->setSource(QUrl::fromLocalFile(path));
    }
    void Play(const QString& path, bool replace) {
        Load(path, replace);
        QSoundEffect* effect = byPath[path];
        if (effect->isPlaying()) effect->stop();
        effect->play();
    }

private:
    std::map<QString, QSoundEffect*> byPath;
};

UiSoundPlayer::UiSoundPlayer() : UiSoundPlayer(ProgramSoundDirs()) {}

UiSoundPlayer::UiSoundPlayer(QStringList dirs) : programDirs_(std::move(dirs)) {
    audioThread_.setObjectName(QStringLiteral("vokamo-audio"));
    effects_ = new Effects;
    effects_->moveToThread(&audioThread_);
    audioThread_.start();
    Preload();
}

UiSoundPlayer::~UiSoundPlayer() {
    // The effects must die on the thread that feeds them.
    QMetaObject::invokeMethod(
        effects_, [this] { delete effects_; }, Qt::BlockingQueuedConnection);
    audioThread_.quit();
    audioThread_.wait();
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
        if (!playable) {
            missing_ << QString::fromLatin1(name);
            continue;
        }
        QMetaObject::invokeMethod(
            effects_, [this, path] { effects_->Load(path, false); }, Qt::QueuedConnection);
    }
}

QStringList UiSoundPlayer::MissingSounds() const {
    return missing_;
}

void UiSoundPlayer::Play(const std::string& name, SoundMode mode) {
    const QString path = Resolve(name);
    if (path.isEmpty()) return;
    bool changed = false;
    const auto duration = Time(path, changed);
    if (!duration) return;  // not a sound we can play or time
    QMetaObject::invokeMethod(
        effects_, [this, path, changed] { effects_->Play(path, changed); }, Qt::QueuedConnection);
    // The GUI thread sleeps instead of running an event loop, so no click, key
    // or timer tick is handled before the sound is over. The length comes from
    // the file, because with no audio device the effect never reports its end.
    if (mode == SoundMode::Wait && *duration > 0) QThread::msleep(static_cast<unsigned long>(*duration));
}

}  // namespace vokamo

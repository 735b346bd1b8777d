// The vokamo_sound module: the sound backend on Qt Multimedia's QSoundEffect.
#include <QObject>
#include <QSoundEffect>
#include <QUrl>
#include <map>

#include "ui/platform/UiSoundBackend.h"

namespace vokamo {

namespace {

class UiSoundEffects final : public SoundBackend {
public:
    void Load(const QString& path, bool replace) override {
        QSoundEffect*& effect = byPath_[path];
        if (effect && !replace) return;
        delete effect;
        effect = new QSoundEffect(&owner_);
        effect->setSource(QUrl::fromLocalFile(path));
    }
    void Play(const QString& path, bool replace) override {
        Load(path, replace);
        QSoundEffect* effect = byPath_[path];
        if (effect->isPlaying()) effect->stop();
        effect->play();
    }

private:
    // Parent of the effects: made, and so living, on the audio thread that
    // created the backend, which is the thread the PulseAudio stream is fed from.
    QObject owner_;
    std::map<QString, QSoundEffect*> byPath_;
};

}  // namespace

}  // namespace vokamo

extern "C" Q_DECL_EXPORT vokamo::SoundBackend* VokamoCreateSoundBackend() {
    return new vokamo::UiSoundEffects;
}

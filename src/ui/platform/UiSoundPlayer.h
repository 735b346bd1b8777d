#pragma once

#include <QString>
#include <QStringList>
#include <QThread>
#include <map>
#include <optional>
#include <string>

#include "core/platform/Platform.h"

namespace vokamo {

// Length of a PCM WAV file in milliseconds, from its header; nullopt when the
// file is missing or is not a WAV file we understand. A file cut short counts
// only the sound it really holds.
std::optional<int> WavDurationMs(const QString& path);

// Plays the program's sounds with QSoundEffect on an audio thread of its own:
// the PulseAudio sink is fed from the thread that owns the effect, and a
// waiting play blocks the GUI thread, which would otherwise starve the sound
// until the wait is over.
class UiSoundPlayer : public SoundPlayer {
public:
    // Looks in the current folder, then in the program's own sound folders
    // (ProgramSoundDirs).
    UiSoundPlayer();
    // For tests: the program's sound folders to look in after the current one.
    explicit UiSoundPlayer(QStringList programDirs);
    ~UiSoundPlayer() override;
    UiSoundPlayer(const UiSoundPlayer&) = delete;
    UiSoundPlayer& operator=(const UiSoundPlayer&) = delete;

    void Play(const std::string& name, SoundMode mode) override;

    // The file a name stands for right now, empty when there is none.
    QString Resolve(const std::string& name) const;
    // The program's sounds that could not be found (or read) when it started.
    QStringList MissingSounds() const;

private:
    struct Timing {
        int durationMs = 0;
        qint64 stamp = 0;  // modification time and size, to notice a replaced file
    };
    class Effects;  // the QSoundEffects; they live and play on audioThread_ only

    // The length of the file's sound; nullopt when it cannot be played. Sets
    // `changed` when the file is new or was replaced since it was last loaded.
    std::optional<int> Time(const QString& path, bool& changed);
    void Preload();

    QStringList programDirs_;
    QStringList missing_;
    std::map<QString, Timing> timings_;  // GUI thread only
    QThread audioThread_;
    Effects* effects_ = nullptr;
};

}  // namespace vokamo

#pragma once

#include <QSemaphore>
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

class SoundBackend;

// Plays the program's sounds on an audio thread of its own: the PulseAudio
// sink is fed from the thread that owns the effect, and a waiting play blocks
// the GUI thread, which would otherwise starve the sound until the wait is
// over. The backend (Qt Multimedia) is a module loaded on that thread by
// Start(), which the program calls once its first window has been painted.
class UiSoundPlayer : public SoundPlayer {
public:
    // Looks in the current folder, then in the program's own sound folders
    // (ProgramSoundDirs).
    UiSoundPlayer();
    // For tests: the program's sound folders to look in after the current one,
    // and the folders to look for the backend module in.
    explicit UiSoundPlayer(QStringList programDirs, QStringList moduleDirs = DefaultModuleDirs());
    ~UiSoundPlayer() override;
    UiSoundPlayer(const UiSoundPlayer&) = delete;
    UiSoundPlayer& operator=(const UiSoundPlayer&) = delete;

    // Starts the audio thread, loads the backend there and the program's
    // sounds into it. Returns at once; a play that comes first starts it itself.
    void Start();
    // Waits until Start's loading of the backend is over; whether a backend
    // was loaded (without one the player is silent but keeps every wait).
    bool WaitForBackend();

    void Play(const std::string& name, SoundMode mode) override;

    // Where the backend module is looked for: next to the executable (the
    // build tree), then in the installed library folder relative to it.
    static QStringList DefaultModuleDirs();

    // The file a name stands for right now, empty when there is none.
    QString Resolve(const std::string& name) const;
    // The program's sounds that cannot be found (or read) right now.
    QStringList MissingSounds() const;

private:
    struct Timing {
        int durationMs = 0;
        qint64 stamp = 0;  // modification time and size, to notice a replaced file
    };

    // The length of the file's sound; nullopt when it cannot be played. Sets
    // `changed` when the file is new or was replaced since it was last loaded.
    std::optional<int> Time(const QString& path, bool& changed);
    void Preload();
    void LoadBackend();  // on the audio thread

    QStringList programDirs_;
    QStringList moduleDirs_;
    std::map<QString, Timing> timings_;  // GUI thread only
    QThread audioThread_;
    QObject* audio_ = nullptr;         // lives on audioThread_, the target of queued calls
    SoundBackend* backend_ = nullptr;  // audio thread only
    QSemaphore backendTried_;          // released once the module load is over
    bool backendLoaded_ = false;       // written before backendTried_ is released
    bool backendWaited_ = false;       // GUI thread only
};

}  // namespace vokamo

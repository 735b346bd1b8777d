#pragma once

#include <QEvent>
#include <QEventLoop>
#include <QObject>
#include <QPointer>
#include <QSemaphore>
#include <QString>
#include <QStringList>
#include <QThread>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/Platform.h"

namespace vokamo {

// A sound file is read only when it is a regular file of at most this size:
// the program's sounds take a few kilobytes, and the backend decodes the
// whole file into memory.
inline constexpr uint64_t MaxSoundBytes = 4u << 20;
// However long a file says its sound is, a waiting play holds the pupil's
// input for at most this long.
inline constexpr int MaxSoundWaitMs = 3000;

// What a sound file is good for: the length of its sound in milliseconds, or
// why it cannot be played (in Japanese, naming the file).
struct SoundFile {
    std::optional<int> durationMs;
    QString problem;
};
// Reads the file (bounded by MaxSoundBytes, whatever its size claims) and
// its PCM WAV header. A file cut short counts only the sound it really holds.
SoundFile InspectSound(const QString& path);
// The length alone; nullopt when the file is missing or cannot be played.
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

    // A waiting play holds the pupil's clicks, keys and the program's timers
    // until the sound is over, but never the window thread: the wait runs
    // in an event loop, so signals, repaints and the session manager are
    // served during it.
    void Play(const std::string& name, SoundMode mode) override;

    // The program is ending: the wait running now ends at once, and no
    // later play waits.
    void EndWaits();

    // Where the backend module is looked for: next to the executable (the
    // build tree), then in the installed library folder relative to it.
    static QStringList DefaultModuleDirs();

    // The file a name stands for right now: the first that can be played
    // of the current folder's and the program's; empty when there is none.
    QString Resolve(const std::string& name);

    // The program's sounds that are nowhere to be found, and the files that
    // are there but cannot be played, each with its reason.
    struct Problems {
        QStringList missing;
        QStringList unusable;
    };
    Problems SoundProblems();
    QStringList MissingSounds();

private:
    struct Checked {
        SoundFile file;
        qint64 stamp = 0;     // modification time and size, to notice a replaced file
        bool loaded = false;  // given to the backend since it was last replaced
    };

    // Keeps app-wide input events back during a wait and delivers them after.
    class InputHold : public QObject {
    public:
        InputHold();
        ~InputHold() override;

    protected:
        bool eventFilter(QObject* watched, QEvent* event) override;

    private:
        std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>> held_;
    };

    static constexpr int BackendPollMs = 5;

    const Checked& Check(const QString& path);
    QStringList Candidates(const std::string& name) const;
    void WaitInEventLoop(int ms);
    void Preload();
    void LoadBackend();  // on the audio thread

    QStringList programDirs_;
    QStringList moduleDirs_;
    std::map<QString, Checked> checked_;  // GUI thread only
    QEventLoop* waitLoop_ = nullptr;      // the wait running now
    bool ending_ = false;
    QThread audioThread_;
    QObject* audio_ = nullptr;         // lives on audioThread_, the target of queued calls
    SoundBackend* backend_ = nullptr;  // audio thread only
    QSemaphore backendTried_;          // released once the module load is over
    bool backendLoaded_ = false;       // written before backendTried_ is released
    bool backendWaited_ = false;       // GUI thread only
};

}  // namespace vokamo

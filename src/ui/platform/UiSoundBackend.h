#pragma once

#include <QString>

namespace vokamo {

// What plays the sound files: Qt Multimedia, kept in a module of its own
// (vokamo_sound) that the program loads only once its first window is up,
// so that the dynamic loader does not pay for Qt Multimedia and PulseAudio
// before the pupil sees anything. Every call comes from the audio thread
// that created the backend.
class SoundBackend {
public:
    virtual ~SoundBackend() = default;
    // Decodes the file ahead of its first play; `replace` reloads a file
    // that was changed on disk.
    virtual void Load(const QString& path, bool replace) = 0;
    // Starts the file from its beginning, also when it is still playing.
    virtual void Play(const QString& path, bool replace) = 0;
};

// The module's one entry point: extern "C" SoundBackend* VokamoCreateSoundBackend().
using CreateSoundBackendFunction = SoundBackend* (*)();
inline constexpr char CreateSoundBackendName[] = "VokamoCreateSoundBackend";

}  // namespace vokamo

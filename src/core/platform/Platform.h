#pragma once

#include <optional>
#include <string>

namespace vokamo {

// Interfaces the core calls and the Qt layer implements. Tests use recording
// fakes (tests/Fakes.h).

enum class SoundMode { Wait, Background };

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Plays a sound file by bare name ("piyo.wav"). Wait returns when the
    // sound has ended; Background returns at once. Never fails.
    virtual void Play(const std::string& name, SoundMode mode) = 0;
};

class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    virtual void ShowHelp(const std::string& fileName) = 0;  // "vk40.HLP"
};

class FileChooser {
public:
    virtual ~FileChooser() = default;
    // title and filter in UTF-8. Returns the chosen path in Shift-JIS, or
    // nullopt when cancelled.
    virtual std::optional<std::string> ChooseFile(const std::string& title, const std::string& filter) = 0;
};

class NamePrompt {
public:
    virtual ~NamePrompt() = default;
    // caption and prompt in UTF-8; the answer in Shift-JIS, empty when
    // cancelled.
    virtual std::string Ask(const std::string& caption, const std::string& prompt) = 0;
};

class ErrorBox {
public:
    virtual ~ErrorBox() = default;
    virtual void ShowError(const std::string& utf8Message) = 0;
};

}  // namespace vokamo

#pragma once

#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/platform/Platform.h"

namespace vokamo::test {

struct PlayedSound {
    std::string name;
    SoundMode mode;
    bool operator==(const PlayedSound&) const = default;
};

class RecordingSoundPlayer : public SoundPlayer {
public:
    void Play(const std::string& name, SoundMode mode) override { played.push_back({name, mode}); }
    std::vector<PlayedSound> played;
};

class RecordingHelpViewer : public HelpViewer {
public:
    void ShowHelp(const std::string& fileName) override { shown.push_back(fileName); }
    std::vector<std::string> shown;
};

// Answers come from a queue; an empty queue means cancel.
class ScriptedFileChooser : public FileChooser {
public:
    std::optional<std::string> ChooseFile(const std::string& title, const std::string& filter) override {
        asked.emplace_back(title, filter);
        if (answers.empty()) return std::nullopt;
        auto a = answers.front();
        answers.pop_front();
        return a;
    }
    std::deque<std::optional<std::string>> answers;
    std::vector<std::pair<std::string, std::string>> asked;
};

class ScriptedNamePrompt : public NamePrompt {
public:
    std::string Ask(const std::string& caption, const std::string& prompt) override {
        asked.emplace_back(caption, prompt);
        if (answers.empty()) return {};
        auto a = answers.front();
        answers.pop_front();
        return a;
    }
    std::deque<std::string> answers;
    std::vector<std::pair<std::string, std::string>> asked;
};

class RecordingErrorBox : public ErrorBox {
public:
    void ShowError(const std::string& utf8Message) override { messages.push_back(utf8Message); }
    std::vector<std::string> messages;
};

}  // namespace vokamo::test

#include "core/platform/MainDisplay.h"

namespace vokamo::test {

class RecordingMainDisplay : public MainDisplay {
public:
    void DrawLabelsAndCells() override { ++labelsAndCells; }
    void DrawCells() override { ++cells; }
    void RedrawStep() override { ++redraws; }
    int labelsAndCells = 0;
    int cells = 0;
    int redraws = 0;
};

}  // namespace vokamo::test

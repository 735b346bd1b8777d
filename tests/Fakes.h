#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <set>
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
    void Play(const std::string& name, SoundMode mode) override {
        if (failure) failure();
        played.push_back({name, mode});
    }
    std::vector<PlayedSound> played;
    // While set, runs (and throws) in place of every sound.
    std::function<void()> failure;
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

// Locks live in a set shared by every handle, like lock files in a folder;
// `others` holds the records another program has open. Paths listed in
// `unlockable` stand for folders where no lock can be made.
class FakeRecordLocks : public RecordLocks {
public:
    class Handle : public RecordLock {
    public:
        Handle(std::set<std::string>& held, std::string path) : held_(held), path_(std::move(path)) {}
        ~Handle() override { held_.erase(path_); }

    private:
        std::set<std::string>& held_;
        std::string path_;
    };

    std::unique_ptr<RecordLock> Lock(const std::string& fsRecordPath, LockFileState& state) override {
        const bool inUse = others.count(fsRecordPath) > 0 || held.count(fsRecordPath) > 0;
        state = inUse                            ? LockFileState::InUse
                : unlockable.count(fsRecordPath) ? LockFileState::CannotMake
                                                 : LockFileState::Taken;
        if (state != LockFileState::Taken) return nullptr;
        held.insert(fsRecordPath);
        return std::make_unique<Handle>(held, fsRecordPath);
    }
    std::set<std::string> held, others, unlockable;
};

// Answers go-on questions from a queue; an empty queue stops.
class ScriptedGoOnPrompt : public GoOnPrompt {
public:
    bool AskGoOn(const std::string& utf8Message) override {
        asked.push_back(utf8Message);
        if (answers.empty()) return false;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
    std::deque<bool> answers;
    std::vector<std::string> asked;
};

// Answers the save-failure questions from queues; an empty queue ends
// without saving (and confirms it), so a forgotten answer cannot hang a test.
class ScriptedSaveFailurePrompt : public SaveFailurePrompt {
public:
    FailedSaveChoice AskAfterFailedSave(const std::string& utf8Message) override {
        asked.push_back(utf8Message);
        if (onAsk) onAsk();
        if (choices.empty()) return FailedSaveChoice::EndWithoutSaving;
        const auto c = choices.front();
        choices.pop_front();
        return c;
    }
    bool ConfirmEndWithoutSaving(const std::string& utf8Message) override {
        confirmations.push_back(utf8Message);
        if (confirms.empty()) return true;
        const bool c = confirms.front();
        confirms.pop_front();
        return c;
    }
    std::optional<std::string> ChooseSaveFile(const std::string&, const std::string&) override {
        if (places.empty()) return std::nullopt;
        auto p = places.front();
        places.pop_front();
        return p;
    }
    std::deque<FailedSaveChoice> choices;
    std::deque<bool> confirms;
    std::deque<std::optional<std::string>> places;
    std::vector<std::string> asked, confirmations;
    void CloseQuestion() override { ++closed; }
    std::function<void()> onAsk;  // the world changing while the pupil reads
    int closed = 0;
};

// Answers the warnings window from a queue (true: use the file as it is);
// an empty queue stops, as closing the window does.
class ScriptedFindingsPrompt : public FindingsPrompt {
public:
    bool UseDespiteFindings(const std::string& fileName, const std::vector<Finding>& findings) override {
        shown.emplace_back(fileName, findings);
        if (answers.empty()) return false;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
    std::deque<bool> answers;
    std::vector<std::pair<std::string, std::vector<Finding>>> shown;
};

}  // namespace vokamo::test

#include "core/platform/MainDisplay.h"

namespace vokamo::test {

class RecordingMainDisplay : public MainDisplay {
public:
    void DrawLabelsAndCells() override { ++labelsAndCells; }
    void DrawCells() override { ++cells; }
    void RedrawStep() override { ++redraws; }
    void SaveAfterDrill() override { ++saves; }
    void SaveAfterSet() override { ++setSaves; }
    int setSaves = 0;
    int saves = 0;
    int labelsAndCells = 0;
    int cells = 0;
    int redraws = 0;
};

}  // namespace vokamo::test

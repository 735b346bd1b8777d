// One whole drill of 60 question sets on the largest question data file,
// driven by ticks, keys and clicks as fast as the machine takes them (no real
// time, silent sounds). Every fifth question is first answered wrong, so
// review passes run too. Reported per input: the time of the inputs a learner
// makes and of the ticks, without the set-start tick that reads the file
// again (its cost is reported on its own).
#include <benchmark/benchmark.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <vector>

#include "StressData.h"
#include "TestSupport.h"
#include "core/data/DataFile.h"
#include "core/data/SjisText.h"
#include "core/data/TextUtils.h"
#include "core/drill/DrillMachine.h"

namespace {

using namespace vokamo;
using Clock = std::chrono::steady_clock;

class SilentSoundPlayer : public SoundPlayer {
public:
    void Play(const std::string&, SoundMode) override {}
};

const std::string& StressPath() {
    static const std::string path = [] {
        const std::string p = test::MakeTempDir() + "/drill-stress.dat";
        test::WriteStressFile(p);
        return p;
    }();
    return path;
}

struct Timing {
    double inputNs = 0;  // keys, clicks and ticks, set starts excluded
    long inputs = 0;
    double keyNs = 0;  // keys and clicks only
    long keys = 0;
    double setStartNs = 0;
    long setStarts = 0;
};

class DrillDriver {
public:
    DrillDriver(ProgramState& st, Timing& timing) : st_(st), machine_(st, sound_), t_(timing) {}

    void RunSets(int sets) {
        machine_.StartDrill();
        while (st_.SetNo <= sets) {
            const DrillScreen& s = machine_.Screen();
            if (s.congratulations > 0) throw std::runtime_error("drill ended early");
            if (s.tmrStart.enabled) {
                if (st_.SetNo == sets) return;
                Tick(DrillTimer::Start);
                Tick(DrillTimer::Start);
                SetStartTick();
                continue;
            }
            AnswerQuestion();
        }
    }

private:
    template <typename F>
    void Timed(F&& f, bool key) {
        const auto begin = Clock::now();
        f();
        const double ns = std::chrono::duration<double, std::nano>(Clock::now() - begin).count();
        t_.inputNs += ns;
        ++t_.inputs;
        if (key) {
            t_.keyNs += ns;
            ++t_.keys;
        }
    }
    void Tick(DrillTimer timer) {
        Timed([&] { machine_.Tick(timer); }, false);
    }
    void SetStartTick() {
        const auto begin = Clock::now();
        machine_.Tick(DrillTimer::Start);
        t_.setStartNs += std::chrono::duration<double, std::nano>(Clock::now() - begin).count();
        ++t_.setStarts;
    }
    void Key(int vk, char ch) {
        Timed([&] { machine_.FormKeyDown(vk); }, true);
        if (ch) Timed([&] { machine_.FormKeyPress(ch); }, true);
        Timed([&] { machine_.FormKeyUp(vk); }, true);
    }
    void TypeWord(const std::string& word) {
        const DrillScreen& s = machine_.Screen();
        for (char ch : word) {
            if ((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z')) {
                Key(ch >= 'a' ? ch - 32 : ch, ch);
                continue;
            }
            // Punctuation is only on the on-screen keys.
            for (int tag = 0; tag < LetterKeyCount; ++tag) {
                if (s.keys[tag].caption == std::string(1, ch)) {
                    Timed([&] { machine_.KeyMouseDown(tag); }, true);
                    Timed([&] { machine_.KeyMouseUp(tag); }, true);
                    Timed([&] { machine_.KeyClick(tag); }, true);
                    break;
                }
            }
        }
        Key(vk::Return, 0);
    }
    void RunTimer(DrillTimer timer, const TimerView& view) {
        while (view.enabled) Tick(timer);
    }
    void Pause() {
        const DrillScreen& s = machine_.Screen();
        while (s.tmrOK.enabled) {
            if (s.tmrNG.enabled) Tick(DrillTimer::NG);
            if (s.tmrFlash.enabled) Tick(DrillTimer::Flash);
            Tick(DrillTimer::OK);
        }
    }
    std::vector<std::string> Blanks() const {
        std::vector<std::string> words;
        for (const std::string& w : SplitWords(st_.CurTextA))
            if (StartsWithChar(w, "@") == 1) words.push_back(DropFirstChar(w));
        return words;
    }
    void AnswerQuestion() {
        const DrillScreen& s = machine_.Screen();
        const bool firstWrong = (++questions_ % 5) == 0;
        const std::vector<std::string> blanks = Blanks();
        if (st_.CurQuestionType == QuestionType::Choice) {
            const std::string expected = UnderscoreToSpace(blanks.back());
            int right = -1, wrong = -1;
            for (int k = 0; k < ChoiceButtonCount; ++k) {
                if (!s.s[k].visible) continue;
                (SjisLowerAscii(s.s[k].caption) == SjisLowerAscii(expected) ? right : wrong) = k;
            }
            if (right < 0) throw std::runtime_error("no right choice");
            if (firstWrong && wrong >= 0 && wrong < 8) {
                Key('1' + wrong, static_cast<char>('1' + wrong));
                RunTimer(DrillTimer::NG, s.tmrNG);
            }
            Timed([&] { machine_.ChoiceMouseDown(right); }, true);
            Timed([&] { machine_.ChoiceMouseUp(right); }, true);
            Timed([&] { machine_.ChoiceClick(right); }, true);
            Pause();
            return;
        }
        for (const std::string& word : blanks) {
            if (firstWrong) {
                TypeWord("zz");
                RunTimer(DrillTimer::NG, s.tmrNG);
            }
            TypeWord(word);
            if (!s.tmrOK.enabled) throw std::runtime_error("word could not be typed: " + word);
            Pause();
        }
    }

    ProgramState& st_;
    SilentSoundPlayer sound_;
    DrillMachine machine_;
    Timing& t_;
    long questions_ = 0;
};

void Prepare(ProgramState& st) {
    st.DataPath = StressPath();
    st.Rng.SetClock([] { return 777u; });
    ReadDataHeader(st);
    st.LessonSelected.fill(1);
    st.CodeSelected.fill(1);
    st.ItemState.fill(-1);
    BuildItemOrder(st);
}

void BM_WholeDrill60Sets(benchmark::State& state) {
    Timing total;
    for (auto _ : state) {
        state.PauseTiming();
        ProgramState st;
        Prepare(st);
        state.ResumeTiming();
        DrillDriver driver(st, total);
        driver.RunSets(60);
        benchmark::DoNotOptimize(st.RightCount);
    }
    state.counters["input_us"] = total.inputNs / static_cast<double>(total.inputs) / 1000.0;
    state.counters["key_us"] = total.keyNs / static_cast<double>(total.keys) / 1000.0;
    state.counters["set_start_us"] = total.setStartNs / static_cast<double>(total.setStarts) / 1000.0;
    state.counters["inputs_per_drill"] =
        static_cast<double>(total.inputs) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_WholeDrill60Sets)->Unit(benchmark::kMillisecond);

// The file read alone, as the set-start tick does it.
void BM_LoadSetTexts600(benchmark::State& state) {
    ProgramState st;
    Prepare(st);
    for (int k = 0; k < SetCapacity; ++k) st.SetItems[k] = k * 59;
    for (auto _ : state) {
        LoadSetTexts(st, SetCapacity);
        benchmark::DoNotOptimize(st.SetTextA[0]);
    }
}
BENCHMARK(BM_LoadSetTexts600)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

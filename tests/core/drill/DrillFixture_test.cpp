#include "DrillFixture.h"

#include <sstream>

#include "TestSupport.h"
#include "core/data/DataFile.h"
#include "core/data/SjisText.h"
#include "core/data/TextUtils.h"

namespace vokamo::test {

std::string U(const std::string& sjis) {
    return SjisToUtf8Lossy(sjis);
}

std::string DataFileText(int kind, const std::vector<TestItem>& items, int lessons, int codes) {
    std::ostringstream out;
    out << "vokamo test data\n";
    out << "テスト問題集 " << kind << " " << items.size() << "\n";
    if (kind > 0) {
        out << lessons << "\n";
        for (int l = 0; l < lessons; ++l) out << "第" << (l + 1) << "課\n";
    }
    if (kind > 1) {
        out << codes << "\n";
        for (int c = 0; c < codes; ++c) out << "コード" << c << "\n";
    }
    for (const TestItem& it : items) {
        switch (kind) {
            case 0:
                out << it.answer << "\n" << it.question << "\n";
                break;
            case 1:
                out << it.lesson << "\n" << it.answer << "\n" << it.question << "\n" << it.note << "\n";
                break;
            case 2:
                out << it.lesson << " " << it.code << "\n"
                    << it.answer << "\n"
                    << it.question << "\n"
                    << it.note << "\n";
                break;
            default:
                out << it.lesson << " " << it.code << "\n"
                    << it.question << "\n"
                    << it.choices << "\n"
                    << it.answer << "\n"
                    << it.note << "\n";
                break;
        }
    }
    return out.str();
}

DrillTest::DrillTest() : dir(MakeTempDir()) {
    st.Rng.SetClock([] { return 4242u; });
    st.ItemState.fill(-1);
}

void DrillTest::LoadData(int kind, const std::vector<TestItem>& items) {
    std::string bytes;
    std::istringstream in(DataFileText(kind, items));
    std::string line;
    while (std::getline(in, line)) bytes += Sjis(line) + "\r\n";
    st.DataPath = dir + "/drill.dat";
    WriteBytes(st.DataPath, bytes);
    ReadDataHeader(st);
    st.LessonSelected.fill(1);
    st.CodeSelected.fill(1);
    st.BarLabels = st.FocusOnCode == 1 ? st.CodeNames : st.LessonNames;
    BuildItemOrder(st);
}

DrillMachine& DrillTest::Machine() {
    if (!machine) machine = std::make_unique<DrillMachine>(st, sound);
    return *machine;
}

void DrillTest::StartTicks(int n) {
    for (int t = 0; t < n; ++t) Machine().Tick(DrillTimer::Start);
}

void DrillTest::StartAndOpenFirstSet() {
    Machine().StartDrill();
    StartTicks(3);
}

int DrillTest::RunOkPause(int max) {
    int ticks = 0;
    while (Scr().tmrOK.enabled && ticks < max) {
        Machine().Tick(DrillTimer::OK);
        ++ticks;
    }
    return ticks;
}

int DrillTest::RunNgPause(int max) {
    int ticks = 0;
    while (Scr().tmrNG.enabled && ticks < max) {
        Machine().Tick(DrillTimer::NG);
        ++ticks;
    }
    return ticks;
}

void DrillTest::RunFlash() {
    for (int t = 0; t < 2 && Scr().tmrFlash.enabled; ++t) Machine().Tick(DrillTimer::Flash);
}

void DrillTest::TypeChars(const std::string& ascii) {
    for (char ch : ascii) Machine().FormKeyPress(ch);
}

void DrillTest::TypeAndEnter(const std::string& ascii) {
    TypeChars(ascii);
    Machine().FormKeyDown(13);
    Machine().FormKeyUp(13);
}

void DrillTest::PickChoiceText(const std::string& sjisText) {
    for (int k = 0; k < ChoiceButtonCount; ++k) {
        if (Scr().s[k].visible && Scr().s[k].caption == sjisText) {
            Machine().ChoiceClick(k);
            return;
        }
    }
    ADD_FAILURE() << "no choice button reads " << U(sjisText);
}

std::vector<std::string> DrillTest::BlankWords() const {
    std::vector<std::string> words;
    for (const std::string& w : SplitWords(st.CurTextA))
        if (StartsWithChar(w, "@") == 1) words.push_back(U(DropFirstChar(w)));
    return words;
}

void DrillTest::AnswerRight() {
    const auto words = BlankWords();
    if (st.CurQuestionType == QuestionType::Choice) {
        ASSERT_FALSE(words.empty());
        PickChoiceText(UnderscoreToSpace(Sjis(words.back())));
        RunOkPause();
        return;
    }
    for (const std::string& w : words) {
        TypeAndEnter(w);
        RunOkPause();
    }
}

std::vector<PlayedSound> DrillTest::TakeSounds() {
    std::vector<PlayedSound> fresh(sound.played.begin() + static_cast<long>(soundsSeen), sound.played.end());
    soundsSeen = sound.played.size();
    return fresh;
}

bool DrillTest::Played(const std::string& name, SoundMode mode) const {
    for (const auto& s : sound.played)
        if (s.name == name && s.mode == mode) return true;
    return false;
}

}  // namespace vokamo::test

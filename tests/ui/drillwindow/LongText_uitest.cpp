// The longest texts an item can hold, measured where they are drawn: the
// sentence never runs under the right/wrong counters beside it, and an
// answer line stays in its own column.
#include <QFontMetrics>
#include <QRegularExpression>
#include <QTest>

#include "DrillWindowFixture.h"
#include "core/data/SjisText.h"
#include "ui/platform/UiText.h"

namespace vokamo::test {
namespace {

// 180 bytes and no more than 18 words each, the most an item's sentence
// may hold.
const char* const KeySentence =
    "Unfortunately, @everybody in the neighbourhoods remembered yesterday's extraordinarily uncomfortable "
    "conversation between my @grandmother and your @international environmentalists.";
const char* const ChoiceSentence =
    "Every Saturday afternoon, my extraordinarily considerate grandmothers @look_after neighbourhood "
    "children whose hardworking parents work in international universities' laboratories.";
// 59 and 60 bytes, the most a choice may hold.
const char* const LongChoice = "take_care_of_the_little_children_of_our_kind_old_neighbours";
const char* const LongJapaneseChoice = "小さな子どもたちのめんどうを見るために毎日早く家に帰ります。";

// No text of a question is drawn smaller than a pupil can read.
constexpr int Readable = 12;

// 180 bytes of Japanese, the longest prompt an item can hold.
const char* const LongPrompt =
    "わたしたちは毎朝みんなで教室をきれいに掃除してから一時間目の授業の準備をして先生が来るのを静かに待ちます"
    "。"
    "それから日直が号令をかけてみんなで元気よく担任の先生に朝のあいさつをします";

// A text's characters, wherever it was broken into lines.
std::string Letters(QString text) {
    return text.remove(QRegularExpression(QStringLiteral("\\s"))).toStdString();
}

class LongTextTest : public DrillWindowTest {
protected:
    std::vector<QRect> LineRects(const char* name) {
        QLabel* label = Label(name);
        const std::vector<QRect> rects = DrillWindowTest::LineRects(label);
        // The label itself is big enough for what it shows.
        EXPECT_GE(label->height(), rects.back().bottom() + 1 - label->y()) << name;
        return rects;
    }

    // The prompt, the input line and the sentence each show every word of
    // the drill's text, readable, inside the question panel, clear of the
    // face, the counters and each other.
    void ExpectQuestionClear(const char* what) {
        SCOPED_TRACE(what);
        const QRect inside = window->findChild<QFrame*>("pnlQues")->contentsRect();
        std::vector<QRect> taken;
        for (const char* counter : {"imgFace", "Image1", "lblOks", "Image2", "lblNgs"})
            taken.push_back(window->findChild<QWidget*>(counter)->geometry());
        const std::array<std::pair<const char*, const LabelView*>, 3> lines{
            {{"w1", &machine->Screen().w1}, {"w2", &machine->Screen().w2}, {"w3", &machine->Screen().w3}}};
        for (const auto& [name, view] : lines) {
            QLabel* label = Label(name);
            if (view->text.empty()) continue;
            EXPECT_EQ(Letters(label->text()), Letters(ToQt(view->text))) << name;
            EXPECT_GE(label->font().pixelSize(), Readable) << name;
            for (const QString& line : label->text().split(QLatin1Char('\n')))
                EXPECT_EQ(line.count(QLatin1Char('(')), line.count(QLatin1Char(')'))) << line.toStdString();
            const std::vector<QRect> own = LineRects(name);
            for (const QRect& line : own) {
                EXPECT_TRUE(inside.contains(line)) << name;
                for (const QRect& other : taken) EXPECT_FALSE(line.intersects(other)) << name;
            }
            taken.insert(taken.end(), own.begin(), own.end());
        }
    }

    // An answer line ends before the right column's marks and above the
    // next line.
    void ExpectAnswerLineClear(int k) {
        const std::string next = "a" + std::to_string(k + 1);
        for (const QRect& line : LineRects(("a" + std::to_string(k)).c_str())) {
            EXPECT_LT(line.right(), Label("i5")->x());
            EXPECT_LE(line.bottom(), Label(next.c_str())->y());
        }
    }

    // A caption readable in full inside its button, after its number.
    void ExpectChoiceClear(const QString& caption) {
        UiPanel* button = ChoiceShowing(caption);
        ASSERT_NE(button, nullptr) << caption.toStdString();
        const QLabel* shown = button->CaptionLabel();
        EXPECT_EQ(Letters(shown->text()), Letters(caption));
        EXPECT_GE(shown->font().pixelSize(), Readable);
        const QRect number = button->findChildren<QLabel*>(QRegularExpression("^Label")).front()->geometry();
        for (const QRect& line : DrillWindowTest::LineRects(shown)) {
            EXPECT_TRUE(button->contentsRect().contains(line)) << caption.toStdString();
            EXPECT_GT(line.left(), number.right()) << caption.toStdString();
        }
    }
};

TEST_F(LongTextTest, KeyInputSentenceInEveryStateStaysClearOfTheCounters) {
    ASSERT_EQ(std::string(KeySentence).size(), 180u);
    Load({{1, "町の先生", "", KeySentence, "everybody = みんな"}}, 2);
    Start();
    ExpectQuestionClear("flash: every word shown");
    Tick(DrillTimer::Flash, 2);
    ExpectQuestionClear("blanks");
    Enter("everybodyknowsthatoldteacher");
    ExpectQuestionClear("correction");
    EXPECT_TRUE(Text("w3").contains(QStringLiteral("(everybody)")));
    Screenshot("long_correction");
    Enter("everybody");
    PassOkPause();
    Enter("grandmothergrandmothergrand");
    Enter("grandmother");
    PassOkPause();
    Enter("internationalinternational");
    ExpectQuestionClear("last correction");
    Screenshot("long_key_answers");
    // The first try at each blank, all on the answer line.
    EXPECT_EQ(Text("a0").simplified().toStdString(),
              "everybodyknowsthatoldteacher grandmothergrandmothergrand internationalinternational");
    ExpectAnswerLineClear(0);
}

TEST_F(LongTextTest, ChoiceSentenceAndALongPickStayInTheirPlaces) {
    ASSERT_EQ(std::string(ChoiceSentence).size(), 180u);
    Load({{0, "世話をする", std::string("look_after look_for ") + LongChoice + " " + LongJapaneseChoice,
           ChoiceSentence, ""}});
    Start();
    ExpectQuestionClear("blank");
    const QString longPick = ToQt(LongChoice).replace(QLatin1Char('_'), QLatin1Char(' '));
    for (const QString& caption :
         {longPick, QString::fromUtf8(LongJapaneseChoice), QStringLiteral("look for")})
        ExpectChoiceClear(caption);
    Screenshot("long_choices");
    Click(ChoiceShowing(longPick));
    ExpectQuestionClear("wrong pick, answer revealed in red");
    EXPECT_TRUE(Text("w3").contains(QStringLiteral("(look after)")));
    EXPECT_EQ(Text("a0").simplified(), longPick);
    ExpectAnswerLineClear(0);
    Screenshot("long_choice_wrong");
}

// A sentence of an everyday length first goes onto two lines at the size the
// drill chose; only the longest ones get smaller.
TEST_F(LongTextTest, EverydaySentenceBreaksBeforeItShrinks) {
    Load({{1, "グリーン先生は私たちの学校の英語の先生です。", "",
           "Ms. Green is an English @teacher at our school.", "teacher = 先生。teach（教える）+ er。"}});
    Start();
    Enter("teecher");
    ExpectQuestionClear("correction");
    EXPECT_EQ(Text("w3").count(QLatin1Char('\n')), 1);
    EXPECT_EQ(Label("w3")->font().pixelSize(), 19);
    Screenshot("everyday_correction");
}

// A prompt of the most an item holds wraps inside the panel, whole and
// readable, together with the longest sentence.
TEST_F(LongTextTest, LongestPromptAndSentenceTogether) {
    ASSERT_EQ(Sjis(LongPrompt).size(), 180u);
    Load({{1, LongPrompt, "", KeySentence, ""}});
    Start();
    ExpectQuestionClear("blanks");
    Enter("everybodyeverybodyeverybody");
    ExpectQuestionClear("correction");
    Screenshot("long_prompt");
}

}  // namespace
}  // namespace vokamo::test

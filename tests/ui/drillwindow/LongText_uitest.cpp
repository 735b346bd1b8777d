// The longest texts an item can hold, measured where they are drawn: the
// sentence never runs under the right/wrong counters beside it, and an
// answer line stays in its own column.
#include <QFontMetrics>
#include <QTest>

#include "DrillWindowFixture.h"
#include "core/data/SjisText.h"
#include "ui/platform/UiFonts.h"

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
// 59 bytes, near the most a choice may hold.
const char* const LongChoice = "take_care_of_the_little_children_of_our_kind_old_neighbours";

class LongTextTest : public DrillWindowTest {
protected:
    // Every line of the label as the rectangle its text covers, in the
    // coordinates of the label's parent.
    std::vector<QRect> LineRects(const char* name) {
        QLabel* label = Label(name);
        const QFontMetrics metrics(label->font());
        std::vector<QRect> rects;
        const QStringList lines = label->text().split(QLatin1Char('\n'));
        for (int n = 0; n < lines.size(); ++n)
            rects.emplace_back(label->x(), label->y() + n * metrics.lineSpacing(),
                               metrics.horizontalAdvance(lines[n]), metrics.height());
        // The label itself is big enough for what it shows.
        EXPECT_GE(label->height(), (lines.size() - 1) * metrics.lineSpacing() + metrics.height()) << name;
        return rects;
    }

    void Enter(const char* word) {
        TypeOnMainRow(QString::fromLatin1(word));
        Stroke(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    }

    // The sentence line shows every word of the drill's line, whole, no
    // larger than the drill's 14 points, in its place, clear of the counters.
    void ExpectSentenceClear(const char* what) {
        SCOPED_TRACE(what);
        QLabel* w3 = Label("w3");
        ASSERT_TRUE(w3->isVisible());
        EXPECT_EQ(w3->text().simplified().toStdString(),
                  ToQt(machine->Screen().w3.text).simplified().toStdString());
        EXPECT_LE(w3->font().pixelSize(), 19);
        EXPECT_EQ(w3->pos(), QPoint(57, 77));
        for (const QString& line : w3->text().split(QLatin1Char('\n')))
            EXPECT_EQ(line.count(QLatin1Char('(')), line.count(QLatin1Char(')'))) << line.toStdString();
        const QRect inside = window->findChild<QFrame*>("pnlQues")->contentsRect();
        for (const QRect& line : LineRects("w3")) {
            EXPECT_TRUE(inside.contains(line));
            for (const char* counter : {"Image1", "lblOks", "Image2", "lblNgs"})
                EXPECT_LT(line.right(), window->findChild<QWidget*>(counter)->x()) << counter;
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
};

TEST_F(LongTextTest, KeyInputSentenceInEveryStateStaysClearOfTheCounters) {
    ASSERT_EQ(std::string(KeySentence).size(), 180u);
    Load({{1, "町の先生", "", KeySentence, "everybody = みんな"}}, 2);
    Start();
    ExpectSentenceClear("flash: every word shown");
    Tick(DrillTimer::Flash, 2);
    ExpectSentenceClear("blanks");
    Enter("everybodyknowsthatoldteacher");
    ExpectSentenceClear("correction");
    EXPECT_TRUE(Text("w3").contains(QStringLiteral("(everybody)")));
    Screenshot("long_correction");
    Enter("everybody");
    PassOkPause();
    Enter("grandmothergrandmothergrand");
    Enter("grandmother");
    PassOkPause();
    Enter("internationalinternational");
    ExpectSentenceClear("last correction");
    Screenshot("long_key_answers");
    // The first try at each blank, all on the answer line.
    EXPECT_EQ(Text("a0").simplified().toStdString(),
              "everybodyknowsthatoldteacher grandmothergrandmothergrand internationalinternational");
    ExpectAnswerLineClear(0);
}

TEST_F(LongTextTest, ChoiceSentenceAndALongPickStayInTheirPlaces) {
    ASSERT_EQ(std::string(ChoiceSentence).size(), 180u);
    Load({{0, "世話をする", std::string("look_after look_for ") + LongChoice, ChoiceSentence, ""}});
    Start();
    ExpectSentenceClear("blank");
    const QString longPick = ToQt(LongChoice).replace(QLatin1Char('_'), QLatin1Char(' '));
    Click(ChoiceShowing(longPick));
    ExpectSentenceClear("wrong pick, answer revealed in red");
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
    ExpectSentenceClear("correction");
    EXPECT_EQ(Text("w3").count(QLatin1Char('\n')), 1);
    EXPECT_EQ(Label("w3")->font().pixelSize(), 19);
    Screenshot("everyday_correction");
}

}  // namespace
}  // namespace vokamo::test

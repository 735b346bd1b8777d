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
// 60 bytes, the most a choice may hold.
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

    // The sentence line shows every word of the drill's line, whole, in its
    // place and clear of the counters.
    void ExpectSentenceClear(const std::string& what, int designPx) {
        SCOPED_TRACE(what);
        QLabel* w3 = Label("w3");
        ASSERT_TRUE(w3->isVisible());
        EXPECT_EQ(w3->text().simplified().toStdString(), ToQt(machine->Screen().w3.text).simplified().toStdString());
        EXPECT_LE(w3->font().pixelSize(), designPx);
        EXPECT_GE(w3->font().pixelSize(), 6);
        for (const QString& line : w3->text().split(QLatin1Char('\n'))) {
            EXPECT_EQ(line.count(QLatin1Char('(')), line.count(QLatin1Char(')'))) << line.toStdString();
            if (w3->text().contains(QLatin1Char('\n'))) {
                EXPECT_EQ(line, line.trimmed());
            }
        }
        EXPECT_EQ(w3->pos(), QPoint(57, 77));
        const QRect inside = window->findChild<QFrame*>("pnlQues")->contentsRect();
        for (const QRect& line : LineRects("w3")) {
            EXPECT_TRUE(inside.contains(line)) << what;
            for (const char* counter : {"Image1", "lblOks", "Image2", "lblNgs"}) {
                const QRect other = window->findChild<QWidget*>(counter)->geometry();
                EXPECT_LT(line.right(), other.left()) << counter;
            }
        }
    }
};

TEST_F(LongTextTest, KeyInputSentenceInEveryStateStaysClearOfTheCounters) {
    ASSERT_EQ(std::string(KeySentence).size(), 180u);
    Load({{1, "町の先生", "", KeySentence, "everybody = みんな"}}, 2);
    Start();
    ExpectSentenceClear("flash: every word shown", 19);
    Screenshot("long_flash");
    Tick(DrillTimer::Flash, 2);
    ExpectSentenceClear("blanks", 19);

    // A wrong first word: the correction in red, between brackets, and the
    // answer line with the first try.
    TypeOnMainRow("everybodyknowsthatoldteacher");
    Stroke(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    ExpectSentenceClear("correction", 19);
    EXPECT_TRUE(Text("w3").contains(QStringLiteral("(everybody)")));
    Screenshot("long_correction");

    // Right words after it, with long first tries for each blank.
    TypeOnMainRow("everybody");
    Stroke(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    PassOkPause();
    TypeOnMainRow("grandmothergrandmothergrand");
    Stroke(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    TypeOnMainRow("grandmother");
    Stroke(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    PassOkPause();
    ExpectSentenceClear("two words done", 19);
    TypeOnMainRow("internationalinternational");
    Stroke(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    ExpectSentenceClear("last correction", 19);
    Screenshot("long_key_answers");

    // The first tries, one per blank, stay in the left column above the
    // next answer line.
    EXPECT_EQ(Text("a0").simplified().toStdString(),
              "everybodyknowsthatoldteacher grandmothergrandmothergrand internationalinternational");
    for (const QRect& line : LineRects("a0")) {
        EXPECT_LT(line.right(), Label("i5")->x());
        EXPECT_LE(line.bottom(), Label("a1")->y());
    }
}

TEST_F(LongTextTest, ChoiceSentenceAndALongPickStayInTheirPlaces) {
    ASSERT_EQ(std::string(ChoiceSentence).size(), 180u);
    ASSERT_EQ(std::string(LongChoice).size(), 59u);
    Load({{0, "世話をする", std::string("look_after look_for ") + LongChoice, ChoiceSentence, "look after = 世話をする"},
          {0, "ねこ", "cat dog", "It is a @cat .", ""}});
    Start();
    if (Text("w1") != QStringLiteral("世話をする")) {
        Click(ChoiceShowing("cat"));
        PassOkPause();
    }
    ASSERT_EQ(Text("w1"), QStringLiteral("世話をする"));
    const int slot = machine->Screen().a[0].visible ? 1 : 0;
    ExpectSentenceClear("blank", 19);
    Screenshot("long_choice_blank");

    Click(ChoiceShowing(ToQt(LongChoice).replace(QLatin1Char('_'), QLatin1Char(' '))));
    ExpectSentenceClear("wrong pick, answer revealed in red", 19);
    EXPECT_TRUE(Text("w3").contains(QStringLiteral("(look after)")));
    const std::string line = "a" + std::to_string(slot);
    const std::string next = "a" + std::to_string(slot + 1);
    EXPECT_EQ(Text(line.c_str()).simplified(), ToQt(LongChoice).replace(QLatin1Char('_'), QLatin1Char(' ')));
    for (const QRect& rect : LineRects(line.c_str())) {
        EXPECT_LT(rect.right(), Label("i5")->x());
        EXPECT_LE(rect.bottom(), Label(next.c_str())->y());
    }
    Screenshot("long_choice_wrong");
    Click(ChoiceShowing(QStringLiteral("look after")));
    ExpectSentenceClear("right pick", 19);
}

// A sentence that fits is drawn exactly as the drill wrote it, one line at
// the size the drill chose.
TEST_F(LongTextTest, ShortSentenceKeepsItsLineAndSize) {
    Load({{0, "ねこ", "cat dog", "It is a @cat .", ""}});
    Start();
    EXPECT_EQ(Text("w3"), QStringLiteral("It is a (       ) . "));
    EXPECT_EQ(Label("w3")->font().pixelSize(), 24);
}

// A sentence of an everyday length first goes onto two lines at the size the
// drill chose; only the longest ones get smaller.
TEST_F(LongTextTest, EverydaySentenceBreaksBeforeItShrinks) {
    Load({{1, "グリーン先生は私たちの学校の英語の先生です。", "", "Ms. Green is an English @teacher at our school.",
           "teacher = 先生。teach（教える）+ er。"}});
    Start();
    TypeOnMainRow("teecher");
    Stroke(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    ExpectSentenceClear("correction", 19);
    EXPECT_EQ(Text("w3").count(QLatin1Char('\n')), 1);
    EXPECT_EQ(Label("w3")->font().pixelSize(), 19);
    Screenshot("everyday_correction");
}

}  // namespace
}  // namespace vokamo::test

#include <QTest>
#include <stdexcept>

#include "core/state/Errors.h"
#include "ui/dialogs/SelLes.h"
#include "ui/drillwindow/DrillWindowFixture.h"
#include "ui/widgets/UiGuard.h"

namespace vokamo::test {
namespace {

const QColor Light(0xD3CFC9), InRange(0, 128, 192), OutOfRange(192, 192, 192);

// A main window whose redraw fails while `failing` is set.
class FailingDisplay : public RecordingMainDisplay {
public:
    void DrawLabelsAndCells() override {
        if (failing) throw FileError("rec.ret を読めません");
    }
    bool failing = true;
};

class GuardTest : public DrillWindowTest {};

// Failures of three kinds, in a timer tick, a drill button and a dialog
// panel: each one is shown once, the window shows the state the failure
// left, and the program takes the next input as if nothing had happened.
TEST_F(GuardTest, AFailingTickButtonOrPanelShowsTheBoxAndTheProgramGoesOn) {
    Load({{0, "ねこ", "cat dog", "It is a @cat .", ""}, {0, "いぬ", "cat dog", "It is a @dog .", ""}});
    window->StartDrill();

    // The first banner tick changes the screen, then its sound fails.
    sound.failure = [] { throw std::runtime_error("no sound device"); };
    Tick(DrillTimer::Start);
    EXPECT_EQ(errors.messages, std::vector<std::string>{"no sound device"});
    EXPECT_TRUE(Label("lblTestCnt")->isVisible());
    EXPECT_EQ(Text("lblTestCnt"), QStringLiteral("第 1 回"));
    sound.failure = nullptr;
    Tick(DrillTimer::Start, 2);
    EXPECT_EQ(Text("w1"), QStringLiteral("ねこ"));

    // A click that throws something that is no exception class at all.
    sound.failure = [] { throw 42; };
    UiPanel* cat = ChoiceShowing("cat");
    ASSERT_NE(cat, nullptr);
    Click(cat);
    ASSERT_EQ(errors.messages.size(), 2u);
    EXPECT_EQ(errors.messages[1], UnknownFailureMessage);
    EXPECT_EQ(cat->Colour(), Light);  // the release still arrived
    EXPECT_EQ(Text("a0"), QString());
    sound.failure = nullptr;
    Click(cat);
    EXPECT_EQ(Text("a0"), QStringLiteral("cat"));
    PassOkPause();
    EXPECT_EQ(Text("w1"), QStringLiteral("いぬ"));
    EXPECT_EQ(st.RightCount, 1);

    // A range panel whose redraw of the main window fails: the panel still
    // shows what is stored, and the next click works.
    FailingDisplay display;
    TfrmSel sel(st, sound, display, errors);
    sel.ShowAndFill();
    Click(sel.GroupPanel(0));
    ASSERT_EQ(errors.messages.size(), 3u);
    EXPECT_EQ(errors.messages[2], "rec.ret を読めません");
    EXPECT_EQ(st.LessonSelected[0], 0);
    EXPECT_EQ(sel.GroupPanel(0)->Colour(), OutOfRange);
    display.failing = false;
    Click(sel.GroupPanel(0));
    EXPECT_EQ(st.LessonSelected[0], 1);
    EXPECT_EQ(sel.GroupPanel(0)->Colour(), InRange);
    EXPECT_EQ(errors.messages.size(), 3u);
}

}  // namespace
}  // namespace vokamo::test

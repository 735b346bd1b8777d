#include <gtest/gtest.h>

#include <QTest>
#include <filesystem>
#include <optional>

#include "Fakes.h"
#include "TestSupport.h"
#include "core/drill/DrillMachine.h"
#include "core/records/RecordFixtures.h"
#include "ui/dialogs/Omedeto.h"
#include "ui/drillwindow/QuesPan.h"
#include "ui/mainwindow/UiFirstPaint.h"
#include "ui/mainwindow/VKMain.h"

namespace vokamo {
namespace {

namespace fs = std::filesystem;
using test::PlayedSound;

// A drill started at the first moment the program allows it: the drill
// window is built after the main window's first paint, as the program does,
// and btnGo is clicked on the tick that shows it. The drill's first banner
// sound is asked for while the banner is up, and the pupil waits for its end.
TEST(StartUpDrill, FirstBannerSoundIsPlayedAndWaitedForWhileTheBannerShows) {
    const std::string dir = test::MakeTempDir();
    const fs::path oldCwd = fs::current_path();
    fs::current_path(dir);
    const test::DataShape shape = test::EvenShape(1, 8, 2, 0);
    const std::string data = test::WriteDataFile(dir, "go.dat", shape);
    test::WriteBytes(dir + "/go.ret", test::RecordBytesFor(data, shape));

    ProgramState st;
    test::RecordingSoundPlayer sound;
    test::RecordingHelpViewer help;
    test::ScriptedFileChooser files;
    test::ScriptedNamePrompt names;
    test::RecordingErrorBox errors;
    {
        TfrmMain frm(st, sound, help, files, names, errors);
        frm.Timer3->stop();  // the test gives the ticks
        std::optional<DrillMachine> machine;
        std::optional<TfrmOmedeto> omedeto;
        std::optional<TfrmQues> ques;
        FirstPaintHook hook(frm, *frm.Timer3, [&] {
            machine.emplace(st, sound);
            omedeto.emplace();
            ques.emplace(*machine, &frm, frm, *omedeto, errors);
            QObject::connect(&frm, &TfrmMain::GoRequested, &*ques, &TfrmQues::StartDrill);
        });
        frm.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frm));
        QTRY_VERIFY(hook.Done());

        for (int tick = 1; tick <= 13; ++tick) frm.Timer3Timer();
        files.answers = {dir + "/go.ret"};
        frm.btnOpenClick();
        ASSERT_TRUE(errors.messages.empty()) << errors.messages.front();
        ASSERT_FALSE(frm.btnGo->isHidden());
        sound.played.clear();

        frm.btnGo->click();
        ASSERT_TRUE(ques->isVisible());
        ques->Timer(DrillTimer::Start).stop();
        EXPECT_FALSE(machine->Screen().lblDName.visible);
        ques->tmrStartTimer();
        EXPECT_TRUE(machine->Screen().lblDName.visible);
        EXPECT_EQ(sound.played, (std::vector<PlayedSound>{{"button.wav", SoundMode::Background},
                                                          {"change.wav", SoundMode::Wait}}));
    }
    fs::current_path(oldCwd);
}

}  // namespace
}  // namespace vokamo

#include <gtest/gtest.h>
#include <unistd.h>

#include <QImage>
#include <QSignalSpy>
#include <filesystem>

#include "CaseName.h"
#include "Fakes.h"
#include "TestSupport.h"
#include "core/data/DataFile.h"
#include "core/data/SjisText.h"
#include "core/records/RecordFixtures.h"
#include "ui/mainwindow/VKMain.h"

namespace vokamo {
namespace {

namespace fs = std::filesystem;
using test::EvenShape;
using test::PlayedSound;

// The main window with recording fakes, working in a folder of its own
// (new records go into the current folder).
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = test::MakeTempDir();
        oldCwd = fs::current_path();
        fs::current_path(dir);
        frm = std::make_unique<TfrmMain>(st, sound, help, files, names, errors);
        frm->Timer3->stop();  // the test gives the ticks
        for (int i = 0; i < 13; ++i) frm->Timer3Timer();
        sound.played.clear();
    }
    void TearDown() override {
        frm.reset();
        fs::current_path(oldCwd);
    }

    // A data file and a record for it; returns the record's path.
    std::string MakePair(const std::string& name, const test::DataShape& shape) {
        const std::string data = test::WriteDataFile(dir, name + ".dat", shape);
        test::WriteBytes(dir + "/" + name + ".ret", test::RecordBytesFor(data, shape));
        return dir + "/" + name + ".ret";
    }

    void Open(const std::string& record) {
        files.answers = {record};
        frm->btnOpenClick();
        ASSERT_TRUE(errors.messages.empty()) << errors.messages.front();
    }

    static bool Shown(QWidget* w) { return !w->isHidden(); }

    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string dir;
    fs::path oldCwd;
    ProgramState st;
    test::RecordingSoundPlayer sound;
    test::RecordingHelpViewer help;
    test::ScriptedFileChooser files;
    test::ScriptedNamePrompt names;
    test::RecordingErrorBox errors;
    std::unique_ptr<TfrmMain> frm;
};

TEST(MainWindowStartUp, FirstButtonsAppearAtTheThirteenthTick) {
    ProgramState st;
    test::RecordingSoundPlayer sound;
    test::RecordingHelpViewer help;
    test::ScriptedFileChooser files;
    test::ScriptedNamePrompt names;
    test::RecordingErrorBox errors;
    TfrmMain frm(st, sound, help, files, names, errors);
    QWidget splash;
    frm.SetStartPan(&splash);
    EXPECT_TRUE(frm.Timer3->isActive());
    EXPECT_EQ(frm.Timer3->interval(), 100);
    EXPECT_EQ(frm.size(), QSize(716, 479));
    EXPECT_EQ(frm.windowTitle(), "Vantory");
    frm.Timer3->stop();
    frm.Timer3->start();
    for (int tick = 1; tick <= 12; ++tick) {
        frm.Timer3Timer();
        EXPECT_TRUE(frm.btnQuit->isHidden()) << tick;
        EXPECT_TRUE(frm.btnHelp->isHidden()) << tick;
        if (tick == 1) {
            EXPECT_TRUE(splash.isVisible());
        }
    }
    EXPECT_EQ(sound.played, (std::vector<PlayedSound>{{"huku.wav", SoundMode::Background}}));
    frm.Timer3Timer();
    EXPECT_FALSE(splash.isVisible());
    EXPECT_FALSE(frm.Timer3->isActive());
    for (QWidget* b : {frm.btnQuit, frm.btnOpen, frm.btnFileCreate, frm.btnHelp}) EXPECT_FALSE(b->isHidden());
    for (QWidget* b : {frm.btnGo, frm.btnSel, frm.btnFlash, frm.btnOption, frm.btnExChange, frm.btnErase,
                       frm.btnSheet, frm.btnReDraw})
        EXPECT_TRUE(b->isHidden()) << b->objectName().toStdString();
    EXPECT_EQ(frm.btnFlash->toolTip(), QStringLiteral("フラッシュカードで解答を表示する時間"));
    EXPECT_EQ(frm.btnSheet->geometry(), QRect(391, 5, 36, 36));
}

class MainWindowKinds : public MainWindowTest, public ::testing::WithParamInterface<int> {};

TEST_P(MainWindowKinds, OpenShowsTheRecordAndTheButtonsOfItsKind) {
    const int kind = GetParam();
    Open(MakePair("taro", EvenShape(kind, 30, 3, 2)));
    EXPECT_EQ(sound.played.front(), (PlayedSound{"button.wav", SoundMode::Background}));
    EXPECT_EQ(st.RecordOpen, 1);
    for (QWidget* b : {frm->btnGo, frm->btnFlash, frm->btnOption, frm->btnErase, frm->btnSheet})
        EXPECT_TRUE(Shown(b)) << b->objectName().toStdString();
    EXPECT_EQ(Shown(frm->btnSel), kind > 0);
    EXPECT_EQ(Shown(frm->btnExChange), kind > 1);
    EXPECT_EQ(frm->lblTitle->text(), QStringLiteral("単語テスト"));
    EXPECT_EQ(frm->lblPlayer->text(), QStringLiteral("Taro, Jr."));
    EXPECT_EQ(frm->pnlRec->text(), QStringLiteral("記録OFF"));
    EXPECT_EQ(frm->pnlFlash->text(), QStringLiteral("ﾌﾗｯｼｭ表示3"));
    EXPECT_EQ(frm->pnlOrder->text(), QStringLiteral("ﾗﾝﾀﾞﾑ順"));
    EXPECT_EQ(frm->Screen().cells.size(), 30u);
    EXPECT_TRUE(Shown(frm->LabelPanels[0]));
    EXPECT_EQ(Shown(frm->LabelPanels[2]), kind > 0);
    EXPECT_EQ(frm->LabelPanels[0]->y(), 132);
}

INSTANTIATE_TEST_SUITE_P(Kinds, MainWindowKinds, ::testing::Values(0, 1, 2, 3), test::CaseName());

// The grid is painted from the window's own model: a covered and uncovered
// window shows the same cells.
TEST_F(MainWindowTest, PaintsCellsWithStateFillAndRangeBorder) {
    Open(MakePair("taro", EvenShape(1, 8, 2, 0)));
    const QImage image = frm->grab().toImage();
    // Item 1: state 0 (blue), lesson 0 selected (black border).
    EXPECT_EQ(image.pixelColor(170, 132), QColor(0, 0, 0));
    EXPECT_EQ(image.pixelColor(174, 140), QColor(0, 0, 255));
    // Item 4 is in lesson 1, which the record deselects: white border.
    const QPoint item4(160, 132 + 21);
    EXPECT_EQ(image.pixelColor(item4), QColor(255, 255, 255));
    EXPECT_EQ(frm->LabelPanels[1]->palette().color(QPalette::Window), QColor(192, 192, 192));
    EXPECT_EQ(frm->LabelPanels[0]->palette().color(QPalette::Window), QColor(0, 128, 192));
}

TEST_F(MainWindowTest, CancelledOpenKeepsTheRecordShown) {
    Open(MakePair("taro", EvenShape(2, 20, 2, 2)));
    MakePair("jiro", EvenShape(0, 5, 1, 0));
    frm->btnOpenClick();  // cancelled
    EXPECT_EQ(st.RecordOpen, 1);
    EXPECT_EQ(st.ItemCount, 20);
    EXPECT_TRUE(Shown(frm->btnExChange));
    EXPECT_EQ(frm->Screen().cells.size(), 20u);

    test::WriteBytes(dir + "/jiro.ret", "only one line\r\n");
    files.answers = {dir + "/jiro.ret"};
    frm->btnOpenClick();  // fails
    ASSERT_EQ(errors.messages.size(), 1u);
    EXPECT_NE(errors.messages[0].find("は数値ではありません"), std::string::npos);
    EXPECT_EQ(st.RecordPath, dir + "/taro.ret");
    EXPECT_EQ(st.ItemCount, 20);
    EXPECT_EQ(test::ReadBytes(dir + "/jiro.ret"), "only one line\r\n");
}

TEST_F(MainWindowTest, CreateAsksBothNamesAndShowsTheNewRecord) {
    const std::string data = test::WriteDataFile(dir, "eigo.dat", EvenShape(3, 40, 4, 2));
    files.answers = {data};
    names.answers = {Sjis("花子"), Sjis("はなこ")};
    frm->btnFileCreateClick();
    ASSERT_TRUE(errors.messages.empty()) << errors.messages.front();
    EXPECT_EQ(names.asked.size(), 2u);
    EXPECT_EQ(frm->lblPlayer->text(), QStringLiteral("花子"));
    EXPECT_TRUE(Shown(frm->btnExChange));
    EXPECT_EQ(frm->Screen().cells.size(), 40u);
    EXPECT_FALSE(fs::exists(dir + "/はなこ.ret"));  // written at the next save
    frm->btnQuitClick();
    EXPECT_TRUE(fs::exists(dir + "/はなこ.ret"));
}

class MainWindowCreateCancelled : public MainWindowTest, public ::testing::WithParamInterface<int> {};

TEST_P(MainWindowCreateCancelled, PreviousRecordStaysOpenAndShown) {
    Open(MakePair("taro", EvenShape(2, 20, 2, 2)));
    st.ItemState[3] = 2;
    const std::string data = test::WriteDataFile(dir, "eigo.dat", EvenShape(0, 9, 1, 0));
    files.answers = {data};
    if (GetParam() >= 1) names.answers.push_back("Ken");
    frm->btnFileCreateClick();
    EXPECT_EQ(st.RecordPath, dir + "/taro.ret");
    EXPECT_EQ(st.DataPath, dir + "/taro.dat");
    EXPECT_EQ(st.ItemCount, 20);
    EXPECT_EQ(st.ItemState[3], 2);
    EXPECT_EQ(frm->lblPlayer->text(), QStringLiteral("Taro, Jr."));
    EXPECT_TRUE(Shown(frm->btnExChange));
    // Quitting now stores the kept record with its own data.
    frm->btnQuitClick();
    const std::string saved = test::ReadBytes(dir + "/taro.ret");
    EXPECT_EQ(saved.substr(0, saved.find("\r\n")), dir + "/taro.dat");
    EXPECT_NE(saved.find("\r\n2,20,"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(AtEachPrompt, MainWindowCreateCancelled, ::testing::Values(0, 1), test::CaseName());

TEST_F(MainWindowTest, EraseResetsEveryItemAndRedraws) {
    Open(MakePair("taro", EvenShape(1, 10, 2, 0)));
    sound.played.clear();
    frm->btnEraseClick();
    EXPECT_EQ(sound.played, (std::vector<PlayedSound>{{"change.wav", SoundMode::Background},
                                                      {"piyo1.wav", SoundMode::Wait}}));
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(st.ItemTries[i], 0);
        EXPECT_EQ(st.ItemState[i], -1);
        EXPECT_EQ(frm->Screen().cells[i].fill, NeverAnsweredColour);
    }
    frm->close();
    EXPECT_NE(test::ReadBytes(dir + "/taro.ret").find("\r\n0,-1\r\n0,-1\r\n0,-1\r\n"), std::string::npos);
}

TEST_F(MainWindowTest, FocusSwitchRegroupsByCodeAndBack) {
    Open(MakePair("taro", EvenShape(2, 12, 3, 2)));
    sound.played.clear();
    frm->btnExChangeClick();
    EXPECT_TRUE(sound.played.empty());
    EXPECT_EQ(st.FocusOnCode, 1);
    EXPECT_EQ(frm->LabelPanels[0]->text(), QStringLiteral("コード0"));
    EXPECT_TRUE(Shown(frm->LabelPanels[1]));
    EXPECT_FALSE(Shown(frm->LabelPanels[2]));
    frm->btnExChangeClick();
    EXPECT_EQ(st.FocusOnCode, 0);
    EXPECT_EQ(frm->LabelPanels[0]->text(), QStringLiteral("第1課"));
    EXPECT_TRUE(Shown(frm->LabelPanels[2]));
}

TEST_F(MainWindowTest, HelpAndRedrawSwapPlaces) {
    frm->btnHelpClick();
    EXPECT_EQ(help.shown, (std::vector<std::string>{"vk40.HLP"}));
    EXPECT_TRUE(frm->btnHelp->isHidden());
    EXPECT_TRUE(Shown(frm->btnReDraw));
    EXPECT_EQ(frm->btnReDraw->geometry(), frm->btnHelp->geometry());
    frm->btnReDrawClick();
    EXPECT_TRUE(Shown(frm->btnHelp));
    EXPECT_TRUE(frm->btnReDraw->isHidden());
    EXPECT_EQ(sound.played, (std::vector<PlayedSound>{{"piyo1.wav", SoundMode::Wait}}));
}

TEST_F(MainWindowTest, ButtonsForOtherWindowsOnlySignal) {
    Open(MakePair("taro", EvenShape(1, 4, 1, 0)));
    sound.played.clear();
    QSignalSpy go(frm.get(), &TfrmMain::GoRequested);
    QSignalSpy sel(frm.get(), &TfrmMain::SelRequested);
    QSignalSpy flash(frm.get(), &TfrmMain::FlashRequested);
    QSignalSpy option(frm.get(), &TfrmMain::OptionRequested);
    frm->btnGo->click();
    frm->btnSel->click();
    frm->btnFlash->click();
    frm->btnOption->click();
    EXPECT_EQ(go.count() + sel.count() + flash.count() + option.count(), 4);
    EXPECT_TRUE(sound.played.empty());

    QSignalSpy sheet(frm.get(), &TfrmMain::SheetRequested);
    frm->btnSheet->click();
    EXPECT_EQ(sheet.count(), 1);
    EXPECT_EQ(sound.played, (std::vector<PlayedSound>{{"button.wav", SoundMode::Background},
                                                      {"piyo1.wav", SoundMode::Wait}}));
}

TEST_F(MainWindowTest, QuitWithoutRecordWritesNothing) {
    QSignalSpy closed(frm.get(), &TfrmMain::Closed);
    frm->btnQuitClick();
    EXPECT_EQ(closed.count(), 1);
    EXPECT_TRUE(Files().empty());
    EXPECT_TRUE(errors.messages.empty());
}

TEST_F(MainWindowTest, UnwritableRecordAtQuitIsReportedOnceAndTheWindowCloses) {
    Open(MakePair("taro", EvenShape(1, 4, 1, 0)));
    st.RecordPath = dir + "/gone/taro.ret";
    QSignalSpy closed(frm.get(), &TfrmMain::Closed);
    frm->btnQuitClick();
    EXPECT_EQ(closed.count(), 1);
    EXPECT_EQ(errors.messages.size(), 1u);
}

// Pictures of the window to look at: one per kind of question data.
TEST_F(MainWindowTest, Screenshots) {
    const std::vector<std::pair<int, test::DataShape>> kinds = {{0, EvenShape(0, 70, 1, 0)},
                                                                {1, EvenShape(1, 120, 5, 0)},
                                                                {2, EvenShape(2, 200, 6, 4)},
                                                                {3, EvenShape(13, 90, 3, 2)}};
    for (auto [kind, shape] : kinds) {
        const std::string name = "shot" + std::to_string(kind);
        Open(MakePair(name, shape));
        for (int i = 0; i < st.ItemCount; ++i) st.ItemState[i] = i % 7 - 1;
        frm->RedrawStep();
        frm->show();
        const QString out =
            QString::fromStdString(test::ShotPath("main_kind" + std::to_string(kind) + ".png"));
        EXPECT_TRUE(frm->grab().save(out));
    }
}

// The shipped sample question files, each made into a new record through
// the create button.
TEST_F(MainWindowTest, SampleScreenshots) {
    std::vector<fs::path> samples;
    if (fs::is_directory(test::SamplesDir()))
        for (const auto& e : fs::directory_iterator(test::SamplesDir()))
            if (e.path().extension() == ".dat") samples.push_back(e.path());
    if (samples.empty()) GTEST_SKIP() << "no samples yet";
    std::sort(samples.begin(), samples.end());
    int n = 0;
    for (const auto& sample : samples) {
        files.answers = {sample.string()};
        names.answers = {Sjis("はなこ"), "pupil" + std::to_string(n++)};
        frm->btnFileCreateClick();
        ASSERT_TRUE(errors.messages.empty()) << sample << ": " << errors.messages.front();
        ASSERT_EQ(st.DataPath, sample.string());
        for (int i = 0; i < st.ItemCount; ++i) st.ItemState[i] = (i * 7 / 3) % 4 - 1;
        if (HasLessons(st.DataKind)) st.LessonSelected[1] = false;
        frm->RedrawStep();
        frm->show();
        EXPECT_EQ(frm->Screen().cells.size(), static_cast<size_t>(st.ItemCount));
        const QString out =
            QString::fromStdString(test::ShotPath("main_sample_" + sample.stem().string() + ".png"));
        EXPECT_TRUE(frm->grab().save(out));
    }
}

}  // namespace
}  // namespace vokamo

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLockFile>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <numeric>
#include <thread>

#include "Fakes.h"
#include "TestSupport.h"
#include "core/drill/DrillMachine.h"
#include "core/records/RecordFile.h"
#include "core/records/RecordFixtures.h"
#include "core/records/RecordSession.h"
#include "core/records/RecordText.h"
#include "ui/dialogs/Omedeto.h"
#include "ui/drillwindow/QuesPan.h"
#include "ui/mainwindow/VKMain.h"
#include "ui/platform/UiRecordLocks.h"
#include "ui/platform/UiSaveFailurePrompt.h"
#include "ui/platform/UiSignalPipe.h"
#include "ui/widgets/UiPanel.h"

namespace vokamo {
namespace {

namespace fs = std::filesystem;
using test::EvenShape;

int Sum(const std::array<int32_t, MaxItems>& values, int n) {
    return std::accumulate(values.begin(), values.begin() + n, 0);
}

// The program as main() puts it together: the main window with its record
// guards and the session's end wired in, the drill window over it, and a
// recorded multiple-choice record open.
class SessionEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = test::MakeTempDir();
        oldCwd = fs::current_path();
        fs::current_path(dir);
        const auto shape = EvenShape(3, 6, 1, 1);  // every item multiple choice
        const std::string data = test::WriteDataFile(dir, "eigo.dat", shape);
        std::string bytes = test::RecordBytesFor(data, shape);
        bytes.replace(bytes.find(",1,3,1,0"), 8, ",0,0,0,0");  // recording on, in order
        record = dir + "/taro.ret";
        test::WriteBytes(record, bytes);

        frm = std::make_unique<TfrmMain>(st, sound, help, files, names, errors);
        frm->Timer3->stop();
        for (int i = 0; i < 13; ++i) frm->Timer3Timer();
        frm->SetRecordGuards(locks, prompt);
        pipe = std::make_unique<UiSignalPipe>(std::initializer_list<int>{SIGTERM, SIGHUP, SIGINT});
        frm->ConnectSessionEnd(*pipe);
        machine = std::make_unique<DrillMachine>(st, sound);
        ques = std::make_unique<TfrmQues>(*machine, frm.get(), *frm, omedeto, errors);
        QObject::connect(frm.get(), &TfrmMain::GoRequested, ques.get(), &TfrmQues::StartDrill);
        files.answers = {record};
        frm->btnOpenClick();
        ASSERT_TRUE(errors.messages.empty()) << errors.messages.front();
        frm->show();
        triesBefore = Sum(st.ItemTries, st.ItemCount);
    }
    void TearDown() override {
        ques.reset();
        machine.reset();
        pipe.reset();
        frm.reset();
        fs::current_path(oldCwd);
    }

    // Starts a drill and gives the right answer to its first question.
    void AnswerOneRight() {
        frm->btnGo->click();
        ASSERT_TRUE(ques->isVisible());
        for (int i = 0; i < 3; ++i) ques->tmrStartTimer();
        for (int k = 0; k < ChoiceButtonCount; ++k) {
            auto* choice = ques->findChild<UiPanel*>(QString::fromStdString("s" + std::to_string(k)));
            if (choice && choice->isVisibleTo(ques.get()) && choice->Caption().startsWith("pen")) {
                QTest::mouseClick(choice, Qt::LeftButton);
                return;
            }
        }
        FAIL() << "no right answer on the screen";
    }

    // The record on disk, read afresh.
    ProgramState OnDisk() const {
        ProgramState disk;
        OpenRecord(disk, record);
        return disk;
    }

    std::string dir, record;
    fs::path oldCwd;
    ProgramState st;
    int triesBefore = 0;
    test::RecordingSoundPlayer sound;
    test::RecordingHelpViewer help;
    test::ScriptedFileChooser files;
    test::ScriptedNamePrompt names;
    test::RecordingErrorBox errors;
    test::FakeRecordLocks locks;
    test::ScriptedSaveFailurePrompt prompt;
    std::unique_ptr<TfrmMain> frm;
    std::unique_ptr<UiSignalPipe> pipe;
    std::unique_ptr<DrillMachine> machine;
    TfrmOmedeto omedeto;
    std::unique_ptr<TfrmQues> ques;
};

// Leaving a drill stores it at once; a SIGTERM in the middle of the next
// drill (the desktop session ending) leaves the drill, counts the answer
// still in its pause, saves and closes, all from the event loop.
TEST_F(SessionEndTest, LeavingADrillOrEndingTheSessionKeepsThatDrill) {
    AnswerOneRight();
    QTest::keyClick(ques.get(), Qt::Key_Escape);
    ASSERT_FALSE(ques->isVisible());
    EXPECT_EQ(Sum(OnDisk().ItemTries, st.ItemCount), triesBefore + 1);

    AnswerOneRight();
    QSignalSpy closed(frm.get(), &TfrmMain::Closed);
    ASSERT_EQ(::kill(::getpid(), SIGTERM), 0);
    for (int i = 0; i < 250 && closed.count() == 0; ++i) QTest::qWait(20);
    ASSERT_EQ(closed.count(), 1);
    EXPECT_FALSE(ques->isVisible());
    const ProgramState disk = OnDisk();
    EXPECT_EQ(Sum(disk.ItemTries, st.ItemCount), triesBefore + 2);
    EXPECT_EQ(disk.ItemState, st.ItemState);
    EXPECT_TRUE(prompt.asked.empty());
    EXPECT_TRUE(errors.messages.empty());
}

// A save that fails at quit is not passed over: the pupil is asked, her
// record goes where she says, and nothing asks again at the last moment.
TEST_F(SessionEndTest, FailedSaveAtQuitAsksWhereToPutTheRecord) {
    AnswerOneRight();
    ques->close();
    st.RecordPath = dir + "/pulled out/taro.ret";
    prompt.choices = {FailedSaveChoice::SaveElsewhere};
    prompt.places = {dir + "/rescued"};
    QSignalSpy closed(frm.get(), &TfrmMain::Closed);
    frm->btnQuitClick();
    EXPECT_EQ(closed.count(), 1);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_NE(prompt.asked[0].find("見つかりません"), std::string::npos) << prompt.asked[0];
    record = dir + "/rescued.ret";
    EXPECT_EQ(Sum(OnDisk().ItemTries, st.ItemCount), triesBefore + 1);
    frm->SaveBeforeExit();
    ::kill(::getpid(), SIGTERM);
    QTest::qWait(50);
    EXPECT_EQ(prompt.asked.size(), 1u);
}

// The boxes themselves: closing the first is no choice to lose the session,
// and the confirmation defaults to going back.
TEST(SaveFailureBoxes, EndingUnsavedTakesTwoDeliberateClicks) {
    QWidget owner;
    UiSaveFailurePrompt prompt(&owner);
    auto next = [](std::function<void(QMessageBox*)> act) {
        QTimer::singleShot(0, [act] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            act(box);
        });
    };
    next([](QMessageBox* box) {
        EXPECT_NE(box->findChild<QPushButton*>("btnSaveElsewhere"), nullptr);
        EXPECT_TRUE(box->grab().save(QString::fromStdString(test::ShotPath("save_failed.png"))));
        QTest::keyClick(box, Qt::Key_Escape);
    });
    EXPECT_EQ(prompt.AskAfterFailedSave(WriteFailedMessage("/home/taro/usb/taro.ret", ENOSPC) + "\n\n" +
                                        FailedSaveQuestion),
              FailedSaveChoice::TryAgain);
    next([](QMessageBox* box) { box->findChild<QPushButton*>("btnEndWithoutSaving")->click(); });
    EXPECT_EQ(prompt.AskAfterFailedSave("x"), FailedSaveChoice::EndWithoutSaving);
    next([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Return); });
    EXPECT_FALSE(prompt.ConfirmEndWithoutSaving("y"));
    next([](QMessageBox* box) { box->findChild<QPushButton*>("btnConfirmEnd")->click(); });
    EXPECT_TRUE(prompt.ConfirmEndWithoutSaving("y"));

    // Going on where a record cannot be kept to one program is a choice;
    // Enter or Esc stops.
    UiGoOnPrompt goOn(&owner);
    next([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Return); });
    EXPECT_FALSE(goOn.AskGoOn(SharedUseWarning));
    next([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); });
    EXPECT_FALSE(goOn.AskGoOn(SharedUseWarning));
    next([](QMessageBox* box) {
        EXPECT_TRUE(box->grab().save(QString::fromStdString(test::ShotPath("go_on.png"))));
        box->findChild<QPushButton*>("btnGoOn")->click();
    });
    EXPECT_TRUE(goOn.AskGoOn(SharedUseWarning));
}

// A logout's SIGTERM while the failed-save question shows: nobody will
// answer, and a SIGKILL may follow. The question closes at once, the record
// goes to its emergency copy, and nothing more is asked.
TEST(SaveFailureBoxes, SignalDuringTheQuestionClosesItAndRescuesTheRecord) {
    QWidget owner;
    UiSaveFailurePrompt prompt(&owner);
    test::FakeRecordLocks locks;
    test::RecordingErrorBox errors;
    ProgramState st;
    RecordSession session(st, errors);
    session.SetGuards(locks, prompt);
    const std::string dir = test::MakeTempDir();
    const auto shape = EvenShape(1, 6, 2, 0);
    fs::create_directories(dir + "/usb");
    test::WriteBytes(dir + "/usb/taro.ret",
                     test::RecordBytesFor(test::WriteDataFile(dir, "eigo.dat", shape), shape));
    test::ScriptedFileChooser files;
    files.answers = {dir + "/usb/taro.ret"};
    ASSERT_TRUE(session.Open(files));
    fs::remove_all(dir + "/usb");  // the stick pulled out

    UiSignalPipe pipe({SIGTERM});
    bool rescued = false;
    QObject::connect(&pipe, &UiSignalPipe::Arrived,
                     [&] { rescued = session.SignalArrived(dir + "/rescue").has_value(); });
    std::thread sender([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        ::kill(::getpid(), SIGTERM);
    });
    QElapsedTimer clock;
    clock.start();
    session.Quit();
    sender.join();
    EXPECT_LT(clock.elapsed(), 1300);
    EXPECT_TRUE(rescued);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    int copies = 0;
    for (const auto& e : fs::directory_iterator(dir + "/rescue")) copies += e.path().extension() == ".ret";
    EXPECT_EQ(copies, 1);
}

// Lock files: a second taker is refused while the first holds the lock, and
// a lock whose program died is taken over.
TEST(RecordLockFiles, OneHolderAndStaleLocksTakenOver) {
    const std::string record = test::MakeTempDir() + "/taro.ret";
    EXPECT_EQ(fs::path(UiRecordLocks::LockPath(record)).filename(), ".taro.ret.vokamo-lock");
    UiRecordLocks locks;
    LockFileState state = LockFileState::InUse;
    auto first = locks.Lock(record, state);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(state, LockFileState::Taken);
    EXPECT_EQ(locks.Lock(record, state), nullptr);
    EXPECT_EQ(state, LockFileState::InUse);
    first.reset();

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        QLockFile crashed(QString::fromStdString(UiRecordLocks::LockPath(record)));
        ::_exit(crashed.tryLock(0) ? 0 : 1);  // dies holding it
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(fs::exists(UiRecordLocks::LockPath(record)));
    EXPECT_NE(locks.Lock(record, state), nullptr);
    EXPECT_EQ(state, LockFileState::Taken);
}

}  // namespace
}  // namespace vokamo

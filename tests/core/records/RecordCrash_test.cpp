#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>

#include "RecordFixtures.h"
#include "TestSupport.h"
#include "core/records/RecordFile.h"
#include "core/state/Errors.h"

namespace vokamo {
namespace {

namespace fs = std::filesystem;
using test::EvenShape;
using test::ReadBytes;

std::vector<std::string> FilesIn(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class RecordCrashTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = test::MakeTempDir();
        const auto shape = EvenShape(2, 300, 4, 3);
        const std::string data = test::WriteDataFile(dir, "taro.dat", shape);
        record = dir + "/taro.ret";
        test::WriteBytes(record, test::RecordBytesFor(data, shape));
        OpenRecord(st, record);
        oldBytes = ReadBytes(record);
        // The new record differs in length too, so a torn file cannot pass.
        ProgramState next = st;
        next.ItemTries.fill(123456);
        next.ItemState.fill(2);
        newState = next;
        WriteRecordFile(newState);
        newBytes = ReadBytes(record);
        WriteRecordFile(st);
        ASSERT_NE(oldBytes.size(), newBytes.size());
    }

    std::string dir, record, oldBytes, newBytes;
    ProgramState st, newState;
};

// A process saving over and over is killed at random moments: whatever the
// moment, the record on disk is the old one or the new one, whole, and the
// next open leaves no temporary file behind.
TEST_F(RecordCrashTest, KilledSavesLeaveAWholeRecordAndNoTemporaryFile) {
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> pause(0, 4000);  // microseconds
    int interrupted = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int trial = 0; trial < 220; ++trial) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            for (bool flip = false;; flip = !flip) {
                try {
                    WriteRecordFile(flip ? st : newState);
                } catch (...) {
                    ::_exit(3);
                }
            }
        }
        ::usleep(static_cast<useconds_t>(pause(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saving process failed on its own at trial " << trial;

        const std::string bytes = ReadBytes(record);
        ASSERT_TRUE(bytes == oldBytes || bytes == newBytes) << "torn record at trial " << trial;
        if (FilesIn(dir).size() > 2) ++interrupted;
        ProgramState reopened;
        OpenRecord(reopened, record);
        ASSERT_EQ(FilesIn(dir), (std::vector<std::string>{"taro.dat", "taro.ret"})) << "trial " << trial;
    }
    RecordProperty("KillsThatLeftATemporaryFile", interrupted);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::minutes(1));
}

// A folder that takes no new file: the record is rewritten in place, and a
// rewrite that fails there writes the old bytes back.
TEST_F(RecordCrashTest, FolderWithoutNewFilesIsSavedInPlace) {
    RecordWriteHooks noTemp;
    noTemp.makeTemp = [](std::string&) {
        errno = EACCES;
        return -1;
    };
    WriteRecordFile(newState, noTemp);
    EXPECT_EQ(ReadBytes(record), newBytes);
    WriteRecordFile(st, noTemp);  // shorter than what is there
    EXPECT_EQ(ReadBytes(record), oldBytes);

    RecordWriteHooks brokenWrite = noTemp;
    brokenWrite.afterInPlaceWrite = [] { throw FileError("disk gone"); };
    EXPECT_THROW(WriteRecordFile(newState, brokenWrite), FileError);
    EXPECT_EQ(ReadBytes(record), oldBytes);
    EXPECT_EQ(FilesIn(dir), (std::vector<std::string>{"taro.dat", "taro.ret"}));

    // No record yet and no new file allowed: nothing can be done, and the
    // reason is told in Japanese.
    ProgramState fresh = st;
    fresh.RecordPath = dir + "/new.ret";
    try {
        WriteRecordFile(fresh, noTemp);
        ADD_FAILURE() << "a record was made where no file may be made";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("権限がありません"), std::string::npos) << e.what();
    }
}

}  // namespace
}  // namespace vokamo

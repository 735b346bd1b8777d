#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QLockFile>
#include <cstdlib>
#include <filesystem>

#include "Fakes.h"
#include "TestSupport.h"
#include "core/records/RecordFile.h"
#include "core/records/RecordFixtures.h"
#include "core/records/RecordLifecycle.h"
#include "core/state/Errors.h"
#include "ui/platform/UiRecordLocks.h"

namespace vokamo {
namespace {

namespace fs = std::filesystem;

// The tests run as root on the build machines, and root may write anywhere:
// a folder's or a file's read-only mode only holds for an ordinary user. So
// the table runs with the effective user "nobody" (the saved user stays
// root, which takes it back afterwards).
constexpr uid_t Nobody = 65534;

class AsOrdinaryUser {
public:
    explicit AsOrdinaryUser(const std::string& dir) {
        if (::geteuid() != 0) return;
        fs::path p(dir);
        if (::chown(p.c_str(), Nobody, Nobody) != 0) return;
        switched_ = ::setegid(Nobody) == 0 && ::seteuid(Nobody) == 0;
    }
    ~AsOrdinaryUser() {
        if (!switched_) return;
        // Without root back, every later test would run as nobody.
        if (::seteuid(0) != 0 || ::setegid(0) != 0) std::abort();
    }

private:
    bool switched_ = false;
};

struct FolderCase {
    const char* name;
    bool folderWritable;
    bool recordWritable;
    bool staleLock;  // a lock file of a program that died
    bool symlink;    // the record is opened through a link in another folder
    // What must happen:
    bool warned;         // the open asks before going on without protection
    bool secondRefused;  // a second program cannot open the record, also after a save
    bool saved;          // the results reach the record file
};

void PrintTo(const FolderCase& c, std::ostream* os) {
    *os << c.name;
}

class RecordFolders : public ::testing::TestWithParam<FolderCase> {};

// One record in one folder condition, used by a first program (open, drill,
// save) while a second one tries to open it.
TEST_P(RecordFolders, OneProgramPerRecordAndTheSaveReachesTheFile) {
    const FolderCase& c = GetParam();
    const std::string dir = test::MakeTempDir();
    AsOrdinaryUser user(dir);
    const std::string folder = dir + "/class";
    fs::create_directory(folder);
    const auto shape = test::EvenShape(1, 6, 2, 0);
    const std::string data = test::WriteDataFile(folder, "eigo.dat", shape);
    const std::string record = folder + "/taro.ret";
    test::WriteBytes(record, test::RecordBytesFor(data, shape));
    std::string opened = record;
    if (c.symlink) {
        fs::create_directory(dir + "/desk");
        opened = dir + "/desk/link.ret";
        fs::create_symlink(record, opened);
    }
    if (c.staleLock) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            QLockFile crashed(QString::fromStdString(UiRecordLocks::LockPath(record)));
            ::_exit(crashed.tryLock(0) ? 0 : 1);  // dies holding it
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    if (!c.recordWritable) fs::permissions(record, fs::perms::owner_read | fs::perms::group_read);
    if (!c.folderWritable) fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);

    // The first program: a pupil who stops at the warning may try again and go on.
    UiRecordLocks firstLocks;
    test::ScriptedGoOnPrompt firstAsk;
    firstAsk.answers = {false, true};
    RecordLockKeeper first(firstLocks, &firstAsk);
    ProgramState st;
    test::ScriptedFileChooser files;
    files.answers = {opened, opened};
    bool open = OpenRecordStep(st, files, &first, nullptr, &firstAsk);
    EXPECT_EQ(open, !c.warned);
    if (!open) open = OpenRecordStep(st, files, &first, nullptr, &firstAsk);
    ASSERT_TRUE(open);
    EXPECT_EQ(firstAsk.asked.size(), c.warned ? 2u : 0u);
    for (const std::string& warning : firstAsk.asked)
        EXPECT_NE(warning.find(SharedUseWarning), std::string::npos) << warning;

    auto secondTries = [&](const char* when) {
        UiRecordLocks secondLocks;
        test::ScriptedGoOnPrompt secondAsk;
        secondAsk.answers = {true};
        RecordLockKeeper second(secondLocks, &secondAsk);
        ProgramState other;
        test::ScriptedFileChooser secondFiles;
        secondFiles.answers = {record};  // the target itself, for the link
        try {
            OpenRecordStep(other, secondFiles, &second, nullptr, &secondAsk);
            EXPECT_FALSE(c.secondRefused) << when << ": a second program opened the record";
        } catch (const FileError& e) {
            EXPECT_TRUE(c.secondRefused) << when << ": " << e.what();
            EXPECT_NE(std::string(e.what()).find("ほかのVokamoで使われています"), std::string::npos)
                << e.what();
        }
    };
    secondTries("before the save");

    st.ItemTries[0] = 41;
    st.ItemState[0] = 2;
    try {
        SaveIfOpen(st);
        EXPECT_TRUE(c.saved) << "saved where it cannot be";
    } catch (const FileError& e) {
        EXPECT_FALSE(c.saved) << e.what();
        EXPECT_NE(std::string(e.what()).find("権限がありません"), std::string::npos) << e.what();
    }
    EXPECT_EQ(test::ReadBytes(record).find("\r\n41,2\r\n") != std::string::npos, c.saved);
    secondTries("after the save");
    if (c.symlink) {
        EXPECT_TRUE(fs::is_symlink(opened));
    }
    for (const auto& entry : fs::directory_iterator(folder))
        EXPECT_EQ(entry.path().filename().string().find("tmp"), std::string::npos) << entry.path();

    fs::permissions(folder, fs::perms::owner_all);
}

INSTANTIATE_TEST_SUITE_P(
    Conditions, RecordFolders,
    ::testing::Values(
        // name, folder writable, record writable, stale lock, link; warned, second refused, saved
        FolderCase{"Writable", true, true, false, false, false, true, true},
        FolderCase{"ReadOnlyFolder", false, true, false, false, false, true, true},
        FolderCase{"ReadOnlyRecord", true, false, false, false, false, true, true},
        FolderCase{"NoLockPossible", false, false, false, false, true, false, false},
        FolderCase{"StaleLockThatCannotBeRemoved", false, true, true, false, false, true, true},
        FolderCase{"Symlink", true, true, false, true, false, true, true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vokamo

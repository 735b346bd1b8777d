#include "core/classview/ClassExport.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>

#include "TestSupport.h"
#include "core/classview/ClassFolder.h"
#include "core/classview/ClassSummary.h"
#include "core/data/SjisText.h"
#include "core/records/RecordFile.h"
#include "core/records/RecordFixtures.h"

namespace vokamo {
namespace {

namespace fs = std::filesystem;

struct TempDir {
    std::string path = test::MakeTempDir();
    ~TempDir() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
};

// Two classes' sticks read together: the same file names in both, a pupil
// who typed markup and a formula as her name, and the folders told apart.
TEST(ClassExport, SeveralFoldersKeepTheirNamesAndPupilsTextsStayText) {
    TempDir t;
    const test::DataShape shape = test::EvenShape(0, 4, 1, 0);
    for (const char* cls : {"1a", "1b"}) {
        const std::string dir = t.path + "/" + cls;
        fs::create_directories(dir);
        const std::string data = test::WriteDataFile(dir, "book.dat", shape);
        test::WriteBytes(dir + "/p.ret", test::RecordBytesFor(data, shape, "=SUM(A1)<b>"));
    }
    test::WriteBytes(t.path + "/1b/bad.ret", "x\r\n");
    const ClassOverview o = ReadClass({t.path + "/1a", t.path + "/1b/"});
    ASSERT_EQ(o.books.size(), 1u);
    ASSERT_EQ(o.books[0].rows.size(), 2u);
    EXPECT_EQ(RecordShownPath(o, o.books[0].rows[0]), "1a/p.ret");
    EXPECT_EQ(RecordShownPath(o, o.books[0].rows[1]), "1b/p.ret");
    ASSERT_EQ(o.unread.size(), 1u);
    EXPECT_EQ(UnreadShownPath(o, o.unread[0]), "1b/bad.ret");

    const std::string csv = ClassCsv(o, ReportLanguage::English);
    EXPECT_NE(csv.find("\"'=SUM(A1)<b>\""), std::string::npos);
    EXPECT_EQ(csv.find("\"=SUM"), std::string::npos);
    // A name is printed as it was typed, never as markup.
    const std::string html = ClassPrintHtml(o, "today");
    EXPECT_EQ(html.find("<b>"), std::string::npos);
    EXPECT_NE(html.find("=SUM(A1)&lt;b&gt;"), std::string::npos);
    // One page per book: no page break before the first.
    EXPECT_EQ(html.find("page-break-before"), std::string::npos);
}

TEST(ClassExport, EveryBookHasItsPageAndItsTenHardestWords) {
    TempDir t;
    for (int b = 0; b < 3; ++b) {
        test::DataShape shape = test::EvenShape(1, 30, 2, 0);
        shape.title = "book" + std::to_string(b);
        const std::string dir = t.path + "/" + shape.title;
        fs::create_directories(dir);
        const std::string data = test::WriteDataFile(dir, "b.dat", shape);
        test::WriteBytes(dir + "/p.ret", test::RecordBytesFor(data, shape));
    }
    const ClassOverview o = ReadClass({t.path});
    ASSERT_EQ(o.books.size(), 3u);
    const std::string html = ClassPrintHtml(o, "today");
    size_t breaks = 0, rows = 0;
    for (size_t at = 0; (at = html.find("page-break-before", at)) != std::string::npos; ++at) ++breaks;
    for (size_t at = 0; (at = html.find("<tr>", at)) != std::string::npos; ++at) ++rows;
    EXPECT_EQ(breaks, 2u);
    // Per page: the header and the pupil of the class table, the header and
    // ten words of the hardest words.
    EXPECT_EQ(rows, 3u * (2 + 1 + PrintedHardWords));
}

// The lock of a record: fresh and held by a running program, left behind by
// an ended one, or not touched for longer than a pupil's program leaves it.
TEST(ClassExport, ARecordCountsAsInUseOnlyWhileItsLockIsLive) {
    TempDir t;
    const std::string record = t.path + "/r.ret";
    test::WriteBytes(record, "x");
    const std::string lock = RecordLockPath(record);
    char host[256] = {};
    gethostname(host, sizeof host - 1);
    struct Case {
        const char* what;
        std::string text;
        int ageMinutes;
        bool inUse;
    };
    const Case cases[] = {
        {"no lock", "", -1, false},
        {"this program, fresh", std::to_string(getpid()) + "\nvokamo\n" + host + "\n", 0, true},
        {"this program, untouched for long", std::to_string(getpid()) + "\nvokamo\n" + host + "\n", 30,
         false},
        {"an ended program here", "999999999\nvokamo\n" + std::string(host) + "\n", 0, false},
        {"a program on another computer", "4242\nvokamo\nanother-computer\n", 1, true},
        {"a lock we cannot read", "", 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::error_code ec;
        fs::remove(lock, ec);
        if (c.ageMinutes >= 0) {
            test::WriteBytes(lock, c.text);
            const time_t then = std::time(nullptr) - c.ageMinutes * 60;
            const timespec times[2] = {{then, 0}, {then, 0}};
            ASSERT_EQ(utimensat(AT_FDCWD, lock.c_str(), times, 0), 0);
        }
        EXPECT_EQ(RecordInUse(record, 5), c.inUse);
    }
}

TEST(ClassExport, TheFolderUsedLastIsRememberedWhileItIsThere) {
    TempDir t;
    const std::string memory = t.path + "/config/vokamo/class-folder";
    EXPECT_EQ(RememberedClassFolder(memory), "");
    const std::string folder = t.path + "/クラス 2A";
    fs::create_directories(folder);
    ASSERT_TRUE(RememberClassFolder(memory, folder));
    EXPECT_EQ(RememberedClassFolder(memory), folder);
    fs::remove(folder);
    EXPECT_EQ(RememberedClassFolder(memory), "");
    // A name that would end the line is not kept.
    EXPECT_FALSE(RememberClassFolder(memory, t.path + "/a\nb"));
    EXPECT_FALSE(RememberClassFolder("", t.path));
}

// The grid of a pupil: groups the record does not hold start in the range,
// as when the pupil opens the record; the counts follow.
TEST(ClassExport, AnOlderRecordOfAGrownBookIsCountedWithItsNewGroupsInRange) {
    TempDir t;
    test::DataShape shape = test::EvenShape(1, 6, 3, 0);  // lessons 0,0,1,1,2,2
    const std::string data = test::WriteDataFile(t.path, "b.dat", shape);
    // The record knows two lessons, the second deselected.
    const std::string record = test::CrLf({data, Sjis(shape.title), "Aki", "1,6,0,0,0,0", "2", "1", "0",
                                           "1,2", "1,2", "1,2", "1,2", "1,2", "1,2"});
    test::WriteBytes(t.path + "/a.ret", record);
    const ClassOverview o = ReadClass({t.path});
    ASSERT_EQ(o.books.size(), 1u);
    const PupilRow& row = o.books[0].rows.at(0);
    EXPECT_EQ(row.rangeItems, 4);
    EXPECT_EQ(row.learnedInRangePercent, 100);
    const ProgramState st = PupilState(o.books[0], row);
    EXPECT_EQ(st.LessonSelected[0], 1);
    EXPECT_EQ(st.LessonSelected[1], 0);
    EXPECT_EQ(st.LessonSelected[2], 1);
    EXPECT_EQ(st.PlayerName, "Aki");
}

}  // namespace
}  // namespace vokamo

#include "core/classview/ClassSummary.h"

#include <csv.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <optional>
#include <vector>

#include "TestSupport.h"
#include "core/classview/ClassExport.h"
#include "core/data/SjisText.h"
#include "core/records/RecordFile.h"
#include "core/records/RecordFixtures.h"

namespace vokamo {
namespace {

namespace fs = std::filesystem;
using test::DataShape;
using test::EvenShape;

// A record of `shape`'s book with the given progress; lessons as selected.
std::string Record(const std::string& line1, const DataShape& shape, const std::string& player,
                   const std::vector<int>& tries, const std::vector<int>& states,
                   const std::vector<int>& lessonsSelected) {
    std::vector<std::string> lines = {
        line1, Sjis(shape.title), player,
        std::to_string(shape.typeCode) + "," + std::to_string(tries.size()) + ",0,0,0,0"};
    if (shape.typeCode % 10 > 0) {
        lines.push_back(std::to_string(lessonsSelected.size()));
        for (int s : lessonsSelected) lines.push_back(std::to_string(s));
    }
    for (size_t i = 0; i < tries.size(); ++i)
        lines.push_back(std::to_string(tries[i]) + "," + std::to_string(states[i]));
    return test::CrLf(lines);
}

// What one record should become: a row with these counts, or a line of
// the unread list (expectRow false).
struct Expected {
    std::string relPath;
    bool expectRow = true;
    std::string book;  // title of the book it lands in
    int learned = 0, rightOnce = 0, wrong = 0, never = 0;
    long attempts = 0;
    int percent = 0;
    bool inUse = false;
    std::string pupil;  // UTF-8
};

Expected Unread(const std::string& relPath) {
    Expected e;
    e.relPath = relPath;
    e.expectRow = false;
    return e;
}

struct ClassFolder {
    std::string dir;
    std::vector<Expected> expected;
    ~ClassFolder() {
        std::error_code ec;
        fs::permissions(dir + "/h", fs::perms::owner_all, ec);
        fs::remove_all(dir, ec);
    }
};

const DataShape& Book() {
    // Kind 1, 6 items: items 0-2 in lesson 0, items 3-5 in lesson 1.
    static const DataShape shape = [] {
        DataShape s = EvenShape(1, 6, 2, 0);
        s.title = "基本単語";
        return s;
    }();
    return shape;
}

const DataShape& SmallBook() {
    static const DataShape shape = [] {
        DataShape s = EvenShape(0, 3, 1, 0);
        s.title = "小テスト";
        return s;
    }();
    return shape;
}

void MakeClass(ClassFolder& c) {
    const std::string d = c.dir;
    for (const char* sub : {"a", "b", "c", "d", "e", "f", "g", "h", "k"})
        fs::create_directories(d + "/" + sub);
    const std::string book = test::WriteDataFile(d, "book.dat", Book());
    test::WriteDataFile(d + "/k", "small.dat", SmallBook());

    // In range: lesson 0 only (items 0-2). Learned 0 and 1, so 2 of 3.
    test::WriteBytes(d + "/a/taro.ret",
                     Record(book, Book(), "Taro", {2, 3, 1, 4, 0, 0}, {2, 2, 1, 0, -1, -1}, {1, 0}));
    c.expected.push_back({"a/taro.ret", true, "基本単語", 2, 1, 1, 2, 10, 66, false, "Taro"});

    // A Windows path to a question file now lying beside the record, a
    // Shift-JIS name, and the same pupil twice.
    test::WriteDataFile(d + "/b", "book.dat", Book());
    test::WriteBytes(d + "/b/hanako.ret", Record("C:\\Vokamo\\book.dat", Book(), Sjis("花子"),
                                                 {2, 2, 2, 2, 2, 5}, {2, 2, 2, 2, 2, 0}, {1, 1}));
    c.expected.push_back({"b/hanako.ret", true, "基本単語", 5, 0, 1, 0, 15, 83, false, "花子"});
    test::WriteBytes(d + "/b/hanako2.ret", Record("book.dat", Book(), Sjis("花子"), {0, 0, 0, 1, 0, 0},
                                                  {-1, -1, -1, 0, 7, -1}, {0, 1}));
    c.expected.push_back({"b/hanako2.ret", true, "基本単語", 0, 0, 1, 5, 1, 0, false, "花子"});

    // Broken: another program's file, and a record whose question file is gone.
    test::WriteBytes(d + "/c/notes.ret", "shopping list\r\nmilk, eggs\r\n");
    c.expected.push_back(Unread("c/notes.ret"));
    test::WriteBytes(d + "/c/lost.ret", Record(d + "/nowhere/gone.dat", Book(), "Ken", {0, 0, 0, 0, 0, 0},
                                               {-1, -1, -1, -1, -1, -1}, {1, 1}));
    c.expected.push_back(Unread("c/lost.ret"));

    // Open in a pupil's program right now: the lock names this process.
    test::WriteBytes(d + "/d/jiro.ret",
                     Record(book, Book(), "Jiro", {1, 1, 1, 1, 1, 1}, {1, 1, 1, 1, 1, 1}, {1, 1}));
    char host[256] = {};
    gethostname(host, sizeof host - 1);
    test::WriteBytes(RecordLockPath(d + "/d/jiro.ret"),
                     std::to_string(getpid()) + "\nvokamo\n" + host + "\n");
    c.expected.push_back({"d/jiro.ret", true, "基本単語", 0, 6, 0, 0, 6, 0, true, "Jiro"});
    // A lock left by a program of this computer that has ended.
    test::WriteBytes(d + "/d/saburo.ret",
                     Record(book, Book(), "Saburo", {0, 0, 0, 0, 0, 0}, {-1, -1, -1, -1, -1, -1}, {1, 1}));
    test::WriteBytes(RecordLockPath(d + "/d/saburo.ret"), "999999999\nvokamo\n" + std::string(host) + "\n");
    c.expected.push_back({"d/saburo.ret", true, "基本単語", 0, 0, 0, 6, 0, 0, false, "Saburo"});

    // The question file beside a moved record is another book (title changed).
    DataShape retitled = Book();
    retitled.title = "別の本";
    test::WriteDataFile(d + "/e", "book.dat", retitled);
    test::WriteBytes(d + "/e/mika.ret", Record("/old/stick/book.dat", Book(), "Mika", {0, 0, 0, 0, 0, 0},
                                               {-1, -1, -1, -1, -1, -1}, {1, 1}));
    c.expected.push_back(Unread("e/mika.ret"));

    // Hostile entries: a pipe, a device, a sparse gigabyte, a link loop.
    ASSERT_EQ(mkfifo((d + "/f/x.ret").c_str(), 0600), 0);
    c.expected.push_back(Unread("f/x.ret"));
    fs::create_symlink("/dev/zero", d + "/f/zero.ret");
    c.expected.push_back(Unread("f/zero.ret"));
    {
        const int fd = ::open((d + "/g/huge.ret").c_str(), O_CREAT | O_WRONLY, 0600);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(ftruncate(fd, off_t{1} << 30), 0);
        ::close(fd);
    }
    c.expected.push_back(Unread("g/huge.ret"));
    fs::create_directory_symlink("..", d + "/g/loop");
    c.expected.push_back(Unread("g/loop"));
    // Unreadable only for somebody else than the superuser.
    test::WriteBytes(d + "/h/hidden.ret", "x");
    fs::permissions(d + "/h", fs::perms::none);
    if (geteuid() != 0)
        c.expected.push_back(Unread("h"));
    else
        c.expected.push_back(Unread("h/hidden.ret"));

    // A second book in a subfolder, kind 0, record with a relative path.
    test::WriteBytes(d + "/k/yuki.ret", Record("small.dat", SmallBook(), "Yuki", {3, 1, 0}, {2, 1, -1}, {}));
    c.expected.push_back({"k/yuki.ret", true, "小テスト", 1, 1, 0, 1, 4, 33, false, "Yuki"});
}

const PupilRow* FindRow(const ClassOverview& o, const std::string& rel, std::string* book) {
    for (const ClassBook& b : o.books)
        for (const PupilRow& r : b.rows)
            if (r.relPath == rel) {
                *book = b.title;
                return &r;
            }
    return nullptr;
}

TEST(ClassSummary, EveryRecordOfAClassFolderBecomesARowOrIsListedWithAReason) {
    ClassFolder c{test::MakeTempDir(), {}};
    MakeClass(c);
    ClassOverview o = ReadClass({c.dir});

    size_t rows = 0;
    for (const Expected& e : c.expected) {
        SCOPED_TRACE(e.relPath);
        std::string book;
        const PupilRow* r = FindRow(o, e.relPath, &book);
        const auto unread = std::find_if(o.unread.begin(), o.unread.end(),
                                         [&](const UnreadRecord& u) { return u.relPath == e.relPath; });
        if (!e.expectRow) {
            EXPECT_EQ(r, nullptr);
            ASSERT_NE(unread, o.unread.end());
            EXPECT_FALSE(unread->reason.empty());
            continue;
        }
        ASSERT_NE(r, nullptr);
        ++rows;
        EXPECT_EQ(unread, o.unread.end());
        EXPECT_EQ(book, e.book);
        EXPECT_EQ(r->pupil, e.pupil);
        EXPECT_EQ(r->learned, e.learned);
        EXPECT_EQ(r->rightOnce, e.rightOnce);
        EXPECT_EQ(r->wrong, e.wrong);
        EXPECT_EQ(r->never, e.never);
        EXPECT_EQ(r->attempts, e.attempts);
        EXPECT_EQ(r->learnedInRangePercent, e.percent);
        EXPECT_EQ(r->inUse, e.inUse);
        EXPECT_FALSE(r->saved.empty());
    }
    // Two books, and nothing counted twice or invented.
    ASSERT_EQ(o.books.size(), 2u);
    EXPECT_EQ(o.books[0].rows.size() + o.books[1].rows.size(), rows);

    // Reading changed nothing: no record, lock or temporary file written.
    for (const auto& entry :
         fs::recursive_directory_iterator(c.dir, fs::directory_options::skip_permission_denied))
        EXPECT_EQ(entry.path().string().find("vokamo-tmp"), std::string::npos);
}

// Parses CSV text (after its byte order mark) into rows of fields.
std::vector<std::vector<std::string>> ParseCsv(const std::string& text) {
    struct Sink {
        std::vector<std::vector<std::string>> rows{{}};
    } sink;
    csv_parser p;
    csv_init(&p, CSV_STRICT);
    auto field = [](void* s, size_t n, void* data) {
        static_cast<Sink*>(data)->rows.back().emplace_back(static_cast<const char*>(s), n);
    };
    auto row = [](int, void* data) { static_cast<Sink*>(data)->rows.emplace_back(); };
    csv_parse(&p, text.data(), text.size(), field, row, &sink);
    csv_fini(&p, field, row, &sink);
    csv_free(&p);
    sink.rows.pop_back();
    return sink.rows;
}

TEST(ClassSummary, CsvHoldsTheHandCountedTablesAndTheHardestWordsInOrder) {
    ClassFolder c{test::MakeTempDir(), {}};
    MakeClass(c);
    const ClassOverview o = ReadClass({c.dir});

    const std::string csv = ClassCsv(o, ReportLanguage::English);
    ASSERT_EQ(csv.compare(0, 3, "\xEF\xBB\xBF"), 0);
    const auto rows = ParseCsv(csv.substr(3));
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0],
              (std::vector<std::string>{"file", "title", "pupil", "record", "learned", "right_once", "wrong",
                                        "never", "attempts", "learned_in_range_percent", "saved"}));
    // The Japanese file has the same columns under other names.
    const auto ja = ParseCsv(ClassCsv(o, ReportLanguage::Japanese).substr(3));
    ASSERT_EQ(ja.size(), rows.size());
    EXPECT_NE(ja[0], rows[0]);
    EXPECT_EQ(ja[0].size(), rows[0].size());

    std::map<std::string, std::vector<std::string>> byRecord;
    for (size_t i = 1; i < rows.size(); ++i) byRecord[rows[i][3]] = rows[i];
    size_t expectedRows = 0;
    for (const Expected& e : c.expected) {
        if (!e.expectRow) continue;
        ++expectedRows;
        SCOPED_TRACE(e.relPath);
        ASSERT_TRUE(byRecord.count(e.relPath));
        const auto& f = byRecord[e.relPath];
        EXPECT_EQ(f[1], e.book);
        EXPECT_EQ(f[2], e.pupil);
        EXPECT_EQ(f[4], std::to_string(e.learned));
        EXPECT_EQ(f[5], std::to_string(e.rightOnce));
        EXPECT_EQ(f[6], std::to_string(e.wrong));
        EXPECT_EQ(f[7], std::to_string(e.never));
        EXPECT_EQ(f[8], std::to_string(e.attempts));
        EXPECT_EQ(f[9], std::to_string(e.percent));
        // ISO 8601 with the offset: date, "T", time, sign.
        ASSERT_GE(f[10].size(), 20u);
        EXPECT_EQ(f[10][10], 'T');
    }
    EXPECT_EQ(rows.size(), expectedRows + 1);

    // Hardest words of the first book, by hand. Pupils with rows: taro
    // {2,2,1,0,-1,-1} tries {2,3,1,4,0,0}; hanako {2,2,2,2,2,0} tries
    // {2,2,2,2,2,5}; hanako2 {-1,-1,-1,0,7,-1}; jiro all 1; saburo all -1.
    // Wrong now: item 3 (taro, hanako2) 2; item 5 (hanako) 1; the rest 0.
    // Item 3 was learned by hanako in 2 tries, nobody learned item 5. Then
    // attempts per learner: item 1 (3+2)/2 = 2.5, items 0, 2 and 4 at 2.0
    // (in item order). Shown from 1.
    const auto hard = ParseCsv(HardCsv(o, ReportLanguage::English).substr(3));
    std::vector<std::string> items, perLearner, wrongNow;
    for (size_t i = 1; i < hard.size(); ++i)
        if (hard[i][1] == "基本単語") {
            items.push_back(hard[i][3]);
            wrongNow.push_back(hard[i][7]);
            perLearner.push_back(hard[i][9]);
        }
    EXPECT_EQ(items, (std::vector<std::string>{"4", "6", "2", "1", "3", "5"}));
    EXPECT_EQ(wrongNow, (std::vector<std::string>{"2", "1", "0", "0", "0", "0"}));
    EXPECT_EQ(perLearner, (std::vector<std::string>{"2.0", "0.0", "2.5", "2.0", "2.0", "2.0"}));
    EXPECT_EQ(hard[1][4], "pen" + test::LetterNumber(3));
}

TEST(ClassSummary, CsvFieldsStayTextAndAnswerWordsReadAsShown) {
    // A name a spreadsheet would run as a formula, quotes and commas.
    EXPECT_EQ(ParseCsv(CsvField("=1+1") + "," + CsvField("a \"b\", c") + "\r\n")[0],
              (std::vector<std::string>{"'=1+1", "a \"b\", c"}));
    EXPECT_EQ(ParseCsv(CsvField("-3", true) + "\r\n")[0], (std::vector<std::string>{"-3"}));
    EXPECT_EQ(AnswerWords(Sjis("I @look_for my @pen .")), "look for / pen");
}

TEST(ClassSummary, ManyFilesAndDeepFoldersEndWithinTheLimits) {
    const std::string dir = test::MakeTempDir();
    std::string deep = dir;
    for (int i = 0; i < 10; ++i) fs::create_directories(deep += "/d");
    for (int i = 0; i < 300; ++i) test::WriteBytes(dir + "/n" + std::to_string(i) + ".ret", "x");
    ScanLimits limits;
    limits.maxRecords = 100;
    const ScanResult scan = ScanFolders({dir}, limits);
    EXPECT_EQ(scan.records.size(), 100u);
    // One note for the depth and one for the records left.
    EXPECT_EQ(scan.notes.size(), 2u);
    std::atomic<bool> cancel{true};
    limits.cancel = &cancel;
    EXPECT_TRUE(ScanFolders({dir}, limits).cancelled);
    std::error_code ec;
    fs::remove_all(dir, ec);
}

}  // namespace
}  // namespace vokamo

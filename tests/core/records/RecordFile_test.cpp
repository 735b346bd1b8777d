#include "core/records/RecordFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "CaseName.h"
#include "RecordFixtures.h"
#include "TestSupport.h"
#include "core/data/DataFile.h"
#include "core/data/SjisText.h"
#include "core/state/Errors.h"

namespace vokamo {
namespace {

using test::DataShape;
using test::EvenShape;
using test::ReadBytes;
using test::WriteBytes;

namespace fs = std::filesystem;

std::vector<std::string> FilesIn(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class RecordFileTest : public ::testing::Test {
protected:
    void SetUp() override { dir = test::MakeTempDir(); }
    std::string Path(const std::string& name) const { return dir + "/" + name; }

    // Writes a data file and its record; returns the record's path.
    std::string MakePair(const DataShape& shape, const std::string& name = "taro") {
        const std::string data = test::WriteDataFile(dir, name + ".dat", shape);
        const std::string record = Path(name + ".ret");
        WriteBytes(record, test::RecordBytesFor(data, shape));
        return record;
    }

    std::string dir;
};

// Reading a record and writing it back gives the same bytes, for every kind
// of question data.
class RecordRoundTrip : public RecordFileTest, public ::testing::WithParamInterface<int> {};

TEST_P(RecordRoundTrip, SaveReproducesTheFile) {
    const std::string record = MakePair(EvenShape(GetParam(), 23, 3, 4));
    const std::string before = ReadBytes(record);
    ProgramState st;
    OpenRecord(st, record);
    EXPECT_EQ(st.RecordOpen, 1);
    EXPECT_EQ(st.ItemCount, 23);
    EXPECT_EQ(st.PlayerName, "Taro, Jr.");
    WriteRecordFile(st);
    EXPECT_EQ(ReadBytes(record), before);
    EXPECT_EQ(FilesIn(dir), (std::vector<std::string>{"taro.dat", "taro.ret"}));
}

INSTANTIATE_TEST_SUITE_P(Kinds, RecordRoundTrip, ::testing::Values(0, 1, 2, 3, 13, 20), test::CaseName());

TEST_F(RecordFileTest, ReadsTheFieldsOfAKindOneRecord) {
    WriteBytes(Path("r.ret"), test::CrLf({"x.dat", Sjis("題"), Sjis("花子"), "1,3,0,3,1,0", "2", "1", "0",
                                          "0,-1", "4,2", "2,0"}));
    ProgramState st;
    st.RecordPath = Path("r.ret");
    ReadRecordFile(st);
    EXPECT_EQ(st.DataPath, "x.dat");
    EXPECT_EQ(st.PlayerName, Sjis("花子"));
    EXPECT_EQ(st.DataKind, DataKind::Lessons);
    EXPECT_EQ(st.ItemCount, 3);
    EXPECT_EQ(st.FlashTime, 3);
    EXPECT_EQ(st.RandomOrder, 1);
    EXPECT_EQ(st.LessonCount, 2);
    EXPECT_EQ(st.LessonSelected[0], 1);
    EXPECT_EQ(st.LessonSelected[1], 0);
    EXPECT_EQ((std::vector<int>{st.ItemTries[0], st.ItemTries[1], st.ItemTries[2]}),
              (std::vector<int>{0, 4, 2}));
    EXPECT_EQ((std::vector<int>{st.ItemState[0], st.ItemState[1], st.ItemState[2]}),
              (std::vector<int>{-1, 2, 0}));
}

TEST_F(RecordFileTest, KindTwoReadsLessonBlockBeforeCodeBlock) {
    WriteBytes(Path("r.ret"),
               test::CrLf({"x.dat", "t", "p", "12,1,0,0,0,1", "2", "0", "1", "3", "1", "0", "1", "5,1"}));
    ProgramState st;
    st.RecordPath = Path("r.ret");
    ReadRecordFile(st);
    EXPECT_EQ(st.DataKind, DataKind::LessonsCodes);
    EXPECT_EQ(st.HintMode, 1);
    EXPECT_EQ(st.LessonCount, 2);
    EXPECT_EQ(st.CodeCount, 3);
    EXPECT_EQ(st.LessonSelected[0], 0);
    EXPECT_EQ(st.CodeSelected[1], 0);
    EXPECT_EQ(st.CodeSelected[2], 1);
    EXPECT_EQ(st.ItemTries[0], 5);
}

// A hand-edited record is read as the program reads it and written back in
// the writer's plain form.
TEST_F(RecordFileTest, LenientInputIsRewrittenPlain) {
    DataShape shape = EvenShape(1, 2, 1, 0);
    shape.title = std::string(70, 'x') + "あいうえおかきくけこさしすせそたちつてと";  // longer than 120 bytes
    const std::string data = test::WriteDataFile(dir, "d.dat", shape);
    WriteBytes(Path("r.ret"),
               test::CrLf({data, Sjis(shape.title), "p", ",1,,2, 0,+0,00,0", " 1", "+1", "007,,1", "-0,-1"}));
    ProgramState st;
    OpenRecord(st, Path("r.ret"));
    EXPECT_EQ(st.ItemTries[0], 7);
    WriteRecordFile(st);
    const std::string title = SjisCut(Sjis(shape.title), TitleBytes);
    EXPECT_LE(title.size(), 120u);
    EXPECT_EQ(ReadBytes(Path("r.ret")),
              test::CrLf({data, title, "p", "1,2,0,0,0,0", "1", "1", "7,1", "0,-1"}));
}

TEST_F(RecordFileTest, DataWithMoreItemsGivesTheExtraItemsNoProgress) {
    const DataShape shape = EvenShape(1, 6, 2, 0);
    const std::string data = test::WriteDataFile(dir, "d.dat", shape);
    WriteBytes(Path("r.ret"),
               test::CrLf({data, "t", "p", "1,4,0,0,0,0", "2", "1", "1", "1,1", "2,2", "3,0", "4,1"}));
    ProgramState st;
    st.ItemTries.fill(9);  // whatever an earlier record left behind
    st.ItemState.fill(2);
    OpenRecord(st, Path("r.ret"));
    EXPECT_EQ(st.ItemCount, 6);
    EXPECT_EQ(st.ItemTries[3], 4);
    EXPECT_EQ(st.ItemState[3], 1);
    EXPECT_EQ(st.ItemTries[4], 0);
    EXPECT_EQ(st.ItemState[4], -1);
    EXPECT_EQ(st.ItemTries[5], 0);
    EXPECT_EQ(st.ItemState[5], -1);
}

TEST_F(RecordFileTest, DataWithFewerItemsSavesOnlyThoseItems) {
    const std::string data = test::WriteDataFile(dir, "d.dat", EvenShape(0, 2, 1, 0));
    WriteBytes(Path("r.ret"),
               test::CrLf({data, Sjis("単語テスト"), "p", "0,4,0,0,0,0", "1,1", "2,2", "3,0", "4,1"}));
    ProgramState st;
    OpenRecord(st, Path("r.ret"));
    WriteRecordFile(st);
    EXPECT_EQ(ReadBytes(Path("r.ret")),
              test::CrLf({data, Sjis("単語テスト"), "p", "0,2,0,0,0,0", "1,1", "2,2"}));
}

TEST_F(RecordFileTest, WriterCutsItemLinesToTwentyBytes) {
    ProgramState st;
    st.RecordPath = Path("w.ret");
    st.DataPath = "d.dat";
    st.ItemCount = 1;
    st.ItemTries[0] = -2147483647;
    st.ItemState[0] = -2147483647;
    WriteRecordFile(st);
    EXPECT_EQ(ReadBytes(Path("w.ret")),
              test::CrLf({"d.dat", "", "", "0,1,0,0,0,0", std::string("-2147483647,-2147483")}));
}

TEST_F(RecordFileTest, NewRecordSavedWithoutDrillHasNoProgress) {
    ProgramState st;
    st.DataPath = test::WriteDataFile(dir, "d.dat", EvenShape(2, 4, 2, 3));
    st.RecordPath = Path("n.ret");
    st.PlayerName = Sjis("花子");
    ReadDataHeader(st);
    st.ItemTries.fill(3);
    st.FlashTime = 5;
    st.RandomOrder = 1;
    InitialiseRecord(st);
    WriteRecordFile(st);
    // The question file beside the record is stored by its bare name.
    EXPECT_EQ(ReadBytes(Path("n.ret")),
              test::CrLf({"d.dat", Sjis("単語テスト"), Sjis("花子"), "2,4,0,0,0,0", "2", "1", "1", "3", "1",
                          "1", "1", "0,-1", "0,-1", "0,-1", "0,-1"}));
}

TEST_F(RecordFileTest, SaveKeepsTheFilePermissions) {
    const std::string record = MakePair(EvenShape(1, 3, 1, 0));
    ::chmod(record.c_str(), 0640);
    ProgramState st;
    OpenRecord(st, record);
    WriteRecordFile(st);
    struct stat sb {};
    ASSERT_EQ(::stat(record.c_str(), &sb), 0);
    EXPECT_EQ(sb.st_mode & 0777, 0640u);
}

// Every way an open can fail: the error is thrown, the program state (and
// with it the record open before) is untouched, and a later save writes the
// old record, never over the file that could not be read.
struct OpenFailure {
    const char* name;
    std::function<void(const std::string& dir, const std::string& record)> spoil;
    bool limit;
};

class RecordOpenFailure : public RecordFileTest, public ::testing::WithParamInterface<OpenFailure> {};

TEST_P(RecordOpenFailure, LeavesStateAndFilesAlone) {
    const std::string old = MakePair(EvenShape(2, 8, 2, 2), "old");
    const std::string record = MakePair(EvenShape(1, 12, 3, 0), "new");
    GetParam().spoil(dir, record);
    const auto stored = fs::exists(record) ? ReadBytes(record) : std::string();

    ProgramState st;
    OpenRecord(st, old);
    st.ItemState[0] = 2;  // a result not saved yet
    const ProgramState before = st;
    if (GetParam().limit)
        EXPECT_THROW(OpenRecord(st, record), LimitError);
    else
        EXPECT_THROW(OpenRecord(st, record), VokamoError);

    EXPECT_EQ(st.RecordPath, before.RecordPath);
    EXPECT_EQ(st.DataPath, before.DataPath);
    EXPECT_EQ(st.ItemCount, 8);
    EXPECT_EQ(st.DataKind, DataKind::LessonsCodes);
    EXPECT_EQ(st.CodeCount, 2);
    EXPECT_EQ(st.ItemState, before.ItemState);
    EXPECT_EQ(st.LessonSelected, before.LessonSelected);
    EXPECT_EQ(st.RecordOpen, 1);

    SaveIfOpen(st);
    if (!stored.empty()) {
        EXPECT_EQ(ReadBytes(record), stored);
    }
    EXPECT_NE(ReadBytes(old).find("\r\n0,2\r\n"), std::string::npos);
}

void Replace(const std::string& path, const std::string& from, const std::string& to) {
    std::string bytes = ReadBytes(path);
    bytes.replace(bytes.find(from), from.size(), to);
    WriteBytes(path, bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, RecordOpenFailure,
    ::testing::Values(
        OpenFailure{"MissingRecord", [](auto&, auto& r) { fs::remove(r); }, false},
        OpenFailure{"ShortRecord",
                    [](auto&, auto& r) {
                        const std::string b = ReadBytes(r);
                        WriteBytes(r, b.substr(0, b.size() - 12));
                    },
                    false},
        OpenFailure{"BadNumberInItem", [](auto&, auto& r) { Replace(r, "\r\n3,2\r\n", "\r\n3,x\r\n"); },
                    false},
        OpenFailure{"BadSettings", [](auto&, auto& r) { Replace(r, ",1,3,1,0", ",1,3,one,0"); }, false},
        OpenFailure{"TooFewSettings", [](auto&, auto& r) { Replace(r, ",1,3,1,0", ",1,3"); }, false},
        OpenFailure{"EmptyFile", [](auto&, auto& r) { WriteBytes(r, ""); }, false},
        OpenFailure{"MissingDataFile", [](auto& d, auto&) { fs::remove(d + "/new.dat"); }, false},
        OpenFailure{"BrokenDataFile", [](auto& d, auto&) { WriteBytes(d + "/new.dat", "x\r\nT 1 zwei\r\n"); },
                    false},
        OpenFailure{"TooManyLessons", [](auto&, auto& r) { Replace(r, "\r\n3\r\n1\r\n", "\r\n21\r\n1\r\n"); },
                    true},
        OpenFailure{"TooManyItems", [](auto&, auto& r) { Replace(r, "1,12,", "1,601,"); }, true}),
    [](const auto& info) { return std::string(info.param.name); });

// A save that cannot be completed leaves the stored record whole and no
// temporary file behind.
TEST_F(RecordFileTest, InterruptedSaveKeepsTheOldFile) {
    const std::string record = MakePair(EvenShape(1, 5, 2, 0));
    const std::string before = ReadBytes(record);
    ProgramState st;
    OpenRecord(st, record);
    st.ItemState.fill(2);
    std::string seenTemp;
    RecordWriteHooks hooks;
    hooks.beforeRename = [&](const std::string& temp) {
        seenTemp = temp;
        EXPECT_EQ(fs::path(temp).parent_path(), fs::path(record).parent_path());
        throw FileError("power cut");
    };
    EXPECT_THROW(WriteRecordFile(st, hooks), FileError);
    EXPECT_EQ(ReadBytes(record), before);
    EXPECT_FALSE(seenTemp.empty());
    EXPECT_EQ(FilesIn(dir), (std::vector<std::string>{"taro.dat", "taro.ret"}));
}

TEST_F(RecordFileTest, UnwritablePlacesFailWithoutLeavingFiles) {
    ProgramState st;
    st.RecordOpen = 1;
    st.RecordPath = Path("no such folder/a.ret");
    EXPECT_THROW(SaveIfOpen(st), FileError);
    fs::create_directory(Path("taken.ret"));  // the name is a folder
    st.RecordPath = Path("taken.ret");
    EXPECT_THROW(SaveIfOpen(st), FileError);
    EXPECT_EQ(FilesIn(dir), (std::vector<std::string>{"taken.ret"}));
    EXPECT_TRUE(fs::is_directory(Path("taken.ret")));
}

TEST_F(RecordFileTest, ClosedRecordIsNeverSaved) {
    ProgramState st;
    st.RecordPath = Path("a.ret");
    SaveIfOpen(st);
    EXPECT_FALSE(fs::exists(Path("a.ret")));
}

struct InitCase {
    int kind;
    std::vector<int> lessons;  // expected first flags
    std::vector<int> codes;
};

class InitialiseRecordTest : public ::testing::TestWithParam<InitCase> {};

TEST_P(InitialiseRecordTest, SelectsWhatTheKindHas) {
    ProgramState st;
    st.DataKind = *DataKindFromNumber(GetParam().kind);
    st.LessonCount = 2;
    st.CodeCount = GetParam().kind > 1 ? 3 : 0;
    st.ItemCount = 3;
    st.RecordOff = st.RandomOrder = st.HintMode = true;
    st.FlashTime = 1;
    st.ItemTries.fill(4);
    st.ItemState.fill(2);
    InitialiseRecord(st);
    EXPECT_EQ(st.RecordOff + st.FlashTime + st.RandomOrder + st.HintMode, 0);
    EXPECT_EQ(std::vector<int>(st.LessonSelected.begin(), st.LessonSelected.begin() + 3), GetParam().lessons);
    EXPECT_EQ(std::vector<int>(st.CodeSelected.begin(), st.CodeSelected.begin() + 4), GetParam().codes);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(st.ItemTries[i], 0);
        EXPECT_EQ(st.ItemState[i], -1);
    }
    EXPECT_EQ(st.ItemState[3], 2);  // beyond ItemCount nothing is touched
}

INSTANTIATE_TEST_SUITE_P(Kinds, InitialiseRecordTest,
                         ::testing::Values(InitCase{0, {1, 0, 0}, {0, 0, 0, 0}},
                                           InitCase{1, {1, 1, 0}, {0, 0, 0, 0}},
                                           InitCase{2, {1, 1, 0}, {1, 1, 1, 0}},
                                           InitCase{3, {1, 1, 0}, {1, 1, 1, 0}}),
                         [](const auto& info) { return "Kind" + std::to_string(info.param.kind); });

}  // namespace
}  // namespace vokamo

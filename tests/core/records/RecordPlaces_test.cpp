#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "RecordFixtures.h"
#include "TestSupport.h"
#include "core/data/DataFile.h"
#include "core/data/SjisText.h"
#include "core/records/RecordFile.h"
#include "core/records/RecordName.h"
#include "core/state/Errors.h"

namespace vokamo {
namespace {

namespace fs = std::filesystem;
using test::DataShape;
using test::EvenShape;

std::string FirstLine(const std::string& path) {
    const std::string bytes = test::ReadBytes(path);
    return bytes.substr(0, bytes.find("\r\n"));
}

// A class folder "class" holding taro.ret (kind 2, 12 items) and its
// question file, after the folder was moved or copied: line 1 of the
// record says where the question file was. `beside` is what now lies next
// to the record; the program runs from a folder that holds another book
// of the same name.
struct PlaceCase {
    const char* name;
    std::function<std::string(const std::string& dir)> stored;  // line 1, UTF-8
    std::string besideName = "lesson1.dat";
    DataShape beside = EvenShape(2, 12, 3, 2);
    bool opens = true;
    // The file used, relative to dir; empty: the one beside the record,
    // which the next save stores by its bare name.
    std::string used;
};

PlaceCase Place(const char* name, std::function<std::string(const std::string&)> stored,
                const std::string& besideName = "lesson1.dat", DataShape beside = EvenShape(2, 12, 3, 2),
                bool opens = true, const std::string& used = "") {
    return PlaceCase{name, std::move(stored), besideName, std::move(beside), opens, used};
}

DataShape Retitled(DataShape shape, const char* title) {
    shape.title = title;
    return shape;
}

class RecordPlaces : public ::testing::TestWithParam<PlaceCase> {
protected:
    void SetUp() override {
        dir = test::MakeTempDir();
        fs::create_directories(dir + "/class");
        fs::create_directories(dir + "/orig");
        fs::create_directories(dir + "/elsewhere");
        test::WriteDataFile(dir + "/elsewhere", "lesson1.dat", Retitled(EvenShape(2, 12, 3, 2), "別の本"));
        oldCwd = fs::current_path();
        fs::current_path(dir + "/elsewhere");
    }
    void TearDown() override { fs::current_path(oldCwd); }

    std::string dir;
    fs::path oldCwd;
};

TEST_P(RecordPlaces, UsesTheQuestionFileBesideTheRecordOnlyWhenItIsTheSameBook) {
    const PlaceCase& c = GetParam();
    test::WriteDataFile(dir + "/orig", "lesson1.dat", EvenShape(2, 12, 3, 2));
    if (!c.besideName.empty()) test::WriteDataFile(dir + "/class", c.besideName, c.beside);
    const std::string stored = *Utf8ToSjis(c.stored(dir));
    const std::string record = dir + "/class/taro.ret";
    test::WriteBytes(record, test::RecordBytesFor(stored, EvenShape(2, 12, 3, 2)));

    ProgramState st;
    if (!c.opens) {
        try {
            OpenRecord(st, record);
            ADD_FAILURE() << "paired with another book";
        } catch (const FileError& e) {
            const std::string message = e.what();
            EXPECT_NE(message.find(c.stored(dir)), std::string::npos) << message;  // as stored
            EXPECT_EQ(message.find("/class/C:"), std::string::npos) << message;
            if (!c.besideName.empty()) {
                EXPECT_NE(message.find(dir + "/class/" + c.besideName), std::string::npos) << message;
            }
        }
        EXPECT_EQ(st.RecordOpen, 0);
        return;
    }
    OpenRecord(st, record);
    const std::string used = dir + "/" + (c.used.empty() ? "class/" + c.besideName : c.used);
    EXPECT_EQ(SjisToUtf8Lossy(st.DataPath), used);
    EXPECT_EQ(st.Title, Sjis("単語テスト"));
    EXPECT_EQ(st.ItemState[5], 5 % 4 - 1);  // the results stay with the record
    WriteRecordFile(st);
    EXPECT_EQ(SjisToUtf8Lossy(FirstLine(record)), c.used.empty() ? c.besideName : used);
}

INSTANTIATE_TEST_SUITE_P(
    Moved, RecordPlaces,
    ::testing::Values(
        Place("GoneAbsolutePath", [](auto&) { return std::string("/no/such/class/lesson1.dat"); }),
        Place(
            "WindowsPath",
            [](auto&) { return std::string("C:\\ソフト\\class\\ソ表.dat"); },  // trail bytes 0x5C
            "ソ表.dat"),
        Place("RelativeMeansTheRecordsFolder", [](auto&) { return std::string("lesson1.dat"); }),
        Place(
            "WindowsPathOtherLetterCase", [](auto&) { return std::string("C:\\VOKAMO\\HINSHI2.DAT"); },
            "hinshi2.dat"),
        Place(
            "WindowsPathNothingBeside", [](auto&) { return std::string("C:\\VOKAMO\\HINSHI2.DAT"); }, "",
            EvenShape(2, 12, 3, 2), false),
        Place(
            "StoredPathStillThere", [](auto& d) { return d + "/orig/lesson1.dat"; }, "lesson1.dat",
            EvenShape(2, 12, 3, 2), true, "orig/lesson1.dat"),
        Place(
            "OtherTitleBeside", [](auto&) { return std::string("/gone/lesson1.dat"); }, "lesson1.dat",
            Retitled(EvenShape(2, 12, 3, 2), "別の本"), false),
        Place(
            "OtherTypeCodeBeside", [](auto&) { return std::string("/gone/lesson1.dat"); }, "lesson1.dat",
            EvenShape(3, 12, 3, 2), false),
        Place(
            "OtherItemCountBeside", [](auto&) { return std::string("/gone/lesson1.dat"); }, "lesson1.dat",
            EvenShape(2, 13, 3, 2), false)),
    [](const auto& info) { return std::string(info.param.name); });

// File names chosen in the dialog. Characters that Shift-JIS keeps but reads
// back as other characters still open the file they were chosen as, as long
// as no file of the read-back name stands beside it; then, and for what a
// record's line cannot hold at all, the dialog refuses with the character
// named.
struct NameCase {
    const char* name;
    const char* ch;     // UTF-8
    const char* named;  // what the refusal must say; empty: accepted
};

class ChosenNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(ChosenNames, OpenTheSameFileOrAreRefusedNamingTheCharacter) {
    const NameCase& c = GetParam();
    const std::string dir = test::MakeTempDir();
    const std::string file = dir + "/課1" + c.ch + ".dat";
    test::WriteDataFile(dir, "課1" + std::string(c.ch) + ".dat", EvenShape(1, 6, 2, 0));
    const std::string problem = ChosenPathProblem(file);
    if (*c.named) {
        EXPECT_NE(problem.find(c.named), std::string::npos) << problem;
        return;
    }
    ASSERT_EQ(problem, "");
    const std::string sjis = *Utf8ToSjis(file);
    EXPECT_EQ(FsPath(sjis), file);
    test::WriteBytes(dir + "/r.ret", test::RecordBytesFor(sjis, EvenShape(1, 6, 2, 0)));
    ProgramState st;
    OpenRecord(st, dir + "/r.ret");
    EXPECT_EQ(st.DataPath, sjis);

    // The read-back twin appears beside it: the stored bytes would now lead
    // there, so the original can no longer be chosen.
    const std::string twin = *SjisToUtf8(sjis);
    if (twin != file) {
        test::WriteDataFile(dir, fs::path(twin).filename().string(), EvenShape(1, 9, 2, 0));
        EXPECT_NE(ChosenPathProblem(file).find(std::string("「") + c.ch + "」"), std::string::npos);
        EXPECT_EQ(ChosenPathProblem(twin), "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ChosenNames,
    ::testing::Values(NameCase{"Plain", "a", ""}, NameCase{"Kanji", "漢", ""}, NameCase{"WaveDash", "〜", ""},
                      NameCase{"Minus", "−", ""}, NameCase{"EmDash", "—", ""}, NameCase{"DoubleBar", "‖", ""},
                      NameCase{"Cent", "¢", ""}, NameCase{"Pound", "£", ""}, NameCase{"Not", "¬", ""},
                      NameCase{"CarriageReturn", "\r", "改行（CR）"}, NameCase{"Tab", "\t", "タブ"},
                      NameCase{"Emoji", "😀", "「😀」（U+1F600）"},
                      NameCase{"Hangul", "한", "「한」（U+D55C）"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vokamo

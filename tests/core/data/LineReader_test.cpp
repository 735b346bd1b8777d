#include "core/data/LineReader.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "core/state/Errors.h"

namespace vokamo {
namespace {

struct ReadCase {
    const char* name;
    std::string bytes;
    size_t capacity;
    std::vector<std::string> lines;  // read one after another
};

class LineReaderTest : public testing::TestWithParam<ReadCase> {};

TEST_P(LineReaderTest, ReadsLines) {
    const ReadCase& c = GetParam();
    const std::string path = test::MakeTempDir() + "/f.dat";
    test::WriteBytes(path, c.bytes);
    LineReader in(path);
    for (size_t i = 0; i < c.lines.size(); ++i) {
        EXPECT_EQ(in.ReadLine(c.capacity), c.lines[i]) << "line " << i + 1;
        EXPECT_EQ(in.LineNumber(), static_cast<int>(i + 1));
    }
}

// "ア" is 0x83 0x41; "ソ" 0x83 0x5C.
INSTANTIATE_TEST_SUITE_P(
    Endings, LineReaderTest,
    testing::Values(
        ReadCase{"CrLf", "one\r\ntwo\r\n", 255, {"one", "two", "", ""}},
        ReadCase{"CrAloneEndsLine", "one\rtwo\r\nthree", 255, {"one", "two", "three", ""}},
        ReadCase{"LfAloneStaysInText", "one\ntwo\r\nthree", 255, {"one\ntwo", "three"}},
        ReadCase{"CrCrIsAnEmptyLine", "a\r\rb", 255, {"a", "", "b"}},
        ReadCase{"EndOfTextByteEndsFile",
                 "a\r\nb\x1A"
                 "c\r\nd\r\n",
                 255,
                 {"a", "b", "", ""}},
        ReadCase{"EmptyFile", "", 255, {"", "", ""}}, ReadCase{"NoFinalLineEnd", "last", 255, {"last", ""}},
        ReadCase{"CutSkipsRestOfLine", "abcdefgh\r\nxy\r\n", 3, {"abc", "xy"}},
        ReadCase{"CutInsideDoubleByteDropsLead", "a\x83\x41\x83\x5C\r\nb\r\n", 4, {"a\x83\x41", "b"}},
        ReadCase{"CutAfterWholeDoubleByte", "a\x83\x41\x83\x5C\r\nb\r\n", 3, {"a\x83\x41", "b"}},
        ReadCase{"ExactCapacityKeepsAll", "a\x83\x41\r\nb\r\n", 3, {"a\x83\x41", "b"}},
        ReadCase{"SecondByteLikeLeadIsNotCut", "\x83\x83\x83\x83z\r\n", 4, {"\x83\x83\x83\x83"}},
        ReadCase{"LfEndsLinesInAFileWithoutCr", "one\ntwo\n\nfour", 255, {"one", "two", "", "four", ""}},
        ReadCase{"Utf8IsReadAsShiftJis", "\xE3\x82\xA2\xE3\x82\xBD\r\nb\r\n", 3, {"\x83\x41", "b"}}),
    [](const testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

TEST(LineReader, LinesLongerThanTheBufferAndCrLfAcrossIt) {
    const std::string path = test::MakeTempDir() + "/long.dat";
    // The CR falls on the last byte of the first 64 KiB block, its LF on the
    // first byte of the next one.
    const std::string first(64 * 1024 - 1, 'x');
    test::WriteBytes(path, first + "\r\n" + std::string(70000, 'y') + "\r\nend\r\n");
    LineReader in(path);
    EXPECT_EQ(in.ReadLine(255), std::string(255, 'x'));
    EXPECT_EQ(in.ReadLine(180), std::string(180, 'y'));
    EXPECT_EQ(in.ReadLine(255), "end");
    EXPECT_FALSE(in.AtEnd());
    EXPECT_EQ(in.ReadLine(255), "");
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(in.LineNumber(), 4);
}

TEST(LineReader, SkipCountsLines) {
    const std::string path = test::MakeTempDir() + "/skip.dat";
    test::WriteBytes(path, "1\r\n2\r\n3\r\n4\r\n");
    LineReader in(path);
    in.SkipLines(2);
    in.SkipLine();
    EXPECT_EQ(in.LineNumber(), 3);
    EXPECT_EQ(in.ReadLine(10), "4");
}

TEST(LineReader, MissingFileIsAFileErrorNamingIt) {
    const std::string path = test::MakeTempDir() + "/nothere.dat";
    try {
        LineReader in(path);
        FAIL() << "opened a missing file";
    } catch (const FileError& e) {
        const std::string msg = e.what();
        EXPECT_NE(msg.find("nothere.dat"), std::string::npos) << msg;
        EXPECT_NE(msg.find("見つかりません"), std::string::npos) << msg;
    }
}

TEST(LineReader, FolderIsAFileErrorNotEmptyLines) {
    const std::string dir = test::MakeTempDir();
    EXPECT_THROW(
        {
            LineReader in(dir);
            in.ReadLine(255);
        },
        FileError);
}

}  // namespace
}  // namespace vokamo

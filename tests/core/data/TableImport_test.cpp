#include "core/data/TableImport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "core/data/DataCheck.h"
#include "core/data/DataFile.h"
#include "core/data/SjisText.h"

namespace vokamo {
namespace {

namespace fs = std::filesystem;

std::string Utf16(const std::string& utf8, bool bigEndian) {
    const auto sjis = Utf8ToSjis(utf8);
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    // Through the program's own conversion back and forth, so the test needs
    // no converter of its own: only code points below U+0800 and the
    // Japanese of the tables (all below U+FFFF) occur here.
    const std::string back = SjisToUtf8(*sjis).value();
    for (size_t i = 0; i < back.size();) {
        const auto b = static_cast<unsigned char>(back[i]);
        uint32_t cp;
        size_t len;
        if (b < 0x80)
            cp = b, len = 1;
        else if (b < 0xE0)
            cp = b & 0x1F, len = 2;
        else
            cp = b & 0x0F, len = 3;
        for (size_t k = 1; k < len; ++k) cp = cp << 6 | (static_cast<unsigned char>(back[i + k]) & 0x3F);
        const char hi = static_cast<char>(cp >> 8), lo = static_cast<char>(cp & 0xFF);
        out += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
        i += len;
    }
    return out;
}

ImportReport Import(const std::string& dir, const std::string& bytes,
                    ExistingFile existing = ExistingFile::Keep, const char* name = "words.csv") {
    test::WriteBytes(dir + "/" + name, bytes);
    ImportOptions options;
    options.tableName = *Utf8ToSjis(name);
    return ImportTableFile(dir + "/" + name, name, DataPathBesideTable(dir + "/" + name), options, existing);
}

const TableProblem* FirstError(const ImportReport& r) {
    for (const TableProblem& p : r.problems)
        if (!p.warning) return &p;
    return nullptr;
}

// Teacher mistakes: each is refused at its cell, the message names that
// cell, and no question file is written.
TEST(TableImportTest, EveryBadTableIsRefusedAtItsCell) {
    struct Bad {
        const char* what;
        std::string bytes;
        TableFault fault;
        const char* cell;
    };
    std::string rows601 = "問題文,意味\r\n";
    for (int i = 0; i < 601; ++i) rows601 += "I @" + test::LetterNumber(i) + ",意味\r\n";
    std::string lessons21 = "課,問題文,意味\r\n";
    for (int i = 0; i < 21; ++i)
        lessons21 += "L" + std::to_string(i) + ",I @" + test::LetterNumber(i) + ",意味\r\n";
    const std::vector<Bad> cases = {
        {"missing header", "I @go,行く\r\n", TableFault::NoHeader, "A1"},
        {"unknown column", "問題文,意味,メモ書き\r\nI @go,行く,x\r\n", TableFault::UnknownColumn, "C1"},
        {"repeated column", "問題文,意味,Sentence\r\n", TableFault::RepeatedColumn, "C1"},
        {"no meaning column", "問題文,解説\r\nI @go,x\r\n", TableFault::MissingColumn, "A1"},
        {"too few fields", "課,問題文,意味\r\nL1,I @go\r\n", TableFault::TooFewFields, "C2"},
        {"too many fields", "問題文,意味\r\nI @go,行く\r\nI @run,走る,速く\r\n", TableFault::TooManyFields,
         "C3"},
        {"unclosed quote", "問題文,意味\r\nI @go,行く\r\n\"I @run,走る\r\nI @see,見る\r\n",
         TableFault::OpenQuote, "A3"},
        {"stray quote", "問題文,意味\r\nI @go,行\"く\"\r\n", TableFault::StrayQuote, "B2"},
        {"20 MB cell", "問題文,意味\r\n\"" + std::string(20u << 20, 'a') + "\",x\r\n", TableFault::LongCell,
         "A2"},
        {"601 rows", rows601, TableFault::TooManyItems, "A602"},
        {"binary noise", "問題文,意味\r\nI @go,\x01\x02\xff\xfe\x80\x9f\r\n", TableFault::ControlCharacter,
         "B2"},
        {"UTF-16 without BOM", Utf16("問題文,意味\r\nI @go,行く\r\n", false).substr(2),
         TableFault::Utf16WithoutBom, "A1"},
        {"garbled UTF-8 after a BOM", "\xEF\xBB\xBF問題文,意味\r\nI @go,\xE8\x80\r\n", TableFault::Garbled,
         "B2"},
        {"character beyond Shift-JIS", "問題文,意味\r\nI @go,行く😀\r\n", TableFault::NotInShiftJis, "B2"},
        {"tab inside a cell", "問題文,意味\r\n\"I\t@go\",行く\r\n", TableFault::Tab, "A2"},
        {"line break inside a cell", "問題文,意味\r\nI @go,\"行く\r\nこと\"\r\n", TableFault::LineBreak,
         "B2"},
        {"text longer than its line", "問題文,意味\r\nI @go," + std::string(200, 'x') + "\r\n",
         TableFault::TooLong, "B2"},
        {"21 lessons", lessons21, TableFault::TooManyGroups, "A22"},
        {"lesson numbered from 0", "課,問題文,意味\r\n1,I @go,行く\r\n0,I @run,走る\r\n",
         TableFault::BadValue, "A3"},
        {"lesson missing from the list", "課,問題文,意味,課の一覧\r\nL1,I @go,行く,L1\r\nL9,I @run,走る,\r\n",
         TableFault::BadValue, "A3"},
        {"unknown question type", "形式,問題文,意味,選択肢\r\nどちらか,I @go,行く,go run\r\n",
         TableFault::BadValue, "A2"},
        {"type code of another kind", "問題文,意味,種別コード\r\nI @go,行く,13\r\n", TableFault::BadValue,
         "C2"},
        {"two titles", "問題文,意味,題名\r\nI @go,行く,一\r\nI @run,走る,二\r\n", TableFault::Conflict, "C3"},
        {"no items", "問題文,意味\r\n,\r\n", TableFault::NoItems, "A2"},
        {"answer not among the choices", "課,形式,問題文,意味,選択肢\r\nP1,選択,I @go,行く,run see\r\n",
         TableFault::DataFile, "C2"},
        {"key-input answer no key types", "問題文,意味\r\nI @ｇｏ,行く\r\n", TableFault::DataFile, "A2"},
    };
    for (const Bad& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string dir = test::MakeTempDir();
        const ImportReport r = Import(dir, c.bytes);
        EXPECT_FALSE(r.written);
        EXPECT_FALSE(fs::exists(dir + "/words.dat"));
        EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1)
            << "nothing is left";
        const TableProblem* p = FirstError(r);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->fault, c.fault) << p->ja;
        EXPECT_EQ(CellName(p->row, p->column), c.cell) << p->ja;
        EXPECT_NE(p->ja.find(c.cell), std::string::npos) << p->ja;
        EXPECT_NE(p->en.find(c.cell), std::string::npos) << p->en;
    }
}

// One table as the spreadsheets save it: every encoding and separator gives
// the same question file; quotes, doubled quotes and separators inside
// quotes are taken as the cell's text.
TEST(TableImportTest, EverySavedFormGivesTheSameFile) {
    const std::string rows[][5] = {
        {"Lesson", "Sentence", "Meaning", "Explanation", "Title"},
        {"L1", "I @went there.", "そこへ行った", "go, went, gone と変化します。", "単語"},
        {"L2", "Say @hello to him.", "\"Hello\" と言う", "", ""},
        {"L1", "a @big dog", "大きな犬", "big; large", ""},
    };
    auto table = [&](char sep, bool quoteAll) {
        std::string out;
        for (const auto& row : rows) {
            for (size_t c = 0; c < 5; ++c) {
                if (c) out += sep;
                std::string cell = row[c];
                const bool quote = quoteAll || cell.find_first_of(",;\"\t") != std::string::npos;
                for (size_t q = cell.find('"'); q != std::string::npos; q = cell.find('"', q + 2))
                    cell.insert(q, "\"");
                out += quote ? "\"" + cell + "\"" : cell;
            }
            out += "\r\n";
        }
        return out;
    };
    const std::string dir = test::MakeTempDir();
    const ImportReport first = Import(dir, table(',', false), ExistingFile::Keep, "a.csv");
    ASSERT_TRUE(first.written) << (first.problems.empty() ? "" : first.problems[0].ja);
    EXPECT_TRUE(first.problems.empty()) << first.problems[0].ja;
    const std::string expected = test::ReadBytes(dir + "/a.dat");
    const auto explanation = Sjis("go, went, gone と変化します。");
    EXPECT_NE(expected.find("\r\n" + explanation + "\r\n"), std::string::npos);
    EXPECT_NE(expected.find("\r\n" + Sjis("\"Hello\" と言う") + "\r\n"), std::string::npos);

    const std::vector<std::pair<const char*, std::string>> forms = {
        {"UTF-8 with BOM, all quoted", "\xEF\xBB\xBF" + table(',', true)},
        {"Shift-JIS, semicolons", *Utf8ToSjis(table(';', false))},
        {"UTF-16 LE, tabs", Utf16(table('\t', false), false)},
        {"UTF-16 BE, tabs", Utf16(table('\t', false), true)},
        {"LF line ends",
         [&] {
             std::string t = table(',', false);
             std::erase(t, '\r');
             return t;
         }()},
    };
    for (const auto& [what, bytes] : forms) {
        SCOPED_TRACE(what);
        const std::string other = test::MakeTempDir();
        const ImportReport r = Import(other, bytes, ExistingFile::Keep, "a.csv");
        ASSERT_TRUE(r.written) << (r.problems.empty() ? "" : r.problems[0].ja);
        EXPECT_EQ(test::ReadBytes(other + "/a.dat"), expected);
    }
}

// Lessons by name are numbered in order of first appearance, by number from
// 1; an existing question file is kept unless replacing is asked for.
TEST(TableImportTest, LessonsAndExistingFiles) {
    const std::string dir = test::MakeTempDir();
    ASSERT_TRUE(Import(dir, "課,問題文,意味\nB,I @go,行く\nA,I @run,走る\nB,I @see,見る\n").written);
    const std::string byName = test::ReadBytes(dir + "/words.dat");
    EXPECT_NE(byName.find("\r\n2\r\nB\r\nA\r\n0\r\n"), std::string::npos);
    EXPECT_NE(byName.find("\r\n1\r\nI @run\r\n"), std::string::npos);

    const ImportReport kept = Import(dir, "課,問題文,意味\n2,I @go,行く\n1,I @run,走る\n");
    EXPECT_FALSE(kept.written);
    ASSERT_NE(FirstError(kept), nullptr);
    EXPECT_EQ(FirstError(kept)->fault, TableFault::Exists);
    EXPECT_EQ(test::ReadBytes(dir + "/words.dat"), byName);
    // The same table again changes nothing and is no fault.
    EXPECT_TRUE(Import(dir, "課,問題文,意味\nB,I @go,行く\nA,I @run,走る\nB,I @see,見る\n").written);

    ASSERT_TRUE(Import(dir, "課,問題文,意味\n2,I @go,行く\n1,I @run,走る\n", ExistingFile::Replace).written);
    const std::string byNumber = test::ReadBytes(dir + "/words.dat");
    EXPECT_NE(byNumber.find("\r\n1\r\nI @go\r\n"), std::string::npos);
    EXPECT_NE(byNumber.find("\r\n0\r\nI @run\r\n"), std::string::npos);

    // A file made from another table is not the table's own.
    test::WriteBytes(dir + "/words.dat", "other\r\nx 0 1\r\nI @go\r\ny\r\n");
    EXPECT_FALSE(Import(dir, "問題文,意味\nI @go,行く\n", ExistingFile::ReplaceOwn).written);
    ASSERT_TRUE(Import(dir, "問題文,意味\nI @go,行く\n", ExistingFile::Replace).written);
    EXPECT_TRUE(Import(dir, "問題文,意味\nI @go,行く\nI @run,走る\n", ExistingFile::ReplaceOwn).written);
}

// Every sample goes out as a table and comes back byte for byte; every
// template comes in clean and back out the same.
TEST(TableImportTest, ExportThenImportGivesTheSameBytes) {
    int samples = 0;
    for (const auto& entry : fs::directory_iterator(test::SamplesDir())) {
        if (entry.path().extension() != ".dat") continue;
        ++samples;
        SCOPED_TRACE(entry.path().filename().string());
        const std::string dir = test::MakeTempDir();
        const ImportReport r =
            Import(dir, ExportTable(entry.path().string()), ExistingFile::Keep, "back.csv");
        ASSERT_TRUE(r.written) << (r.problems.empty() ? "" : r.problems[0].ja);
        EXPECT_EQ(test::ReadBytes(dir + "/back.dat"), test::ReadBytes(entry.path().string()));
    }
    EXPECT_GE(samples, 4);
    for (int kind = 0; kind <= 3; ++kind) {
        SCOPED_TRACE(kind);
        const std::string dir = test::MakeTempDir();
        const ImportReport r = Import(dir, TemplateTable(kind), ExistingFile::Keep, "t.csv");
        ASSERT_TRUE(r.written);
        EXPECT_TRUE(r.problems.empty()) << r.problems[0].ja;
        EXPECT_EQ(r.items, 2);
        ProgramState st;
        st.DataPath = dir + "/t.dat";
        ReadDataHeader(st);
        EXPECT_EQ(st.DataKind, DataKindFromNumber(kind));
        EXPECT_EQ(CheckDataFile(dir + "/t.dat").size(), 0u);
    }
}

// Question files a teacher may have written by hand, which the export
// must still bring back byte for byte: names repeated, empty or looking like
// numbers, lessons no item uses, a key-input item of kind 3 that keeps a
// choices line, type codes with tens.
TEST(TableImportTest, UnusualFilesComeBackTheSame) {
    const std::vector<std::pair<const char*, std::string>> files = {
        {"repeated and empty names",
         "memo\r\nT 12 3\r\n3\r\nA\r\n\r\nA\r\n2\r\nx\r\nx\r\n"
         "1 1\r\nI @go\r\n行く\r\n\r\n0 0\r\nI @run\r\n走る\r\nrun\r\n2 1\r\nI @see\r\n見る\r\n\r\n"},
        {"names that look like numbers, one unused",
         "\r\nT 1 2\r\n3\r\n2\r\n1\r\n9\r\n1\r\nI @go\r\n行く\r\n\r\n0\r\nI @run\r\n走る\r\nx\r\n"},
        {"key input keeping its choices",
         "m\r\nT 23 2\r\n1\r\nP\r\n3\r\nC\r\nK\r\nZ\r\n0 1\r\n行く\r\ngo run\r\nI @go\r\n\r\n"
         "0 0\r\n走る\r\nrun go\r\nI @run\r\n解説, with a comma\r\n"},
        {"kind 0 with tens", "x\r\nT 30 2\r\n \"quoted\" @go\r\n行く\r\nI @run \r\n 走る\r\n"},
    };
    for (const auto& [what, text] : files) {
        SCOPED_TRACE(what);
        const std::string dir = test::MakeTempDir();
        const std::string dat = *Utf8ToSjis(text);
        test::WriteBytes(dir + "/in.dat", dat);
        ASSERT_TRUE(CheckDataFile(dir + "/in.dat").empty() ||
                    std::none_of(CheckDataFile(dir + "/in.dat").begin(), CheckDataFile(dir + "/in.dat").end(),
                                 [](const Problem& p) { return !p.warning; }));
        const ImportReport r = Import(dir, ExportTable(dir + "/in.dat"), ExistingFile::Keep, "out.csv");
        ASSERT_TRUE(r.written) << (r.problems.empty() ? "" : r.problems[0].ja);
        EXPECT_EQ(test::ReadBytes(dir + "/out.dat"), dat);
    }
    // An empty last name cannot be listed; the export says so instead.
    const std::string dir = test::MakeTempDir();
    test::WriteBytes(dir + "/in.dat", "m\r\nT 1 1\r\n2\r\nA\r\n\r\n0\r\nI @go\r\nx\r\n\r\n");
    EXPECT_THROW(ExportTable(dir + "/in.dat"), VokamoError);
}

// The columns decide the kind; what the table leaves out has its default;
// what spreadsheets add around a table (empty columns and rows) is no fault.
TEST(TableImportTest, ColumnsDecideTheKind) {
    struct Good {
        const char* table;
        int kind;
        int lessons;
        int codes;
    };
    const std::vector<Good> cases = {
        {"sentence,meaning\nI @go,行く\n", 0, 1, 0},
        {"意味,問題文,解説,,\n行く,I @go,,,\n,,,,\n走る,I @run,x,,\n,,,,\n", 1, 1, 0},
        {" Lesson ,SENTENCE,Meaning\n3,I @go,行く\n1,I @run,走る\n", 1, 3, 0},
        {"コード,問題文,意味\n名詞,I @go,行く\n動詞,I @run,走る\n名詞,I @see,見る\n", 2, 1, 2},
        {"選択肢,問題文,意味\ngo run,I @go,行く\n,I @run,走る\n", 3, 1, 2},
        {"形式,問題文,意味,課の一覧\n入力,I @go,行く,A\n,I @run,走る,B\n", 3, 2, 2},
    };
    for (const Good& c : cases) {
        SCOPED_TRACE(c.table);
        const std::string dir = test::MakeTempDir();
        const ImportReport r = Import(dir, c.table, ExistingFile::Keep, "中1 単語.csv");
        ASSERT_TRUE(r.written) << (r.problems.empty() ? "" : r.problems[0].ja);
        ProgramState st;
        st.DataPath = *Utf8ToSjis(dir + "/中1 単語.dat");
        ReadDataHeader(st);
        EXPECT_EQ(st.DataKind, DataKindFromNumber(c.kind));
        EXPECT_EQ(st.TypeCode, c.kind);
        EXPECT_EQ(st.LessonCount, c.lessons);
        EXPECT_EQ(st.CodeCount, c.codes);
        EXPECT_EQ(st.Title, Sjis("中1　単語"));
    }
    // A type code given beside the table keeps its tens.
    const std::string dir = test::MakeTempDir();
    test::WriteBytes(dir + "/t.csv", "選択肢,問題文,意味\ngo run,I @go,行く\n");
    ImportOptions options;
    options.typeCode = 13;
    options.title = "Words";
    EXPECT_TRUE(
        ImportTableFile(dir + "/t.csv", "t.csv", dir + "/t.dat", options, ExistingFile::Keep).written);
    EXPECT_NE(test::ReadBytes(dir + "/t.dat").find("\r\nWords 13 1\r\n"), std::string::npos);
    options.typeCode = 12;
    const ImportReport wrongKind =
        ImportTableFile(dir + "/t.csv", "t.csv", dir + "/u.dat", options, ExistingFile::Keep);
    EXPECT_FALSE(wrongKind.written);
    EXPECT_FALSE(fs::exists(dir + "/u.dat"));
}

}  // namespace
}  // namespace vokamo

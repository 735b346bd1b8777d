#include "DrillFixture.h"
#include "TestSupport.h"
#include "core/data/DataFile.h"
#include "core/data/SjisText.h"
#include "core/data/TableImport.h"

namespace vokamo::test {
namespace {

// A teacher's table as LibreOffice Calc saves it (UTF-8, LF, quotes only
// where a cell needs them: commas and quotes inside), imported and drilled
// from the first set to the congratulation. The pupil sees the cells' text,
// never the spreadsheet's quotes.
TEST_F(DrillTest, AnImportedTableIsDrilledToTheEnd) {
    const std::string table =
        "課,形式,問題文,意味,選択肢,解説\n"
        "Lesson 1,選択,I @went to Kyoto.,私は京都へ行った。,go went gone,\"go, went, gone と変化します。\"\n"
        "Lesson 1,入力,She @likes cats.,彼女はねこが好きです。,,\"三人称単数の \"\"s\"\" を忘れずに。\"\n"
        "Lesson 2,入力,A @big dog.,大きな犬。,,\n"
        "Lesson 2,選択,I am @looking_for my key.,私はかぎを探している。,looking_for looking_at,\n";
    WriteBytes(dir + "/words.csv", table);
    ImportOptions options;
    options.tableName = "words.csv";
    const ImportReport report =
        ImportTableFile(dir + "/words.csv", "words.csv", dir + "/words.dat", options, ExistingFile::Keep);
    ASSERT_TRUE(report.written) << (report.problems.empty() ? "" : report.problems[0].ja);

    st.DataPath = dir + "/words.dat";
    ReadDataHeader(st);
    ASSERT_EQ(st.DataKind, DataKind::Mixed);
    ASSERT_EQ(st.ItemCount, 4);
    EXPECT_EQ(st.LessonCount, 2);
    st.LessonSelected.fill(1);
    st.CodeSelected.fill(1);
    st.BarLabels = st.LessonNames;
    BuildItemOrder(st);

    StartAndOpenFirstSet();
    std::vector<std::string> explanations;
    for (int guard = 0; guard < 60 && Scr().congratulations == 0; ++guard) {
        if (Scr().tmrStart.enabled) {
            StartTicks(3);
            continue;
        }
        for (int slot = 0; slot < SetCapacity; ++slot) explanations.push_back(U(st.SetTextD[slot]));
        AnswerRight();
    }
    EXPECT_EQ(Scr().congratulations, 1);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(st.ItemState[i], 2) << "item " << i;
    EXPECT_EQ(st.WrongCount, 0);
    EXPECT_NE(std::find(explanations.begin(), explanations.end(), "go, went, gone と変化します。"),
              explanations.end());
    EXPECT_NE(std::find(explanations.begin(), explanations.end(), "三人称単数の \"s\" を忘れずに。"),
              explanations.end());
}

}  // namespace
}  // namespace vokamo::test

#include "core/records/WorkFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <ostream>

#include "CaseName.h"
#include "TestSupport.h"

namespace vokamo {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> SampleNames() {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(test::SamplesDir()))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The first start makes the folder with every sample; from then on the
// folder is the teacher's: changed, removed and added files stay as she left them.
TEST(WorkFolderTest, FirstStartCopiesTheSamplesOnceAndLaterStartsLeaveTheTeachersFilesAlone) {
    const fs::path folder = fs::path(test::MakeTempDir()) / "home" / "Vokamo";  // the home is missing too
    const WorkFolder first = PrepareWorkFolder(folder, test::SamplesDir());
    EXPECT_TRUE(first.usable);
    EXPECT_TRUE(first.created);
    EXPECT_TRUE(first.problems.empty());
    std::vector<std::string> copied = first.copied;
    std::sort(copied.begin(), copied.end());
    ASSERT_EQ(copied, SampleNames());
    for (const std::string& name : copied)
        EXPECT_EQ(test::ReadBytes((folder / name).string()), test::ReadBytes(test::SamplesDir() + "/" + name))
            << name;

    const std::string edited = "the teacher's own questions\r\n";
    test::WriteBytes((folder / "kihon0.dat").string(), edited);
    fs::remove(folder / "lesson1.dat");
    test::WriteBytes((folder / "taro.ret").string(), "record");

    const WorkFolder again = PrepareWorkFolder(folder, test::SamplesDir());
    EXPECT_TRUE(again.usable);
    EXPECT_FALSE(again.created);
    EXPECT_TRUE(again.copied.empty());
    EXPECT_TRUE(again.problems.empty());
    EXPECT_EQ(test::ReadBytes((folder / "kihon0.dat").string()), edited);
    EXPECT_FALSE(fs::exists(folder / "lesson1.dat"));
    EXPECT_EQ(test::ReadBytes((folder / "taro.ret").string()), "record");
}

// What stands in the way, and whether the program can still work in the folder.
struct BlockedCase {
    const char* name;
    std::function<fs::path(const fs::path& scratch)> arrange;  // gives the folder to prepare
    bool samplesThere;
    bool usable;
    const char* told;  // part of the message
};
void PrintTo(const BlockedCase& c, std::ostream* os) {
    *os << c.name;
}

class WorkFolderBlocked : public ::testing::TestWithParam<BlockedCase> {};

TEST_P(WorkFolderBlocked, TellsWhyAndTouchesNothingItShouldNot) {
    const BlockedCase& c = GetParam();
    const fs::path scratch = test::MakeTempDir();
    const fs::path folder = c.arrange(scratch);
    const std::string before = fs::is_regular_file(folder) ? test::ReadBytes(folder.string()) : "";
    const WorkFolder result =
        PrepareWorkFolder(folder, c.samplesThere ? fs::path(test::SamplesDir()) : scratch / "no-samples");
    EXPECT_EQ(result.usable, c.usable);
    ASSERT_EQ(result.problems.size(), 1u);
    EXPECT_NE(result.problems[0].find(c.told), std::string::npos) << result.problems[0];
    EXPECT_TRUE(result.copied.empty());
    if (!before.empty()) {
        EXPECT_EQ(test::ReadBytes(folder.string()), before);
    }
    EXPECT_EQ(fs::is_directory(folder), c.usable);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WorkFolderBlocked,
    ::testing::Values(BlockedCase{"a file where the folder should be",
                                  [](const fs::path& s) {
                                      test::WriteBytes((s / "Vokamo").string(), "a pupil's note");
                                      return s / "Vokamo";
                                  },
                                  true, false, "フォルダーではなくファイル"},
                      BlockedCase{"a home that cannot hold folders",
                                  [](const fs::path& s) {
                                      test::WriteBytes((s / "home").string(), "not a folder");
                                      return s / "home" / "Vokamo";
                                  },
                                  true, false,
                                  "を作れませんでした（途中にフォルダーではなくファイルがあります）"},
                      BlockedCase{"no samples installed", [](const fs::path& s) { return s / "Vokamo"; },
                                  false, true, "見本の問題ファイルのフォルダー"}),
    test::CaseName());

}  // namespace
}  // namespace vokamo

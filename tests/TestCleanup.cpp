#include <gtest/gtest.h>

#include <filesystem>
#include <system_error>

#include "TempDir.h"
#include "TestSupport.h"

namespace vokamo::test {
namespace {

// When a test ends, passed or not, its folders are removed and the working
// folder it may have entered (and not left, when it stopped half-way) is
// the one it started in again.
class TempFolderCleanup : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override {
        std::error_code ec;
        cwd_ = std::filesystem::current_path(ec);
        BeginTestFolders();
    }
    void OnTestEnd(const ::testing::TestInfo&) override {
        std::error_code ec;
        if (!cwd_.empty()) std::filesystem::current_path(cwd_, ec);
        EndTestFolders();
    }
    std::filesystem::path cwd_;
};

[[maybe_unused]] const bool installed = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new TempFolderCleanup);
    return true;
}();

}  // namespace
}  // namespace vokamo::test

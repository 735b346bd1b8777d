#pragma once

#include <string>

namespace vokamo::test {

// A fresh empty folder "vokamo-test-*" under the system temp folder, removed
// with everything in it when the object goes, by the process that made it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(TempDir&& other) noexcept;
    TempDir& operator=(TempDir&&) = delete;
    const std::string& Path() const { return path_; }
    operator const std::string&() const { return path_; }

private:
    std::string path_;
    long owner_ = 0;  // a forked child leaves its parent's folders alone
};

// Called by the test listener (TestCleanup.cpp): folders that MakeTempDir
// makes from now on belong to the test that starts, and those of the test
// that ended are removed.
void BeginTestFolders();
void EndTestFolders();

}  // namespace vokamo::test

#include "TestSupport.h"

#include <unistd.h>

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "TempDir.h"

namespace vokamo::test {

#ifndef VOKAMO_TEST_DATA
#define VOKAMO_TEST_DATA ""
#endif
#ifndef VOKAMO_SAMPLES
#define VOKAMO_SAMPLES ""
#endif
#ifndef VOKAMO_BUILD_DIR
#define VOKAMO_BUILD_DIR "."
#endif
// The build's tag tells the check at the end of a test run its own folders.
#ifdef VOKAMO_TEST_TAG
#define VOKAMO_FOLDER_PATTERN "vokamo-test-" VOKAMO_TEST_TAG "-XXXXXX"
#else
#define VOKAMO_FOLDER_PATTERN "vokamo-test-XXXXXX"
#endif

std::string TestDataDir() {
    return VOKAMO_TEST_DATA;
}
std::string SamplesDir() {
    return VOKAMO_SAMPLES;
}
std::string BuildDir() {
    return VOKAMO_BUILD_DIR;
}

std::string ShotPath(const std::string& fileName) {
    const char* shots = std::getenv("VOKAMO_SHOTS");
    if (shots && *shots) {
        std::filesystem::create_directories(shots);
        return std::string(shots) + "/" + fileName;
    }
    return MakeTempDir() + "/" + fileName;
}

TempDir::TempDir()
    : path_((std::filesystem::temp_directory_path() / VOKAMO_FOLDER_PATTERN).string()), owner_(::getpid()) {
    if (!mkdtemp(path_.data())) throw std::runtime_error("cannot make a temporary folder");
}

TempDir::TempDir(TempDir&& other) noexcept : path_(std::move(other.path_)), owner_(other.owner_) {
    other.path_.clear();
}

TempDir::~TempDir() {
    if (path_.empty() || owner_ != ::getpid()) return;
    std::error_code ec;
    // A test may have taken the rights away to make a save fail.
    for (auto it = std::filesystem::recursive_directory_iterator(path_, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
        if (it->is_directory(ec) && !it->is_symlink(ec))
            std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ec);
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 ec);
    std::filesystem::remove_all(path_, ec);
}

namespace {

struct Folders {
    bool inTest = false;
    std::deque<TempDir> test, program;
};

Folders& Made() {
    static Folders folders;
    return folders;
}

}  // namespace

std::string MakeTempDir() {
    Folders& f = Made();
    return (f.inTest ? f.test : f.program).emplace_back().Path();
}

void BeginTestFolders() {
    Made().inTest = true;
}

void EndTestFolders() {
    Made().inTest = false;
    Made().test.clear();
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error("cannot write " + path);
    out << bytes;
}

std::string LetterNumber(int n) {
    std::string digits = std::to_string(n);
    for (char& c : digits) c = static_cast<char>('a' + (c - '0'));
    return digits;
}

}  // namespace vokamo::test

#include "TestSupport.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

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

std::string TestDataDir() {
    return VOKAMO_TEST_DATA;
}
std::string SamplesDir() {
    return VOKAMO_SAMPLES;
}
std::string BuildDir() {
    return VOKAMO_BUILD_DIR;
}

std::string MakeTempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vokamo-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
    return pattern;
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

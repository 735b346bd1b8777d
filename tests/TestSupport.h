#pragma once

#include <string>

namespace vokamo::test {

// Folders known at build time.
std::string TestDataDir();  // tests/files
std::string SamplesDir();   // samples/
std::string BuildDir();     // the build folder

// Where a test saves a picture of a window: in the folder $VOKAMO_SHOTS when
// a developer names one to look at them, otherwise in the test's own
// temporary folder, removed with it.
std::string ShotPath(const std::string& fileName);

// A fresh empty folder "vokamo-test-*" under the system temp folder, each
// test its own. Made inside a test, it is removed when that test ends,
// passed or failed; made outside one, when the program ends (TempDir.h).
std::string MakeTempDir();

// Whole file as bytes, and writing bytes as they are.
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

// A number written in letters, one letter a..j per digit (12 is "bc"), for
// answer words that have to be typeable yet tell items apart.
std::string LetterNumber(int n);

}  // namespace vokamo::test

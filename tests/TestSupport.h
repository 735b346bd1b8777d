#pragma once

#include <string>

namespace vokamo::test {

// Folders known at build time.
std::string TestDataDir();  // tests/files
std::string SamplesDir();   // samples/
std::string BuildDir();     // the build folder (screenshots go here)

// A fresh empty folder under the system temp folder, removed by nobody:
// each test gets its own.
std::string MakeTempDir();

// Whole file as bytes, and writing bytes as they are.
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

// A number written in letters, one letter a..j per digit (12 is "bc"), for
// answer words that have to be typeable yet tell items apart.
std::string LetterNumber(int n);

}  // namespace vokamo::test

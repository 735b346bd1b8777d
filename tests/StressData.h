#pragma once

#include <string>

namespace vokamo::test {

// Writes the largest question data file the tables allow: kind 3, 600 items,
// 20 lessons and 20 code names, multiple-choice and key-input items taking
// turns, texts of the lengths teachers write. The same file every time.
void WriteStressFile(const std::string& path);

}  // namespace vokamo::test

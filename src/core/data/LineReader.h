#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace vokamo {

// Reads a Shift-JIS text file line by line the way question data files are
// laid out: CR LF or a CR alone ends a line, a LF alone stays in the text, a
// byte 0x1A ends the file, and reading past the end gives empty lines. Each
// line is kept to a byte capacity; the rest of the line is skipped. The file
// is closed when the reader goes out of scope, also on an exception.
class LineReader {
public:
    // fsPath is a file-system (UTF-8) path. Throws FileError when the file
    // cannot be opened.
    explicit LineReader(const std::string& fsPath);
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // The next line, cut to at most `capacity` bytes. A cut never leaves the
    // lead byte of a double-byte character without its second byte.
    std::string ReadLine(size_t capacity);
    // The same, into a buffer of the reader: the text stays valid until the
    // next read. For lines that are only looked at.
    std::string_view PeekLine(size_t capacity);
    // Passes over the next line.
    void SkipLine();
    void SkipLines(int count);

    // 1-based number of the line read last (0 before the first).
    int LineNumber() const { return lineNumber_; }
    // True once the end of the file (or a 0x1A) has been reached.
    bool AtEnd() const { return ended_; }

private:
    static constexpr size_t BufferBytes = 64 * 1024;

    bool Fill();  // false at the end of the file
    void Reread();
    // Reads one line; keeps up to `capacity` bytes in `out` when it is given.
    void Consume(std::string* out, size_t capacity);

    std::FILE* file_ = nullptr;
    std::string path_;
    std::vector<unsigned char> buffer_;
    std::string line_;
    size_t pos_ = 0;
    size_t filled_ = 0;
    bool ended_ = false;
    int lineNumber_ = 0;
};

}  // namespace vokamo

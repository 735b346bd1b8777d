#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/data/FileText.h"

namespace vokamo {

// Reads a text file line by line the way question data files and learner
// records are laid out: CR LF or a CR alone ends a line, a LF alone stays in
// the text (unless the file holds no CR at all, see FileText), a byte 0x1A
// ends the file, and reading past the end gives empty lines. Each line is kept
// to a byte capacity; the rest of the line is skipped.
class LineReader {
public:
    // fsPath is a file-system (UTF-8) path of a question data file, whose
    // encoding and line ends are decided as FileText says. Throws FileError
    // when the file cannot be opened or read.
    explicit LineReader(const std::string& fsPath);
    // With detect false the file is Shift-JIS with CR line ends, whatever it
    // holds (learner records). shownPath names the file in messages.
    LineReader(const std::string& fsPath, const std::string& shownPath, bool detect);
    // Lines of a text already read.
    explicit LineReader(FileText text);

    // The next line, cut to at most `capacity` bytes. A cut never leaves the
    // lead byte of a double-byte character without its second byte.
    std::string ReadLine(size_t capacity);
    // The same, as a view into the reader's text: valid while the reader lives.
    std::string_view PeekLine(size_t capacity);
    // Passes over the next line.
    void SkipLine();
    void SkipLines(int count);

    // The line read last as the file holds it, before any cut.
    std::string_view WholeLine() const { return whole_; }

    // 1-based number of the line read last (0 before the first).
    int LineNumber() const { return lineNumber_; }
    // True once the end of the file (or a 0x1A) has been reached.
    bool AtEnd() const { return ended_; }

    // True when no line is left: the next read gives an empty line.
    bool Exhausted() const { return pos_ >= text_.sjis.size(); }

    const FileText& Text() const { return text_; }

private:
    std::string_view Next(size_t capacity);

    FileText text_;
    size_t pos_ = 0;
    std::string_view whole_;
    bool ended_ = false;
    int lineNumber_ = 0;
};

// The first n bytes of a Shift-JIS line as a field of that capacity keeps them.
std::string_view CutLine(std::string_view line, size_t capacity);

}  // namespace vokamo

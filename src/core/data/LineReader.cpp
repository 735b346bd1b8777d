#include "core/data/LineReader.h"

#include <cstring>

#include "core/data/SjisText.h"

namespace vokamo {

namespace {

constexpr char Cr = '\r';
constexpr char Lf = '\n';

}  // namespace

// A line cut at its capacity may end in the first half of a character; that
// half cannot be shown and would join whatever is appended later.
std::string_view CutLine(std::string_view line, size_t capacity) {
    if (line.size() <= capacity) return line;
    std::string_view kept = line.substr(0, capacity);
    size_t i = 0;
    size_t last = 0;
    while (i < kept.size()) {
        last = i;
        i += SjisCharLen(kept, i);
    }
    if (!kept.empty() && last == kept.size() - 1 && IsSjisLead(static_cast<unsigned char>(kept[last])))
        kept.remove_suffix(1);
    return kept;
}

LineReader::LineReader(const std::string& fsPath) : LineReader(fsPath, fsPath, true) {}

LineReader::LineReader(const std::string& fsPath, const std::string& shownPath, bool detect)
    : text_(DecodeFileText(ReadFileBytes(fsPath, shownPath), detect)) {}

LineReader::LineReader(FileText text) : text_(std::move(text)) {}

std::string_view LineReader::Next(size_t capacity) {
    ++lineNumber_;
    const std::string& s = text_.sjis;
    if (pos_ >= s.size()) {
        ended_ = true;
        whole_ = {};
        return {};
    }
    const char end = text_.lfLines ? Lf : Cr;
    const void* found = std::memchr(s.data() + pos_, end, s.size() - pos_);
    const size_t stop = found ? static_cast<size_t>(static_cast<const char*>(found) - s.data()) : s.size();
    whole_ = std::string_view(s).substr(pos_, stop - pos_);
    pos_ = stop + 1;
    if (!found) {
        ended_ = true;
    } else if (end == Cr && pos_ < s.size() && s[pos_] == Lf) {
        // A LF right after the CR belongs to the same line end.
        ++pos_;
    }
    return CutLine(whole_, capacity);
}

std::string LineReader::ReadLine(size_t capacity) {
    return std::string(Next(capacity));
}

std::string_view LineReader::PeekLine(size_t capacity) {
    return Next(capacity);
}

void LineReader::SkipLine() {
    Next(0);
}

void LineReader::SkipLines(int count) {
    for (int i = 0; i < count; ++i) SkipLine();
}

}  // namespace vokamo

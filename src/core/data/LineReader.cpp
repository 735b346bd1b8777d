#include "core/data/LineReader.h"

#include <cerrno>
#include <cstring>

#include "core/state/Errors.h"
#include "core/data/SjisText.h"

namespace vokamo {

namespace {

constexpr int Cr = 0x0D;
constexpr int Lf = 0x0A;
constexpr int EndOfText = 0x1A;

// A line cut at its capacity may end in the first half of a character; that
// half cannot be shown and would join whatever is appended later.
void DropDanglingLead(std::string& text) {
    size_t i = 0;
    size_t last = 0;
    while (i < text.size()) {
        last = i;
        i += SjisCharLen(text, i);
    }
    if (!text.empty() && last == text.size() - 1 && IsSjisLead(static_cast<unsigned char>(text[last])))
        text.pop_back();
}

// The learner sees this, so the common causes are said in Japanese.
std::string Reason(int err) {
    switch (err) {
        case ENOENT:
            return "見つかりません";
        case EACCES:
            return "読む権限がありません";
        case EISDIR:
            return "フォルダーです";
        default:
            return std::strerror(err);
    }
}

}  // namespace

LineReader::LineReader(const std::string& fsPath) : path_(fsPath), buffer_(BufferBytes) {
    file_ = std::fopen(fsPath.c_str(), "rb");
    if (!file_) {
        const int err = errno;
        throw FileError("ファイル '" + fsPath + "' を開けません（" + Reason(err) + "）。");
    }
}

LineReader::~LineReader() {
    if (file_) std::fclose(file_);
}

void LineReader::Reread() {
    pos_ = 0;
    filled_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
    if (filled_ == 0 && std::ferror(file_))
        throw FileError("ファイル '" + path_ + "' を読めません（" + Reason(errno) + "）。");
}

bool LineReader::Fill() {
    if (ended_) return false;
    if (pos_ < filled_) return true;
    Reread();
    if (filled_ == 0) ended_ = true;
    return !ended_;
}

void LineReader::Consume(std::string* out, size_t capacity) {
    ++lineNumber_;
    bool cut = false;
    while (Fill()) {
        const unsigned char* start = buffer_.data() + pos_;
        const unsigned char* end = buffer_.data() + filled_;
        const unsigned char* p = start;
        while (p < end && *p != Cr && *p != EndOfText) ++p;
        if (out) {
            size_t n = static_cast<size_t>(p - start);
            const size_t room = capacity > out->size() ? capacity - out->size() : 0;
            if (n > room) {
                cut = true;
                n = room;
            }
            out->append(reinterpret_cast<const char*>(start), n);
        }
        pos_ = static_cast<size_t>(p - buffer_.data());
        if (p == end) continue;
        ++pos_;
        if (*p == EndOfText) {
            ended_ = true;
            break;
        }
        // A LF right after the CR belongs to the same line end.
        if (Fill() && buffer_[pos_] == Lf) ++pos_;
        break;
    }
    if (out && cut) DropDanglingLead(*out);
}

std::string LineReader::ReadLine(size_t capacity) {
    std::string line;
    Consume(&line, capacity);
    return line;
}

std::string_view LineReader::PeekLine(size_t capacity) {
    line_.clear();
    Consume(&line_, capacity);
    return line_;
}

void LineReader::SkipLine() {
    Consume(nullptr, 0);
}

void LineReader::SkipLines(int count) {
    for (int i = 0; i < count; ++i) SkipLine();
}

}  // namespace vokamo

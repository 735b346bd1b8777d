#include "core/data/FileText.h"

#include <iconv.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "core/state/Errors.h"
#include "core/state/FileGuard.h"

namespace vokamo {

namespace {

constexpr char EndMark = '\x1a';

std::string ReasonEn(int err) {
    switch (err) {
        case ENOENT:
            return "not found";
        case EACCES:
            return "no permission to read it";
        case EISDIR:
            return "it is a folder";
        default:
            return std::strerror(err);
    }
}

[[noreturn]] void Fail(const std::string& shownPath, const char* doing, const char* doingEn, int err) {
    Problem p;
    p.ja = std::string("ファイルを") + doing + "（" + JapaneseReason(err) + "）。";
    p.en = std::string("cannot ") + doingEn + " the file (" + ReasonEn(err) + ").";
    throw FileError("ファイル '" + shownPath + "' を" + doing + "（" + JapaneseReason(err) + "）。",
                    std::move(p));
}

// The code point of the UTF-8 character at text[pos] and its length; length 0
// when the bytes there are no valid UTF-8. `cut` is set when they are the
// valid beginning of a character that the text ends inside.
size_t DecodeUtf8(std::string_view text, size_t pos, uint32_t& cp, bool& cut) {
    cut = false;
    const auto b0 = static_cast<unsigned char>(text[pos]);
    size_t len;
    uint32_t min;
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    } else if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2, cp = b0 & 0x1Fu, min = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3, cp = b0 & 0x0Fu, min = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4, cp = b0 & 0x07u, min = 0x10000;
    } else {
        return 0;
    }
    for (size_t k = 1; k < len; ++k) {
        if (pos + k >= text.size()) {
            cut = true;
            return 0;
        }
        const auto b = static_cast<unsigned char>(text[pos + k]);
        if ((b & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b & 0x3Fu);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return len;
}

std::string Utf8Of(uint32_t cp) {
    std::string out;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

// One character through iconv's CP932: its code (one or two bytes as a
// number), or 0.
uint16_t IconvCode(iconv_t cd, uint32_t cp) {
    std::string in = Utf8Of(cp);
    char outBuf[8];
    char* inPtr = in.data();
    size_t inLeft = in.size();
    char* outPtr = outBuf;
    size_t outLeft = sizeof outBuf;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || inLeft != 0) return 0;
    const size_t n = static_cast<size_t>(outPtr - outBuf);
    if (n == 1) return static_cast<unsigned char>(outBuf[0]);
    if (n == 2)
        return static_cast<uint16_t>((static_cast<unsigned char>(outBuf[0]) << 8) |
                                     static_cast<unsigned char>(outBuf[1]));
    return 0;
}

// iconv per character is far too slow for whole files, so the table of the
// Basic Multilingual Plane is built once from iconv's own CP932 decoding of
// every Shift-JIS code. Where several codes decode to one character, and for
// characters only the encoding direction knows (the wave dash, for one),
// iconv is asked the other way, so the result is always iconv's.
class SjisTable {
public:
    SjisTable() : toSjis_(iconv_open("CP932", "UTF-8")) {
        if (toSjis_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv has no CP932");
        iconv_t fromSjis = iconv_open("UTF-16LE", "CP932");
        if (fromSjis == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv has no CP932");
        std::vector<bool> twice(0x10000);
        auto add = [&](uint16_t code, const char* bytes, size_t n) {
            char in[2] = {bytes[0], n > 1 ? bytes[1] : '\0'};
            char out[8];
            char* inPtr = in;
            size_t inLeft = n;
            char* outPtr = out;
            size_t outLeft = sizeof out;
            iconv(fromSjis, nullptr, nullptr, nullptr, nullptr);
            if (iconv(fromSjis, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) return;
            if (outPtr - out != 2) return;
            const uint16_t cp = static_cast<uint16_t>(static_cast<unsigned char>(out[0]) |
                                                      (static_cast<unsigned char>(out[1]) << 8));
            if (cp < 0x80) return;
            if (table_[cp] != 0) twice[cp] = true;
            table_[cp] = code;
        };
        for (int b = 0x80; b <= 0xFF; ++b) {
            const char c = static_cast<char>(b);
            add(static_cast<uint16_t>(b), &c, 1);
        }
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (lead > 0x9F && lead < 0xE0) continue;
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                if (trail == 0x7F) continue;
                const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                add(static_cast<uint16_t>((lead << 8) | trail), pair, 2);
            }
        }
        iconv_close(fromSjis);
        for (uint32_t cp = 0x80; cp < 0x10000; ++cp)
            if (twice[cp]) table_[cp] = IconvCode(toSjis_, cp);
    }
    ~SjisTable() { iconv_close(toSjis_); }
    SjisTable(const SjisTable&) = delete;
    SjisTable& operator=(const SjisTable&) = delete;

    uint16_t Code(uint32_t cp) {
        if (cp < 0x10000 && table_[cp] != 0) return table_[cp];
        return IconvCode(toSjis_, cp);
    }

private:
    std::array<uint16_t, 0x10000> table_{};
    iconv_t toSjis_;
};

// Never destroyed, like every static a save can reach: the save at the
// process's exit runs after the statics made before it are gone.
SjisTable& Table() {
    static auto* table = new SjisTable;
    return *table;
}

// Line numbers of byte positions met in increasing order.
class LineCounter {
public:
    LineCounter(std::string_view text, char end) : text_(text), end_(end) {}
    int At(size_t pos) {
        line_ += static_cast<int>(std::count(text_.begin() + static_cast<long>(pos_),
                                             text_.begin() + static_cast<long>(pos), end_));
        pos_ = pos;
        return line_;
    }

private:
    std::string_view text_;
    char end_;
    size_t pos_ = 0;
    int line_ = 1;
};

void AddFlaw(FileText& t, FileText::Flaw::Kind kind, int line, std::string utf8 = {}) {
    if (t.flaws.size() >= MaxFlaws) return;
    if (!t.flaws.empty() && t.flaws.back().kind == kind && t.flaws.back().line == line &&
        kind != FileText::Flaw::NotInShiftJis)
        return;
    t.flaws.push_back({kind, line, std::move(utf8)});
}

// Converts and appends, noting flaws with their lines. With `strict` the
// conversion gives up at the first byte that is no UTF-8 and returns false.
// Shift-JIS never takes more bytes than UTF-8 for the same text.
bool Convert(std::string_view in, std::string& out, std::vector<FileText::Flaw>* flaws, LineCounter* lines,
             size_t base, bool strict, bool* nonAscii) {
    SjisTable& table = Table();
    const size_t start = out.size();
    out.resize(start + in.size());
    char* o = out.data() + start;
    const char* p = in.data();
    const char* const end = p + in.size();
    auto flaw = [&](FileText::Flaw::Kind kind, const char* at, std::string utf8) {
        if (!flaws || flaws->size() >= MaxFlaws) return;
        const int line = lines->At(base + static_cast<size_t>(at - in.data()));
        if (kind != FileText::Flaw::NotInShiftJis && !flaws->empty() && flaws->back().kind == kind &&
            flaws->back().line == line)
            return;
        flaws->push_back({kind, line, std::move(utf8)});
    };
    while (p < end) {
        // Most of a question file is ASCII: take it eight bytes at a time.
        while (end - p >= 8) {
            uint64_t word;
            std::memcpy(&word, p, 8);
            if (word & 0x8080808080808080ull) break;
            std::memcpy(o, p, 8);
            p += 8;
            o += 8;
        }
        if (p < end && static_cast<unsigned char>(*p) < 0x80) {
            *o++ = *p++;
            continue;
        }
        if (p == end) break;
        if (nonAscii) *nonAscii = true;
        uint32_t cp;
        bool cut;
        const size_t len = DecodeUtf8(std::string_view(p, static_cast<size_t>(end - p)), 0, cp, cut);
        if (len == 0) {
            if (strict && !cut) {
                out.resize(start);
                return false;
            }
            flaw(cut ? FileText::Flaw::CutAtEnd : FileText::Flaw::BadUtf8, p, {});
            *o++ = '?';
            p = cut ? end : p + 1;
            continue;
        }
        const uint16_t code = table.Code(cp);
        if (code == 0) {
            flaw(FileText::Flaw::NotInShiftJis, p, std::string(p, len));
            *o++ = '?';
        } else if (code < 0x100) {
            *o++ = static_cast<char>(code);
        } else {
            *o++ = static_cast<char>(code >> 8);
            *o++ = static_cast<char>(code & 0xFF);
        }
        p += len;
    }
    out.resize(static_cast<size_t>(o - out.data()));
    return true;
}

// Whether the first character beyond ASCII is UTF-8: a Shift-JIS file
// nearly always fails right there, before anything is converted.
bool FirstNonAsciiIsUtf8(std::string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (static_cast<unsigned char>(text[i]) < 0x80) continue;
        uint32_t cp;
        bool cut;
        return DecodeUtf8(text, i, cp, cut) != 0 || cut;
    }
    return false;
}

}  // namespace

std::string Utf16ToUtf8(std::string_view in, bool bigEndian) {
    std::string out;
    out.reserve(in.size());
    auto unit = [&](size_t i) {
        const auto a = static_cast<unsigned char>(in[i]);
        const auto b = static_cast<unsigned char>(in[i + 1]);
        return static_cast<uint32_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
    };
    for (size_t i = 0; i + 1 < in.size(); i += 2) {
        const uint32_t u = unit(i);
        if (u >= 0xD800 && u <= 0xDBFF && i + 3 < in.size()) {
            const uint32_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                out += Utf8Of(0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        if (u >= 0xD800 && u <= 0xDFFF)
            out += LoneSurrogate;
        else
            out += Utf8Of(u);
    }
    return out;
}

std::string ReadFileBytes(const std::string& fsPath, const std::string& longShownPath) {
    const std::string shownPath = ShortenForMessage(longShownPath);
    // Folders, FIFOs, devices and files beyond the limit are refused before
    // anything is read; the loop below still stops at the limit.
    const int fd = OpenForReading(fsPath, shownPath, MaxTextFileBytes);
    if (fd < 0) Fail(shownPath, "開けません", "open", errno);
    std::string bytes;
    int err = 0;
    const ReadEnd end = ReadBounded(fd, MaxTextFileBytes, bytes, err);
    ::close(fd);
    if (end == ReadEnd::Failed) Fail(shownPath, "読めません", "read", err);
    if (end == ReadEnd::TooLarge) {
        const std::string mb = std::to_string(MaxTextFileBytes / (1024 * 1024));
        Problem p;
        p.ja = "ファイルが大きすぎます（" + mb + " MB まで）。問題データのファイルではないようです。";
        p.en = "the file is too big (" + mb + " MB at most); it does not look like a question file.";
        throw FileError("ファイル '" + shownPath + "' は大きすぎます（" + mb + " MB まで）。", std::move(p));
    }
    return bytes;
}

namespace {

// The last UTF-8 file converted. Every question set reads the file again;
// while it has not changed, its conversion is not done again.
struct LastConversion {
    std::string bytes;
    FileText text;
};
thread_local LastConversion last;

}  // namespace

FileText DecodeFileText(std::string bytes, bool detect) {
    if (detect && !last.bytes.empty() && bytes == last.bytes) return last.text;
    const bool le = bytes.starts_with("\xFF\xFE");
    if (detect && (le || bytes.starts_with("\xFE\xFF"))) {
        // The same text as UTF-8 with its BOM: the same rules, limits and
        // messages, and its own place in the cache.
        std::string original = std::move(bytes);
        FileText t =
            DecodeFileText("\xEF\xBB\xBF" + Utf16ToUtf8(std::string_view(original).substr(2), !le), true);
        t.utf16 = true;
        int line = 1;
        for (char c : t.sjis) {
            if (c == (t.lfLines ? '\n' : '\r')) ++line;
        }
        for (FileText::Flaw& f : t.flaws)
            if (f.kind == FileText::Flaw::BadUtf8) f.kind = FileText::Flaw::BadUtf16;
        if (original.size() % 2 == 1) AddFlaw(t, FileText::Flaw::CutAtEnd, line);
        last.bytes = std::move(original);
        last.text = t;
        return t;
    }
    FileText t;
    const size_t mark = bytes.find(EndMark);
    const std::string_view text(bytes.data(), mark == std::string::npos ? bytes.size() : mark);
    t.lfLines = detect && text.find('\r') == std::string_view::npos;
    LineCounter lines(text, t.lfLines ? '\n' : '\r');
    if (mark != std::string::npos) {
        t.endMarkLine = LineCounter(text, t.lfLines ? '\n' : '\r').At(mark);
        t.textAfterEndMark = bytes.find_first_not_of("\r\n\x1a", mark) != std::string::npos;
    }
    if (!detect) {
        bytes.resize(text.size());
        t.sjis = std::move(bytes);
        return t;
    }
    for (size_t nul = text.find('\0'); nul != std::string_view::npos; nul = text.find('\0', nul + 1))
        AddFlaw(t, FileText::Flaw::NulByte, lines.At(nul));
    // A BOM means UTF-8; otherwise the text is UTF-8 when it converts as
    // such and holds anything beyond ASCII, and Shift-JIS when it does not.
    LineCounter convLines(text, t.lfLines ? '\n' : '\r');
    const bool bom = text.substr(0, 3) == "\xEF\xBB\xBF";
    std::vector<FileText::Flaw> convFlaws;
    std::string converted;
    bool nonAscii = false;
    if ((bom || FirstNonAsciiIsUtf8(text)) &&
        Convert(text.substr(bom ? 3 : 0), converted, &convFlaws, &convLines, bom ? 3 : 0, !bom, &nonAscii) &&
        (bom || nonAscii)) {
        t.utf8 = true;
        t.sjis = std::move(converted);
        for (FileText::Flaw& f : convFlaws)
            if (t.flaws.size() < MaxFlaws) t.flaws.push_back(std::move(f));
        std::stable_sort(t.flaws.begin(), t.flaws.end(),
                         [](const FileText::Flaw& a, const FileText::Flaw& b) { return a.line < b.line; });
        last.bytes = std::move(bytes);
        last.text = t;
        return t;
    }
    // A Shift-JIS text whose last character lost its second byte.
    size_t lastLine = text.find_last_of(t.lfLines ? '\n' : '\r');
    lastLine = lastLine == std::string_view::npos ? 0 : lastLine + 1;
    for (size_t i = lastLine; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        if (lead && i + 1 == text.size()) AddFlaw(t, FileText::Flaw::CutAtEnd, lines.At(i));
        i += lead ? 2 : 1;
    }
    bytes.resize(text.size());
    t.sjis = std::move(bytes);
    return t;
}

bool Utf8ToSjisFast(std::string_view utf8, std::string& out) {
    std::vector<FileText::Flaw> flaws;
    LineCounter lines(utf8, '\n');
    return Convert(utf8, out, &flaws, &lines, 0, false, nullptr) && flaws.empty();
}

}  // namespace vokamo

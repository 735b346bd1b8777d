#include "core/data/SjisText.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace vokamo {

bool IsSjisLead(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

size_t SjisCharLen(std::string_view text, size_t pos) {
    if (pos < text.size() && IsSjisLead(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size())
        return 2;
    return 1;
}

size_t SjisCharCount(std::string_view text) {
    size_t count = 0;
    for (size_t i = 0; i < text.size(); i += SjisCharLen(text, i)) ++count;
    return count;
}

std::string SjisCut(std::string_view text, size_t n) {
    if (text.size() <= n) return std::string(text);
    size_t i = 0;
    while (i < text.size()) {
        const size_t len = SjisCharLen(text, i);
        if (i + len > n) break;
        i += len;
    }
    return std::string(text.substr(0, i));
}

std::string SjisFirstChars(std::string_view text, size_t n) {
    size_t i = 0;
    for (size_t k = 0; k < n && i < text.size(); ++k) i += SjisCharLen(text, i);
    return std::string(text.substr(0, i));
}

namespace {

std::string MapAscii(std::string_view text, char from, char to, int delta) {
    std::string out(text);
    for (size_t i = 0; i < out.size();) {
        const size_t len = SjisCharLen(out, i);
        if (len == 1 && out[i] >= from && out[i] <= to) out[i] = static_cast<char>(out[i] + delta);
        i += len;
    }
    return out;
}

// Runs iconv over the whole input. With lossy set, undecodable input bytes are
// replaced; otherwise any failure gives nullopt.
std::optional<std::string> Convert(const char* to, const char* from, std::string_view in, bool lossy) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("iconv cannot convert between CP932 and UTF-8");
    std::string out;
    out.resize(in.size() * 4 + 8);
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    std::optional<std::string> result;
    bool failed = false;
    while (inLeft > 0) {
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1)) continue;
        if (errno == E2BIG) {
            const size_t used = static_cast<size_t>(outPtr - out.data());
            out.resize(out.size() * 2);
            outPtr = out.data() + used;
            outLeft = out.size() - used;
            continue;
        }
        if (!lossy) {
            failed = true;
            break;
        }
        // Skip one byte and put a replacement character in its place.
        ++inPtr;
        --inLeft;
        const std::string_view repl = "\xEF\xBF\xBD";
        const size_t used = static_cast<size_t>(outPtr - out.data());
        if (outLeft < repl.size()) {
            out.resize(out.size() * 2);
            outPtr = out.data() + used;
            outLeft = out.size() - used;
        }
        for (char c : repl) *outPtr++ = c;
        outLeft -= repl.size();
    }
    if (!failed) {
        out.resize(static_cast<size_t>(outPtr - out.data()));
        result = std::move(out);
    }
    iconv_close(cd);
    return result;
}

}  // namespace

std::string SjisLowerAscii(std::string_view text) {
    return MapAscii(text, 'A', 'Z', 'a' - 'A');
}
std::string SjisUpperAscii(std::string_view text) {
    return MapAscii(text, 'a', 'z', 'A' - 'a');
}

std::optional<std::string> Utf8ToSjis(std::string_view utf8) {
    return Convert("CP932", "UTF-8", utf8, false);
}
std::optional<std::string> SjisToUtf8(std::string_view sjis) {
    return Convert("UTF-8", "CP932", sjis, false);
}
std::string SjisToUtf8Lossy(std::string_view sjis) {
    return *Convert("UTF-8", "CP932", sjis, true);
}

std::string Sjis(std::string_view utf8Literal) {
    auto out = Utf8ToSjis(utf8Literal);
    if (!out) throw std::logic_error("literal not representable in Shift-JIS");
    return *out;
}

}  // namespace vokamo

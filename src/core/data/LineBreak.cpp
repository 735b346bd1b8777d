#include "core/data/LineBreak.h"

#include <cstring>

#include "core/data/SjisText.h"

namespace vokamo {

namespace {

// Half-width katakana and double-byte characters: Japanese text, in which a
// line may end between any two characters.
bool IsWide(std::string_view ch) {
    if (ch.size() == 2) return true;
    const auto b = static_cast<unsigned char>(ch[0]);
    return b >= 0xA1 && b <= 0xDF;
}

bool AmongDoubleBytes(std::string_view ch, const std::string& set) {
    for (size_t i = 0; i + 1 < set.size(); i += 2)
        if (set.compare(i, 2, ch) == 0) return true;
    return false;
}

// No line begins with these.
bool NoBreakBefore(std::string_view ch) {
    static const std::string closing = Sjis(
        "、。，．・：；？！゛゜ヽヾゝゞ々ー）］｝」』】〕〉》’”"
        "ぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮヵヶ");
    if (ch.size() == 2) return AmongDoubleBytes(ch, closing);
    const auto b = static_cast<unsigned char>(ch[0]);
    // ｡ ｣ ､ ･, the small ｧ..ｯ, ｰ and the two sound marks.
    if (b == 0xA1 || (b >= 0xA3 && b <= 0xA5) || (b >= 0xA7 && b <= 0xB0) || b == 0xDE || b == 0xDF)
        return true;
    return b < 0x80 && std::strchr(".,!?;:)]}%'\"", static_cast<char>(b)) != nullptr && b != 0;
}

// No line ends with these.
bool NoBreakAfter(std::string_view ch) {
    static const std::string opening = Sjis("（［｛「『【〔〈《‘“");
    if (ch.size() == 2) return AmongDoubleBytes(ch, opening);
    const auto b = static_cast<unsigned char>(ch[0]);
    return b == 0xA2 || b == '(' || b == '[' || b == '{';
}

std::string_view TrimRight(std::string_view text) {
    const size_t end = text.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

}  // namespace

std::vector<BreakPoint> BreakPoints(std::string_view text) {
    std::vector<BreakPoint> points;
    int depth = 0;
    bool seenWord = false;
    std::string_view previous;  // the character before, when it was no space
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\n') {
            points.push_back({i, i + 1, true});
            depth = 0;
            seenWord = false;
            previous = {};
            ++i;
            continue;
        }
        if (c == ' ') {
            const size_t end = text.find_first_not_of(' ', i);
            if (end == std::string_view::npos) break;
            if (depth == 0 && seenWord && text[end] != '\n') points.push_back({i, end});
            previous = {};
            i = end;
            continue;
        }
        const std::string_view ch = text.substr(i, SjisCharLen(text, i));
        if (!previous.empty() && depth == 0 && (IsWide(previous) || IsWide(ch)) && !NoBreakBefore(ch) &&
            !NoBreakAfter(previous))
            points.push_back({i, i});
        // Bytes of a double-byte character never fall in the ASCII range
        // below 0x40, so brackets and spaces can be read byte by byte.
        if (c == '(') ++depth;
        if (c == ')' && depth > 0) --depth;
        seenWord = true;
        previous = ch;
        i += ch.size();
    }
    return points;
}

std::vector<std::string> BreakLines(std::string_view text, int maxLines, const LineFits& fits) {
    const bool feeds = text.find('\n') != std::string_view::npos;
    if (!feeds && fits(0, text)) return {std::string(text)};
    const std::vector<BreakPoint> points = BreakPoints(text);
    std::vector<std::string> lines;
    size_t start = 0;
    size_t next = 0;  // first break point not yet passed
    while (static_cast<int>(lines.size()) < maxLines) {
        const int line = static_cast<int>(lines.size());
        // The paragraph runs to the next line feed or to the end.
        size_t feed = next;
        while (feed < points.size() && !points[feed].forced) ++feed;
        const size_t end = feed < points.size() ? points[feed].lineEnd : text.size();
        const std::string_view rest = TrimRight(text.substr(start, end - start));
        if (fits(line, rest)) {
            lines.emplace_back(rest);
            if (feed == points.size()) return lines;
            start = points[feed].nextStart;
            next = feed + 1;
            continue;
        }
        // The longest line that fits; widths only grow with the line.
        size_t chosen = points.size();
        for (size_t p = next; p < feed; ++p) {
            if (!fits(line, text.substr(start, points[p].lineEnd - start))) break;
            chosen = p;
        }
        if (chosen == points.size()) return {};
        lines.emplace_back(text.substr(start, points[chosen].lineEnd - start));
        start = points[chosen].nextStart;
        next = chosen + 1;
    }
    return {};
}

std::vector<std::string> BreakLines(std::string_view text, int maxLines,
                                    const std::function<bool(std::string_view)>& fits) {
    return BreakLines(text, maxLines, [&fits](int, std::string_view piece) { return fits(piece); });
}

}  // namespace vokamo

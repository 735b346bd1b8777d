#include "core/data/LineBreak.h"

namespace vokamo {

std::vector<BreakPoint> BreakPoints(std::string_view text) {
    std::vector<BreakPoint> points;
    int depth = 0;
    bool seenWord = false;
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == ' ') {
            const size_t end = text.find_first_not_of(' ', i);
            if (end == std::string_view::npos) break;
            if (depth == 0 && seenWord) points.push_back({i, end});
            i = end;
            continue;
        }
        // Bytes of a double-byte character never fall in the ASCII range
        // below 0x40, so brackets and spaces can be read byte by byte.
        if (c == '(') ++depth;
        if (c == ')' && depth > 0) --depth;
        seenWord = true;
        ++i;
    }
    return points;
}

std::vector<std::string> BreakLines(std::string_view text, int maxLines,
                                    const std::function<bool(std::string_view)>& fits) {
    if (fits(text)) return {std::string(text)};
    const std::vector<BreakPoint> points = BreakPoints(text);
    std::vector<std::string> lines;
    size_t start = 0;
    size_t next = 0;  // first break point not yet passed
    while (static_cast<int>(lines.size()) + 1 < maxLines) {
        // The longest line that fits; widths only grow with the line.
        size_t chosen = points.size();
        for (size_t p = next; p < points.size(); ++p) {
            if (!fits(text.substr(start, points[p].lineEnd - start))) break;
            chosen = p;
        }
        if (chosen == points.size()) return {};
        lines.emplace_back(text.substr(start, points[chosen].lineEnd - start));
        start = points[chosen].nextStart;
        next = chosen + 1;
        std::string_view rest = text.substr(start);
        rest = rest.substr(0, rest.find_last_not_of(' ') + 1);
        if (fits(rest)) {
            lines.emplace_back(rest);
            return lines;
        }
    }
    return {};
}

}  // namespace vokamo

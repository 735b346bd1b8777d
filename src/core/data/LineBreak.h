#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vokamo {

// A place where a line of drill text may end: the run of spaces
// [lineEnd, nextStart) between two words, the boundary between two
// characters of Japanese text (lineEnd == nextStart), or a line feed that
// must end the line (`forced`). A pupil must always see a word and a
// bracketed blank or answer whole, so there is no break inside an English
// word or between "(" and its ")"; Japanese text follows the usual rule that
// no line begins with a closing mark, a small kana or a long-vowel mark and
// none ends with an opening bracket.
struct BreakPoint {
    size_t lineEnd;
    size_t nextStart;
    bool forced = false;
    bool operator==(const BreakPoint&) const = default;
};

// The break points of a Shift-JIS text, in order. Spaces before the first
// word and after the last one are no break points.
std::vector<BreakPoint> BreakPoints(std::string_view text);

// Whether a piece of text fits as line number `line` (from 0) of its place;
// lines may differ in width when something stands beside some of them.
using LineFits = std::function<bool(int line, std::string_view piece)>;

// The text in at most maxLines lines, each as long as `fits` allows, a new
// line after every line feed. A text without line feeds that fits whole
// comes back unchanged as one line; otherwise the lines carry no trailing
// spaces. Empty when the text cannot be laid out so (the caller then tries
// a smaller font).
std::vector<std::string> BreakLines(std::string_view text, int maxLines, const LineFits& fits);
std::vector<std::string> BreakLines(std::string_view text, int maxLines,
                                    const std::function<bool(std::string_view)>& fits);

}  // namespace vokamo

#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vokamo {

// A place where a line of drill text may end: the run of spaces
// [lineEnd, nextStart) between two words. A pupil must always see a word
// and a bracketed blank or answer whole, so there is no break inside a word
// or between "(" and its ")".
struct BreakPoint {
    size_t lineEnd;
    size_t nextStart;
    bool operator==(const BreakPoint&) const = default;
};

// The break points of a Shift-JIS text, in order. Spaces before the first
// word and after the last one are no break points.
std::vector<BreakPoint> BreakPoints(std::string_view text);

// The text in at most maxLines lines, each as long as `fits` allows. A text
// that fits whole comes back unchanged as one line; otherwise the lines
// carry no trailing spaces. Empty when the text cannot be laid out so
// (the caller then tries a smaller font).
std::vector<std::string> BreakLines(std::string_view text, int maxLines,
                                    const std::function<bool(std::string_view)>& fits);

}  // namespace vokamo

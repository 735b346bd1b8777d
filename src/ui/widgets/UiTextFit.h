#pragma once

#include <QFont>
#include <QSize>
#include <QString>
#include <functional>
#include <optional>
#include <string>

namespace vokamo {

struct FittedText {
    QString text;  // lines separated by '\n'
    QFont font;
    int lines = 1;
};

// The smallest text a pupil is asked to read in the drill.
inline constexpr int ReadablePixels = 12;

// How wide a line may be that stands at `top` and is `height` pixels high
// (in the coordinates of the text's parent).
using LineWidth = std::function<int(int top, int height)>;

// The height of `lines` lines in `font`, as a label draws them.
int LinesHeight(const QFont& font, int lines);

// A Shift-JIS text at exactly the size of `font`, its first line at `top`,
// broken at the core's break points so that every line is no wider than
// `width` allows where it stands and the last one ends above `bottom`.
// Nothing when it cannot be laid out so.
std::optional<FittedText> FitAtSize(const std::string& sjis, const QFont& font, int top, int bottom,
                                    const LineWidth& width);

// Lays a Shift-JIS text into `room`: on one line at the design font's size
// when it fits there, else broken into as many lines as the room's height
// holds, the font stepping down a pixel at a time only when those lines do
// not hold the text, never below `smallest`. When the design face cannot
// hold it at that size, `alternate` (a face with a tighter line pitch) gets
// the same chance. Never larger than the design font.
FittedText FitText(const std::string& sjis, const QFont& design, QSize room, int smallest = 6,
                   const QFont* alternate = nullptr);

// The design size of a font in pixels.
int PixelsOf(const QFont& font);

// The drill states font sizes in points; the windows are laid out in pixels
// at 96 dots per inch. 0 points keeps the design font.
QFont FontAtPoints(const QFont& design, int fontPt);

}  // namespace vokamo

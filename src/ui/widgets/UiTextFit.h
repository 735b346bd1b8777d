#pragma once

#include <QFont>
#include <QSize>
#include <QString>
#include <string>

namespace vokamo {

struct FittedText {
    QString text;  // lines separated by '\n'
    QFont font;
};

// Lays a Shift-JIS text into `room`: on one line at the design font's size
// when it fits there, else broken at the core's break points into as many
// lines as the room's height holds, the font stepping down a pixel at a
// time only when those lines do not hold the text (a smaller font then
// leaves room for more lines). Never larger than the design font.
FittedText FitText(const std::string& sjis, const QFont& design, QSize room);

}  // namespace vokamo

#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

#include "core/drill/DrillScreen.h"

namespace vokamo {

// One of the program's SVG drawings (":/pictures/<name>") rendered at the
// given size; an empty transparent pixmap when the drawing is missing.
QPixmap SvgPicture(const QString& name, QSize size);

// The face or mark picture the drill asks for (None gives a null pixmap).
QPixmap DrillPicture(Picture picture, QSize size);

}  // namespace vokamo

#pragma once

#include <QColor>

#include "core/state/Colour.h"

namespace vokamo {

// The one conversion from the core's colours to Qt's.
QColor ToQColor(Rgb rgb);

}  // namespace vokamo

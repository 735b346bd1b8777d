#include "ui/widgets/UiColour.h"

namespace vokamo {

QColor ToQColor(Rgb rgb) {
    return QColor((rgb >> 16) & 0xff, (rgb >> 8) & 0xff, rgb & 0xff);
}

}  // namespace vokamo

#pragma once

#include <cstdint>

namespace vokamo {

// A colour as 0xRRGGBB, the one colour type of the core. The windows turn it
// into a QColor with ToQColor (ui/widgets/UiColour.h).
using Rgb = uint32_t;

}  // namespace vokamo

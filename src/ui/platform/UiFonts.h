#pragma once

namespace vokamo {

// Maps the program's Windows font names onto the fonts Debian ships.
void InstallFontSubstitutions();

// Font family names of the program.
inline const char* const MinchoP = "ＭＳ Ｐ明朝";
inline const char* const GothicP = "ＭＳ Ｐゴシック";

}  // namespace vokamo

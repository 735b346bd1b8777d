#pragma once

#include <QString>
#include <string>

namespace vokamo {

// Maps the program's Windows font names onto the fonts Debian ships.
void InstallFontSubstitutions();

// The one conversion between the core's Shift-JIS texts and Qt.
QString ToQt(const std::string& sjis);
// Shift-JIS of a QString; empty optional-like flag through ok.
std::string FromQt(const QString& text, bool* ok = nullptr);

// Font family names of the program.
inline const char* const MinchoP = "ＭＳ Ｐ明朝";
inline const char* const GothicP = "ＭＳ Ｐゴシック";

}  // namespace vokamo

#pragma once

#include <QString>
#include <string>

namespace vokamo {

// The one conversion between the core's Shift-JIS texts and Qt.
QString ToQt(const std::string& sjis);
// Shift-JIS of a QString; empty, with ok false, when a character has no
// Shift-JIS form.
std::string FromQt(const QString& text, bool* ok = nullptr);

}  // namespace vokamo

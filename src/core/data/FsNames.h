#pragma once

#include <string>

namespace vokamo {

// Shift-JIS (code page 932) gives one byte pair to characters that the file
// system keeps apart: 0x8160 is read back as "～" (U+FF5E), yet a name typed
// on this system holds "〜" (U+301C); the same goes for −, —, ‖, ¢, £ and ¬.
// A path stored in Shift-JIS must still open the file it was chosen as.

// The file-system spelling of the Shift-JIS path sjisPath whose plain
// conversion is utf8Path: utf8Path when something is there; otherwise, part
// by part, the entry of each folder whose name has the same Shift-JIS bytes.
// utf8Path when no such entry exists.
std::string NameOnDisk(const std::string& sjisPath, const std::string& utf8Path);

}  // namespace vokamo

#pragma once

#include <string>

namespace vokamo {

// The class folder a teacher looked at last, so that the overview opens on
// it next time. Kept in a file of its own under the user's configuration
// folder; nothing else of the program is kept there.

// "$XDG_CONFIG_HOME/vokamo/class-folder", else "~/.config/vokamo/class-folder";
// empty when neither is known.
std::string ClassFolderMemoryFile();

// The folder remembered in file, or empty when none is (or it is gone).
std::string RememberedClassFolder(const std::string& file);

// Remembers fsFolder in file (its folder made when missing). False when it
// cannot be written; the overview works on without it.
bool RememberClassFolder(const std::string& file, const std::string& fsFolder);

}  // namespace vokamo

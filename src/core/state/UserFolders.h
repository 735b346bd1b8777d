#pragma once

#include <string>

namespace vokamo {

// The program's own folders among the user's files, by the XDG base
// directory rules: $XDG_CONFIG_HOME/vokamo (else ~/.config/vokamo) for what
// it remembers, $XDG_DATA_HOME/vokamo (else ~/.local/share/vokamo) for what
// it keeps. A relative value counts as unset. Empty when there is no home.
std::string ProgramConfigFolder();
std::string ProgramDataFolder();

}  // namespace vokamo

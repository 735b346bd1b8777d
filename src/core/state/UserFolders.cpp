#include "core/state/UserFolders.h"

#include <cstdlib>

namespace vokamo {
namespace {

std::string ProgramFolder(const char* variable, const char* underHome) {
    const char* base = std::getenv(variable);
    if (base && *base == '/') return std::string(base) + "/vokamo";
    const char* home = std::getenv("HOME");
    if (home && *home) return std::string(home) + "/" + underHome + "/vokamo";
    return {};
}

}  // namespace

std::string ProgramConfigFolder() {
    return ProgramFolder("XDG_CONFIG_HOME", ".config");
}

std::string ProgramDataFolder() {
    return ProgramFolder("XDG_DATA_HOME", ".local/share");
}

}  // namespace vokamo

#include "core/classview/ClassFolder.h"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "core/state/UserFolders.h"

namespace vokamo {

namespace {

constexpr size_t MaxRememberedBytes = 4096;

}  // namespace

std::string ClassFolderMemoryFile() {
    const std::string folder = ProgramConfigFolder();
    return folder.empty() ? folder : folder + "/class-folder";
}

std::string RememberedClassFolder(const std::string& file) {
    if (file.empty()) return std::string();
    struct stat sb {};
    if (::stat(file.c_str(), &sb) != 0 || !S_ISREG(sb.st_mode) ||
        static_cast<size_t>(sb.st_size) > MaxRememberedBytes)
        return std::string();
    std::ifstream in(file, std::ios::binary);
    std::string folder;
    std::getline(in, folder);
    if (folder.empty() || ::stat(folder.c_str(), &sb) != 0 || !S_ISDIR(sb.st_mode)) return std::string();
    return folder;
}

bool RememberClassFolder(const std::string& file, const std::string& fsFolder) {
    if (file.empty() || fsFolder.empty() || fsFolder.find('\n') != std::string::npos) return false;
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(file).parent_path(), ec);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << fsFolder << "\n";
    out.close();
    return static_cast<bool>(out);
}

}  // namespace vokamo

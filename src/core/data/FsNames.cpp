#include "core/data/FsNames.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <vector>

#include "core/data/SjisText.h"

namespace vokamo {

namespace {

bool Present(const std::string& path) {
    struct stat sb {};
    return ::lstat(path.c_str(), &sb) == 0 || errno != ENOENT;
}

std::string Join(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

// The entry of `folder` whose name is `sjisName` in Shift-JIS.
std::optional<std::string> EntryNamed(const std::string& folder, const std::string& sjisName) {
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return std::nullopt;
    std::optional<std::string> found;
    while (const dirent* e = ::readdir(dir)) {
        const auto sjis = Utf8ToSjis(e->d_name);
        if (sjis && *sjis == sjisName) {
            found = e->d_name;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

}  // namespace

std::string NameOnDisk(const std::string& sjisPath, const std::string& utf8Path) {
    if (Present(utf8Path)) return utf8Path;
    // '/' is never the second byte of a character, so the parts split safely.
    std::string built = sjisPath.starts_with("/") ? "/" : "";
    size_t start = built.size();
    while (start <= sjisPath.size()) {
        size_t end = sjisPath.find('/', start);
        if (end == std::string::npos) end = sjisPath.size();
        const std::string part = sjisPath.substr(start, end - start);
        start = end + 1;
        if (part.empty()) continue;
        const std::string plain = Join(built, SjisToUtf8(part).value_or(part));
        if (Present(plain)) {
            built = plain;
            continue;
        }
        const bool ascii = std::all_of(part.begin(), part.end(),
                                       [](char ch) { return static_cast<unsigned char>(ch) < 0x80; });
        const auto entry = ascii ? std::nullopt : EntryNamed(built, part);
        if (!entry) return utf8Path;
        built = Join(built, *entry);
    }
    return built;
}

}  // namespace vokamo

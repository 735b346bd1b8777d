#include "core/records/CheckedFiles.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>
#include <vector>

#include "core/data/FileText.h"
#include "core/state/Errors.h"
#include "core/state/UserFolders.h"

namespace vokamo {

namespace {

// Enough for every file a class uses; the oldest entries go first.
constexpr size_t MaxEntries = 500;

std::string KeyOf(const std::string& fsPath) {
    std::error_code ec;
    const auto full = std::filesystem::weakly_canonical(fsPath, ec);
    return ec ? fsPath : full.string();
}

std::string Hex(uint64_t v) {
    char out[17];
    std::snprintf(out, sizeof out, "%016llx", static_cast<unsigned long long>(v));
    return out;
}

// Lines of "hash path", oldest first.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (line.size() > 17 && line[16] == ' ') lines.push_back(line);
    return lines;
}

std::string ReadStore(const std::string& path) {
    try {
        return ReadFileBytes(path, path);
    } catch (const VokamoError&) {
        return {};
    }
}

}  // namespace

std::optional<uint64_t> HashOfFile(const std::string& fsPath) {
    std::string bytes;
    try {
        bytes = ReadFileBytes(fsPath, fsPath);
    } catch (const VokamoError&) {
        return std::nullopt;
    }
    // FNV-1a: a change of any byte changes the hash.
    uint64_t h = 0xcbf29ce484222325ull;
    for (char c : bytes) {
        h ^= static_cast<unsigned char>(c);
        h *= 0x100000001b3ull;
    }
    return h ^ bytes.size();
}

std::string DefaultCheckedFilesPath() {
    const std::string folder = ProgramConfigFolder();
    return folder.empty() ? folder : folder + "/checked-files";
}

CheckedFiles::CheckedFiles(std::string fsStorePath) : storePath_(std::move(fsStorePath)) {}

bool CheckedFiles::Unchanged(const std::string& fsDataPath) const {
    const auto hash = HashOfFile(fsDataPath);
    if (!hash) return false;
    const std::string line = Hex(*hash) + " " + KeyOf(fsDataPath);
    for (const std::string& l : Lines(storePath_.empty() ? kept_ : ReadStore(storePath_)))
        if (l == line) return true;
    return false;
}

void CheckedFiles::Remember(const std::string& fsDataPath) {
    const auto hash = HashOfFile(fsDataPath);
    if (!hash) return;
    const std::string key = KeyOf(fsDataPath);
    std::vector<std::string> lines = Lines(storePath_.empty() ? kept_ : ReadStore(storePath_));
    std::erase_if(lines, [&](const std::string& l) { return l.compare(17, std::string::npos, key) == 0; });
    lines.push_back(Hex(*hash) + " " + key);
    if (lines.size() > MaxEntries) lines.erase(lines.begin(), lines.end() - MaxEntries);
    std::string text;
    for (const std::string& l : lines) text += l + "\n";
    if (storePath_.empty()) {
        kept_ = std::move(text);
        return;
    }
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(storePath_).parent_path(), ec);
    // A list half written would forget every file; the new one replaces the
    // old only when it is whole.
    const std::string temp = storePath_ + ".new";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << text;
        if (!out.flush()) {
            out.close();
            std::filesystem::remove(temp, ec);
            return;
        }
    }
    std::filesystem::rename(temp, storePath_, ec);
    if (ec) std::filesystem::remove(temp, ec);
}

}  // namespace vokamo

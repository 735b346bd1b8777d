#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vokamo {

// The question files whose warnings were shown and taken as they are, each
// by its path and a hash of its bytes, so that opening a record asks again
// only when its question file has changed since. Kept in a small file of the
// program's own, never in a record: a record goes from machine to machine,
// and the question file may differ on each.
class CheckedFiles {
public:
    // fsStorePath is where the list is kept; empty keeps it for this run only.
    explicit CheckedFiles(std::string fsStorePath);

    // True when the file at fsDataPath is, byte for byte, the version last
    // remembered for that path.
    bool Unchanged(const std::string& fsDataPath) const;
    // Remembers the file as it is now. A list that cannot be written is
    // passed over: the warnings are then shown once more next time.
    void Remember(const std::string& fsDataPath);

private:
    std::string storePath_;
    std::string kept_;  // the list itself when there is no store
};

// A 64-bit hash of a file's bytes, nullopt when it cannot be read.
std::optional<uint64_t> HashOfFile(const std::string& fsPath);

// Where the program keeps the list: under $XDG_CONFIG_HOME (or ~/.config).
std::string DefaultCheckedFilesPath();

}  // namespace vokamo

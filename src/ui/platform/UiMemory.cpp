#include "ui/platform/UiMemory.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>

namespace vokamo {

namespace {

struct Mapping {
    std::uintptr_t start = 0;
    std::uintptr_t end = 0;
    char perms[5] = {};
    std::string path;
    long anonymousKb = -1;  // unknown until the mapping's "Anonymous:" line
};

bool IsSharedObject(std::string_view path) {
    return path.ends_with(".so") || path.find(".so.") != std::string_view::npos;
}

// Whether the pages of `m` can be dropped without losing anything: a private
// mapping of a regular file that nobody can write to and that holds no page
// of its own (a relocated or patched page shows as Anonymous). Read-only data
// of a shared object is left alone even then, since the dynamic loader may be
// writing such pages of a library being loaded at this moment.
bool CanDrop(const Mapping& m, std::string_view self) {
    if (m.path.empty() || m.path[0] != '/' || m.path.starts_with("/dev/") || m.path.starts_with("/memfd:") ||
        m.path.ends_with(" (deleted)"))
        return false;
    if (m.perms[0] != 'r' || m.perms[1] != '-' || m.perms[3] != 'p' || m.anonymousKb != 0) return false;
    const bool code = m.perms[2] == 'x';
    return code || (!IsSharedObject(m.path) && m.path != self);
}

void Drop(const Mapping& m, std::string_view self) {
    if (CanDrop(m, self)) madvise(reinterpret_cast<void*>(m.start), m.end - m.start, MADV_DONTNEED);
}

}  // namespace

void GiveBackMemory() {
    malloc_trim(0);

    char exe[4096];
    const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    const std::string self = n > 0 ? std::string(exe, static_cast<size_t>(n)) : std::string();

    std::ifstream smaps("/proc/self/smaps");
    std::string line;
    Mapping current;
    bool have = false;
    while (std::getline(smaps, line)) {
        unsigned long start = 0, end = 0;
        char perms[5] = {};
        int pathAt = 0;
        if (std::sscanf(line.c_str(), "%lx-%lx %4s %*s %*s %*s %n", &start, &end, perms, &pathAt) == 3 &&
            pathAt > 0) {
            if (have) Drop(current, self);
            current =
                Mapping{start, end, {perms[0], perms[1], perms[2], perms[3], 0}, line.substr(pathAt), -1};
            have = true;
        } else if (line.starts_with("Anonymous:")) {
            current.anonymousKb = std::strtol(line.c_str() + 10, nullptr, 10);
        }
    }
    if (have) Drop(current, self);
}

}  // namespace vokamo

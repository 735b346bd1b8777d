#pragma once

// Where the fuzz targets put the bytes they are given: the readers take
// paths, as the program's do. A folder in memory when there is one.

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace vokamo::fuzz {

inline const std::string& WorkDir() {
    static const std::string dir = [] {
        std::string pattern =
            (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + std::string("/vokamo-fuzz-XXXXXX");
        if (!mkdtemp(pattern.data())) std::abort();
        return pattern;
    }();
    return dir;
}

inline std::string WriteInput(const std::string& name, const uint8_t* data, size_t size) {
    const std::string path = WorkDir() + "/" + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}

inline std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

}  // namespace vokamo::fuzz

#include "core/classview/ClassScan.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <set>
#include <utility>

#include "core/state/Errors.h"
#include "core/state/FileGuard.h"

namespace vokamo {

namespace {

bool EndsWithRet(const std::string& name) {
    if (name.size() < 5) return false;
    std::string tail = name.substr(name.size() - 4);
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return tail == ".ret";
}

std::string Join(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

class Scanner {
public:
    Scanner(const ScanLimits& limits, ScanResult& out) : limits_(limits), out_(out) {}

    void Folder(const std::string& fsFolder, int index) {
        struct stat sb {};
        if (::stat(fsFolder.c_str(), &sb) != 0) {
            Note("", index, "フォルダーを開けません（" + JapaneseReason(errno) + "）。");
            return;
        }
        if (!S_ISDIR(sb.st_mode)) {
            Note("", index, "フォルダーではありません。");
            return;
        }
        seen_.insert({sb.st_dev, sb.st_ino});
        Walk(fsFolder, "", index, 0);
    }

private:
    bool Stopped() {
        if (limits_.cancel && limits_.cancel->load()) {
            out_.cancelled = true;
            return true;
        }
        return full_;
    }

    void Note(const std::string& rel, int index, std::string reason) {
        out_.notes.push_back({rel, std::move(reason), index});
    }

    void Walk(const std::string& fsDir, const std::string& rel, int index, int depth) {
        DIR* dir = ::opendir(fsDir.c_str());
        if (!dir) {
            Note(rel, index, "フォルダーを開けません（" + JapaneseReason(errno) + "）。");
            return;
        }
        std::vector<std::string> names;
        while (const dirent* e = ::readdir(dir)) {
            if (Stopped()) break;
            if (++entries_ > limits_.maxEntries) {
                full_ = true;
                Note(rel, index,
                     "ファイルが多すぎるので、ここから先は読みませんでした（" +
                         std::to_string(limits_.maxEntries) + " 個まで）。");
                break;
            }
            const std::string name = e->d_name;
            // Hidden names: the program's own lock and temporary files, and
            // whatever else nobody meant to share.
            if (name.empty() || name[0] == '.') continue;
            names.push_back(name);
        }
        ::closedir(dir);
        std::sort(names.begin(), names.end());
        for (const std::string& name : names) {
            if (Stopped()) return;
            Entry(Join(fsDir, name), Join(rel, name), name, index, depth);
        }
    }

    void Entry(const std::string& fsPath, const std::string& rel, const std::string& name, int index,
               int depth) {
        const bool record = EndsWithRet(name);
        struct stat sb {};
        // Follows links: a link to a record is a record, and a link to a
        // device or a pipe is looked at, never opened.
        if (::stat(fsPath.c_str(), &sb) != 0) {
            if (record) Note(rel, index, "成績ファイルを開けません（" + JapaneseReason(errno) + "）。");
            return;
        }
        if (S_ISDIR(sb.st_mode)) {
            if (!seen_.insert({sb.st_dev, sb.st_ino}).second) {
                Note(rel, index, "すでに読んだフォルダーへのリンクなので、もう一度は読みません。");
                return;
            }
            if (depth + 1 > limits_.maxDepth) {
                Note(rel, index,
                     "フォルダーが深すぎるので読みませんでした（" + std::to_string(limits_.maxDepth) +
                         " 段まで）。");
                return;
            }
            Walk(fsPath, rel, index, depth + 1);
            return;
        }
        if (!record) return;
        if (!S_ISREG(sb.st_mode)) {
            Note(rel, index, "普通のファイルではない（装置やパイプなど）ので、読みませんでした。");
            return;
        }
        if (static_cast<uint64_t>(sb.st_size) > MaxRecordFileBytes) {
            Note(rel, index,
                 "成績にしては大きすぎる（" + std::to_string(sb.st_size) +
                     " バイト）ので、読みませんでした。");
            return;
        }
        if (out_.records.size() >= limits_.maxRecords) {
            if (!full_)
                Note(rel, index,
                     "成績が多すぎるので、ここから先は読みませんでした（" +
                         std::to_string(limits_.maxRecords) + " 個まで）。");
            full_ = true;
            return;
        }
        out_.records.push_back({fsPath, rel, index});
    }

    const ScanLimits& limits_;
    ScanResult& out_;
    std::set<std::pair<dev_t, ino_t>> seen_;
    size_t entries_ = 0;
    bool full_ = false;
};

}  // namespace

ScanResult ScanFolders(const std::vector<std::string>& fsFolders, const ScanLimits& limits) {
    ScanResult out;
    Scanner scanner(limits, out);
    for (size_t i = 0; i < fsFolders.size(); ++i) scanner.Folder(fsFolders[i], static_cast<int>(i));
    return out;
}

}  // namespace vokamo

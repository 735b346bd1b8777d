#include "core/records/WorkFolder.h"

#include <system_error>

#include "core/state/Errors.h"

namespace vokamo {

namespace fs = std::filesystem;

namespace {

// A folder that is a file on the way gets its own words; the rest are the
// system's errors as every message of the program words them.
std::string Reason(const std::error_code& ec) {
    if (ec == std::errc::not_a_directory) return "途中にフォルダーではなくファイルがあります";
    return JapaneseReason(ec.value());
}

std::string Quoted(const fs::path& p) {
    return "「" + p.string() + "」";
}

void CopySamples(const fs::path& folder, const fs::path& samples, WorkFolder& result) {
    std::error_code ec;
    fs::directory_iterator it(samples, ec);
    if (ec) {
        result.problems.push_back("見本の問題ファイルのフォルダー" + Quoted(samples) +
                                  "が見つからないため、見本は写していません。");
        return;
    }
    for (const fs::directory_entry& entry : it) {
        std::error_code kind;
        if (!entry.is_regular_file(kind)) continue;
        const fs::path name = entry.path().filename();
        std::error_code copyEc;
        // skip_existing: a file that appeared meanwhile is the teacher's.
        const bool copiedNow =
            fs::copy_file(entry.path(), folder / name, fs::copy_options::skip_existing, copyEc);
        if (copyEc)
            result.problems.push_back("見本の問題ファイル" + Quoted(name) + "を写せませんでした（" +
                                      Reason(copyEc) + "）。");
        else if (copiedNow)
            result.copied.push_back(name.string());
    }
}

}  // namespace

WorkFolder PrepareWorkFolder(const fs::path& folder, const fs::path& samples) {
    WorkFolder result;
    std::error_code ec;
    const fs::file_status status = fs::status(folder, ec);
    if (fs::is_directory(status)) {
        result.usable = true;
        return result;
    }
    if (fs::exists(status)) {
        result.problems.push_back(
            Quoted(folder) +
            "はフォルダーではなくファイルなので、Vokamo のフォルダーにできません。\n"
            "このファイルの名前を変えるか別の場所へ移すと、次に起動したときにフォルダーが作られます。");
        return result;
    }
    fs::create_directories(folder, ec);
    if (ec || !fs::is_directory(folder)) {
        result.problems.push_back("Vokamo のフォルダー" + Quoted(folder) + "を作れませんでした（" +
                                  Reason(ec ? ec : std::make_error_code(std::errc::not_a_directory)) +
                                  "）。");
        return result;
    }
    result.usable = true;
    result.created = true;
    CopySamples(folder, samples, result);
    return result;
}

}  // namespace vokamo

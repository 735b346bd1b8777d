#include "core/records/WorkFolder.h"

#include <system_error>

namespace vokamo {

namespace fs = std::filesystem;

namespace {

// The reasons a teacher can act on, in her language; anything else in the
// system's words.
std::string Reason(const std::error_code& ec) {
    if (ec == std::errc::permission_denied || ec == std::errc::operation_not_permitted)
        return "書き込みが許されていません";
    if (ec == std::errc::read_only_file_system) return "読み出し専用の場所です";
    if (ec == std::errc::no_space_on_device) return "ディスクに空きがありません";
    if (ec == std::errc::not_a_directory) return "途中にフォルダーではなくファイルがあります";
    if (ec == std::errc::no_such_file_or_directory) return "その場所がありません";
    return ec.message();
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

#include "core/records/RecordName.h"

#include <filesystem>
#include <system_error>

#include "core/state/ProgramState.h"
#include "core/data/DataFile.h"
#include "core/data/SjisText.h"

namespace vokamo {

namespace {

bool IsPlainFileName(const std::string& name) {
    if (name.empty() || name[0] == '.') return false;
    for (size_t i = 0; i < name.size(); i += SjisCharLen(name, i)) {
        // A trail byte is never below 0x40, so looking at single-byte
        // characters is enough.
        if (SjisCharLen(name, i) != 1) continue;
        const auto c = static_cast<unsigned char>(name[i]);
        if (c == '/' || c < 0x20 || c == 0x7f) return false;
    }
    return true;
}

}  // namespace

bool NameFieldAccepts(const std::string& utf8Text) {
    const auto sjis = Utf8ToSjis(utf8Text);
    return sjis && sjis->size() <= static_cast<size_t>(PlayerFieldBytes);
}

std::string RecordFileName(const std::string& sjisName) {
    return sjisName + ".ret";
}

std::string RecordNameProblem(const std::string& sjisName, const std::string& fsFolder) {
    if (!IsPlainFileName(sjisName))
        return "この名前は使えません。「/」や制御文字を含まず、「.」で始まらない名前を付けてください。";
    std::error_code ec;
    const auto file = std::filesystem::path(fsFolder) / FsPath(RecordFileName(sjisName));
    if (std::filesystem::exists(std::filesystem::symlink_status(file, ec)))
        return "成績「" + SjisToUtf8Lossy(sjisName) + "」はもうあります。別の名前を付けてください。";
    return {};
}

}  // namespace vokamo

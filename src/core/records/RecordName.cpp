#include "core/records/RecordName.h"

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "core/data/DataFile.h"
#include "core/data/SjisText.h"
#include "core/state/ProgramState.h"

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

// The UTF-8 characters of a text; a broken sequence is one byte.
std::vector<std::string> Utf8Chars(const std::string& text) {
    std::vector<std::string> chars;
    for (size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        size_t n = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 1;
        if (i + n > text.size()) n = 1;
        chars.push_back(text.substr(i, n));
        i += n;
    }
    return chars;
}

std::string CodePoint(const std::string& ch) {
    const auto b = [&](size_t i) { return static_cast<unsigned char>(ch[i]) & 0x3Fu; };
    unsigned cp = static_cast<unsigned char>(ch[0]);
    if (ch.size() == 2) cp = ((cp & 0x1Fu) << 6) | b(1);
    if (ch.size() == 3) cp = ((cp & 0x0Fu) << 12) | (b(1) << 6) | b(2);
    if (ch.size() == 4) cp = ((cp & 0x07u) << 18) | (b(1) << 12) | (b(2) << 6) | b(3);
    char buf[16];
    std::snprintf(buf, sizeof buf, "U+%04X", cp);
    return buf;
}

// How a message names a character: shown, with its code, or described
// when it cannot be shown.
std::string Named(const std::string& ch) {
    if (ch == "\r") return "改行（CR）";
    if (ch == "\n") return "改行（LF）";
    if (ch == "\t") return "タブ";
    const auto c = static_cast<unsigned char>(ch[0]);
    if (ch.size() == 1 && (c < 0x20 || c == 0x7f)) return "制御文字（" + CodePoint(ch) + "）";
    return "「" + ch + "」（" + CodePoint(ch) + "）";
}

constexpr const char* RenameAdvice = "名前を変えてから選んでください。";

}  // namespace

std::string ChosenPathProblem(const std::string& utf8Path) {
    const auto chars = Utf8Chars(utf8Path);
    for (const auto& ch : chars) {
        const auto c = static_cast<unsigned char>(ch[0]);
        if (ch.size() == 1 && (c < 0x20 || c == 0x7f))
            return "ファイルの名前（場所）に" + Named(ch) + "が含まれています。成績に記録できないので、" +
                   RenameAdvice;
        if (!Utf8ToSjis(ch))
            return "ファイルの名前（場所）の" + Named(ch) + "は使えない文字です（成績に記録できません）。" +
                   RenameAdvice;
    }
    const auto sjis = Utf8ToSjis(utf8Path);
    if (!sjis) return "ファイルの名前（場所）は成績に記録できません。" + std::string(RenameAdvice);
    if (FsPath(*sjis) == utf8Path) return {};
    // The stored bytes lead to another file: name the character that does
    // not come back as itself.
    for (const auto& ch : chars) {
        const auto back = SjisToUtf8(Utf8ToSjis(ch).value_or(""));
        if (back && *back != ch)
            return "ファイルの名前（場所）の" + Named(ch) + "は、成績に記録すると「" + *back +
                   "」になり、同じファイルをもう一度開けません。" + RenameAdvice;
    }
    return "ファイルの名前（場所）は、成績に記録すると同じファイルをもう一度開けません。" +
           std::string(RenameAdvice);
}

std::string UnholdableNameProblem(const std::string& utf8Text) {
    for (const auto& ch : Utf8Chars(utf8Text))
        if (!Utf8ToSjis(ch)) return Named(ch) + "は名前に使えない文字です。";
    return {};
}

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

#include "core/records/RecordText.h"

#include "core/data/SjisText.h"
#include "core/state/Errors.h"
#include "core/state/FileGuard.h"

namespace vokamo {

namespace {

std::string Quoted(const std::string& sjisPath) {
    return "「" + PathForMessage(sjisPath) + "」";
}

std::string Reason(int err) {
    return err != 0 ? "（" + JapaneseReason(err) + "）" : std::string();
}

}  // namespace

std::string OpenFailedMessage(const std::string& sjisPath, int err) {
    return "ファイル" + Quoted(sjisPath) + "を開けません。" + Reason(err);
}

std::string ReadFailedMessage(const std::string& sjisPath, int err) {
    return "ファイル" + Quoted(sjisPath) + "を読めません。" + Reason(err);
}

std::string WriteFailedMessage(const std::string& sjisPath, int err) {
    return "成績ファイル" + Quoted(sjisPath) + "に書き込めません。" + Reason(err);
}

std::string CountLimitMessage(const std::string& sjisPath, int line, const char* what, long value,
                              long limit) {
    return "成績ファイル" + Quoted(sjisPath) + "の" + std::to_string(line) + "行目: " + what + " " +
           std::to_string(value) + " は 0 から " + std::to_string(limit) + " の範囲にありません。";
}

std::string RecordNumberMessage(const std::string& sjisPath, int line, const std::string& sjisText,
                                const char* what) {
    return "成績ファイル" + Quoted(sjisPath) + "の" + std::to_string(line) +
           "行目: " + NotANumberText(sjisText) + "（ここには" + what +
           "が入ります。成績ファイルは Vokamo が書くものです。手で書き換えたときは元に戻してください）。";
}

}  // namespace vokamo

#include "core/state/Errors.h"

#include <cerrno>
#include <climits>
#include <cstring>

#include "core/data/SjisText.h"

namespace vokamo {

VokamoError::VokamoError(const std::string& message) : std::runtime_error(message) {}

VokamoError::VokamoError(const std::string& message, Problem where)
    : std::runtime_error(message), where_(std::make_shared<const Problem>(std::move(where))) {}

std::string NotANumberText(const std::string& sjisText) {
    return "'" + SjisToUtf8Lossy(sjisText) + "' は数値ではありません";
}

ConversionError::ConversionError(const std::string& sjisText) : VokamoError(NotANumberText(sjisText)) {}

ConversionError::ConversionError(const std::string& message, Problem where)
    : VokamoError(message, std::move(where)) {}

std::string JapaneseReason(int err) {
    switch (err) {
        case ENOSPC:
        case EDQUOT:
            return "ディスクがいっぱいです";
        case EACCES:
        case EPERM:
            return "権限がありません";
        case EROFS:
            return "書き込みできないディスクです";
        case ENOENT:
        case ENOTDIR:
            return "見つかりません";
        case EISDIR:
            return "フォルダーです";
        case ENAMETOOLONG:
            return "名前が長すぎます";
        case EIO:
            return "ディスクの読み書きに失敗しました";
        case EMFILE:
        case ENFILE:
        case ENOMEM:
            return "コンピューターの資源が足りません";
        default:
            return std::string("システムのエラー: ") + std::strerror(err);
    }
}

int32_t ToInt(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i >= text.size()) throw ConversionError(text);
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') throw ConversionError(text);
        value = value * 10 + (c - '0');
        if (value > static_cast<int64_t>(INT32_MAX) + 1) throw ConversionError(text);
    }
    if (negative) value = -value;
    if (value > INT32_MAX || value < INT32_MIN) throw ConversionError(text);
    return static_cast<int32_t>(value);
}

}  // namespace vokamo

#include "core/state/Errors.h"

#include <cerrno>
#include <climits>
#include <string>

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
        case ENXIO:
        case ENODEV:
            return "その装置はつながっていないか、使えません";
        case ENOTTY:
            return "ファイルとして使えないものです";
        case EBUSY:
        case ETXTBSY:
            return "ほかのプログラムが使っています";
        case EAGAIN:
            return "いまは使えません。少し待ってからやり直してください";
        case EEXIST:
            return "同じ名前のものがもうあります";
        case ENOTEMPTY:
            return "フォルダーが空ではありません";
        case ELOOP:
            return "リンクがたどれません（輪になっているか、多すぎます）";
        case EFBIG:
        case EOVERFLOW:
            return "ファイルが大きすぎます";
        case EXDEV:
            return "別のディスクへは移せません";
        case EMLINK:
            return "リンクが多すぎます";
        case EINVAL:
        case EOPNOTSUPP:
            return "この場所ではできない操作です";
        case ENOLCK:
            return "この場所ではファイルに印（ロック）を付けられません";
        case ESTALE:
        case ETIMEDOUT:
        case ENETDOWN:
        case ENETUNREACH:
        case EHOSTUNREACH:
        case ECONNREFUSED:
        case ECONNRESET:
        case ENOTCONN:
            return "ネットワークの場所とつながりません";
        case EINTR:
            return "途中で止められました";
        case EBADF:
        case EFAULT:
            return "プログラムの中でファイルの扱いを誤りました";
        default:
            // The system's own text is English; the number is what a
            // technician looks up.
            return "システムのエラーです（番号 " + std::to_string(err) + "）";
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

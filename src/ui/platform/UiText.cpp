#include "ui/platform/UiText.h"

#include "core/data/SjisText.h"

namespace vokamo {

QString ToQt(const std::string& sjis) {
    return QString::fromStdString(SjisToUtf8Lossy(sjis));
}

std::string FromQt(const QString& text, bool* ok) {
    auto sjis = Utf8ToSjis(text.toStdString());
    if (ok) *ok = sjis.has_value();
    return sjis.value_or(std::string());
}

}  // namespace vokamo

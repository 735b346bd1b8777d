#include "ui/platform/UiFonts.h"

#include <QFont>

#include "core/data/SjisText.h"

namespace vokamo {

void InstallFontSubstitutions() {
    QFont::insertSubstitution(QString::fromUtf8(MinchoP), QStringLiteral("IPAPMincho"));
    QFont::insertSubstitution(QString::fromUtf8(GothicP), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
}

QString ToQt(const std::string& sjis) {
    return QString::fromStdString(SjisToUtf8Lossy(sjis));
}

std::string FromQt(const QString& text, bool* ok) {
    auto sjis = Utf8ToSjis(text.toStdString());
    if (ok) *ok = sjis.has_value();
    return sjis.value_or(std::string());
}

}  // namespace vokamo

#include "ui/platform/UiFonts.h"

#include <QFont>
#include <QString>

namespace vokamo {

void InstallFontSubstitutions() {
    QFont::insertSubstitution(QString::fromUtf8(MinchoP), QStringLiteral("IPAPMincho"));
    QFont::insertSubstitution(QString::fromUtf8(GothicP), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
}

}  // namespace vokamo

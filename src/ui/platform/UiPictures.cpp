#include "ui/platform/UiPictures.h"

#include <QPainter>
#include <QSvgRenderer>

namespace vokamo {

QPixmap SvgPicture(const QString& name, QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/pictures/") + name);
    if (renderer.isValid()) {
        QPainter painter(&pixmap);
        renderer.render(&painter);
    }
    return pixmap;
}

QPixmap DrillPicture(Picture picture, QSize size) {
    switch (picture) {
        case Picture::None:
            return {};
        case Picture::Futu:
            return SvgPicture(QStringLiteral("face_futu.svg"), size);
        case Picture::Sad:
            return SvgPicture(QStringLiteral("face_sad.svg"), size);
        case Picture::VerySad:
            return SvgPicture(QStringLiteral("face_verysad.svg"), size);
        case Picture::Joy:
            return SvgPicture(QStringLiteral("face_joy.svg"), size);
        case Picture::OK:
            return SvgPicture(QStringLiteral("mark_ok.svg"), size);
        case Picture::NG:
            return SvgPicture(QStringLiteral("mark_ng.svg"), size);
    }
    return {};
}

}  // namespace vokamo

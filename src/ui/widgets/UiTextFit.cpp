#include "ui/widgets/UiTextFit.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QStringList>
#include <algorithm>

#include "core/data/LineBreak.h"
#include "ui/platform/UiFonts.h"

namespace vokamo {

namespace {

// Below this no Latin letter can be told from another.
constexpr int SmallestPixels = 6;

}  // namespace

FittedText FitText(const std::string& sjis, const QFont& design, QSize room) {
    QFont font = design;
    const int largest = design.pixelSize() > 0 ? design.pixelSize() : QFontInfo(design).pixelSize();
    for (int px = largest; px >= SmallestPixels; --px) {
        font.setPixelSize(px);
        const QFontMetrics metrics(font);
        const int roomForLines =
            metrics.lineSpacing() > 0 ? (room.height() - metrics.height()) / metrics.lineSpacing() + 1 : 1;
        const int lines = std::max(roomForLines, 1);
        const auto fits = [&](std::string_view piece) {
            return metrics.horizontalAdvance(ToQt(std::string(piece))) <= room.width();
        };
        const std::vector<std::string> broken = BreakLines(sjis, lines, fits);
        if (broken.empty()) continue;
        QStringList shown;
        for (const std::string& line : broken) shown << ToQt(line);
        return {shown.join(QLatin1Char('\n')), font};
    }
    // A word longer than the room even at the smallest size: cut where
    // the room ends rather than run under what stands beside it.
    const QFontMetrics metrics(font);
    return {metrics.elidedText(ToQt(sjis), Qt::ElideRight, room.width()), font};
}

}  // namespace vokamo

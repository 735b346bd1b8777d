#include "ui/widgets/UiTextFit.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "core/data/LineBreak.h"
#include "ui/platform/UiText.h"

namespace vokamo {

int PixelsOf(const QFont& font) {
    return font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
}

QFont FontAtPoints(const QFont& design, int fontPt) {
    if (fontPt <= 0) return design;
    QFont font = design;
    font.setPixelSize(static_cast<int>(std::lround(fontPt * 96.0 / 72.0)));
    return font;
}

int LinesHeight(const QFont& font, int lines) {
    const QFontMetrics metrics(font);
    return lines <= 0 ? 0 : (lines - 1) * metrics.lineSpacing() + metrics.height();
}

std::optional<FittedText> FitAtSize(const std::string& sjis, const QFont& font, int top, int bottom,
                                    const LineWidth& width) {
    const QFontMetrics metrics(font);
    const int pitch = std::max(metrics.lineSpacing(), 1);
    const int lines = (bottom - top - metrics.height()) / pitch + 1;
    if (lines < 1) return std::nullopt;
    const auto fits = [&](int line, std::string_view piece) {
        return metrics.horizontalAdvance(ToQt(std::string(piece))) <=
               width(top + line * pitch, metrics.height());
    };
    const std::vector<std::string> broken = BreakLines(sjis, lines, fits);
    if (broken.empty()) return std::nullopt;
    QStringList shown;
    for (const std::string& line : broken) shown << ToQt(line);
    return FittedText{shown.join(QLatin1Char('\n')), font, static_cast<int>(broken.size())};
}

FittedText FitText(const std::string& sjis, const QFont& design, QSize room, int smallest,
                   const QFont* alternate) {
    const int largest = PixelsOf(design);
    const LineWidth width = [&room](int, int) { return room.width(); };
    for (const QFont* face : {&design, alternate}) {
        if (!face) continue;
        QFont font = *face;
        for (int px = largest; px >= smallest; --px) {
            font.setPixelSize(px);
            if (auto fit =
                    FitAtSize(sjis, font, 0, std::max(room.height(), QFontMetrics(font).height()), width))
                return *fit;
        }
    }
    // A text longer than the room even at the smallest size: cut where the
    // room ends, at a character, rather than run under what stands beside it.
    QFont font = design;
    font.setPixelSize(std::min(largest, smallest));
    const QFontMetrics metrics(font);
    return {metrics.elidedText(ToQt(sjis), Qt::ElideRight, room.width()), font, 1};
}

}  // namespace vokamo

// The three lines of the question panel: the prompt, the input line and the
// sentence, laid out so that a pupil can read every one of them whole.
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <algorithm>
#include <optional>

#include "ui/drillwindow/QuesPan.h"
#include "ui/platform/UiText.h"
#include "ui/widgets/UiTextFit.h"

namespace vokamo {

namespace {

// Space kept between a text and what stands beside it, and between the
// lines of two texts.
constexpr int TextGap = 4;
constexpr int LineGap = 2;

void Show(QLabel* label, const FittedText& fit, QPoint at) {
    label->setFont(fit.font);
    label->setText(fit.text);
    label->move(at);
    label->adjustSize();
}

// The font at `px`, or at its own size when that is smaller.
QFont Capped(QFont font, int px) {
    font.setPixelSize(std::min(PixelsOf(font), px));
    return font;
}

// The largest size from the font's own down to the readable one at which
// the text fits.
std::optional<FittedText> FitDown(const std::string& text, QFont font, int top, int bottom,
                                  const LineWidth& width) {
    for (int px = PixelsOf(font); px >= ReadablePixels; --px) {
        font.setPixelSize(px);
        if (auto fit = FitAtSize(text, font, top, bottom, width)) return fit;
    }
    return std::nullopt;
}

// One line at the largest size that fits; cut at a character where the
// room ends only when even the readable size is too wide.
FittedText OneLine(const std::string& text, QFont font, int width) {
    for (int px = PixelsOf(font); px >= ReadablePixels; --px) {
        font.setPixelSize(px);
        const QString shown = ToQt(text);
        if (QFontMetrics(font).horizontalAdvance(shown) <= width) return {shown, font, 1};
    }
    return {QFontMetrics(font).elidedText(ToQt(text), Qt::ElideRight, width), font, 1};
}

}  // namespace

void TfrmQues::LayOutQuestion(const DrillScreen& screen) {
    const QRect inside = pnlQues_->contentsRect();
    const int bottom = inside.bottom() + 1;
    // The counts grow during a run, so their row is kept free to the edge.
    QRect counters;
    for (QWidget* widget : counters_) counters |= widget->geometry();
    counters.setRight(inside.right());
    const std::array<QRect, 2> beside{imgFace->geometry(), counters};
    // A line ends before whatever stands to its right at its height, else
    // before the panel's edge: the sentence uses the panel's whole width
    // below the counters.
    const auto widthFrom = [&](int x) -> LineWidth {
        return [&, x](int top, int height) {
            int end = inside.right() + 1 - TextGap;
            for (const QRect& r : beside)
                if (r.left() >= x && top <= r.bottom() && top + height > r.top())
                    end = std::min(end, r.left() - TextGap);
            return end - x;
        };
    };
    const QFont prompt = FontAtPoints(w1.design, screen.w1.fontPt);
    const QFont input = FontAtPoints(w2.design, screen.w2.fontPt);
    const QFont sentence = FontAtPoints(w3.design, screen.w3.fontPt);
    const auto inputWidth = [&](QPoint at, const QFont& font) {
        return widthFrom(at.x())(at.y(), QFontMetrics(font).height());
    };

    // The design's places, while each text fits there at a readable size.
    const auto designPrompt =
        FitDown(screen.w1.text, prompt, w1.place.y(), w2.place.y(), widthFrom(w1.place.x()));
    const auto designSentence =
        FitDown(screen.w3.text, sentence, w3.place.y(), bottom, widthFrom(w3.place.x()));
    if (designPrompt && designSentence) {
        Show(w1.label, *designPrompt, w1.place);
        Show(w2.label, OneLine(screen.w2.text, input, inputWidth(w2.place, input)), w2.place);
        Show(w3.label, *designSentence, w3.place);
        return;
    }

    // Otherwise the three lines close up from the panel's top, the prompt's
    // lines and the sentence's wider ones below the counters taking the
    // room the design leaves between them, all at one size, as large as
    // that lets them be.
    const int largest = std::max(PixelsOf(prompt), PixelsOf(sentence));
    for (int px = largest; px >= ReadablePixels; --px) {
        const QPoint promptAt(w1.place.x(), inside.top() + LineGap);
        const auto promptFit =
            FitAtSize(screen.w1.text, Capped(prompt, px), promptAt.y(), bottom, widthFrom(promptAt.x()));
        if (!promptFit) continue;
        const QFont inputFont = Capped(input, px);
        const QPoint inputAt(w2.place.x(),
                             promptAt.y() + LinesHeight(promptFit->font, promptFit->lines) + LineGap);
        const QPoint sentenceAt(w3.place.x(), inputAt.y() + LinesHeight(inputFont, 1) + LineGap);
        const auto sentenceFit = FitAtSize(screen.w3.text, Capped(sentence, px), sentenceAt.y(), bottom,
                                           widthFrom(sentenceAt.x()));
        if (!sentenceFit) continue;
        Show(w1.label, *promptFit, promptAt);
        Show(w2.label, OneLine(screen.w2.text, inputFont, inputWidth(inputAt, inputFont)), inputAt);
        Show(w3.label, *sentenceFit, sentenceAt);
        return;
    }

    // Texts no data file of ours can hold at a readable size: the prompt on
    // its line, the sentence in the lines left, cut where the panel ends.
    const QFont readablePrompt = Capped(prompt, ReadablePixels);
    const QPoint promptAt(w1.place.x(), inside.top() + LineGap);
    Show(w1.label, OneLine(screen.w1.text, readablePrompt, inputWidth(promptAt, readablePrompt)), promptAt);
    const QFont inputFont = Capped(input, ReadablePixels);
    const QPoint inputAt(w2.place.x(), promptAt.y() + LinesHeight(readablePrompt, 1) + LineGap);
    Show(w2.label, OneLine(screen.w2.text, inputFont, inputWidth(inputAt, inputFont)), inputAt);
    const QFont readableSentence = Capped(sentence, ReadablePixels);
    const QPoint sentenceAt(w3.place.x(), inputAt.y() + LinesHeight(inputFont, 1) + LineGap);
    const auto sentenceFit =
        FitAtSize(screen.w3.text, readableSentence, sentenceAt.y(), bottom, widthFrom(sentenceAt.x()));
    Show(w3.label,
         sentenceFit ? *sentenceFit
                     : OneLine(screen.w3.text, readableSentence, inputWidth(sentenceAt, readableSentence)),
         sentenceAt);
}

}  // namespace vokamo

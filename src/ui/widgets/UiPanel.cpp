#include "ui/widgets/UiPanel.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPalette>

namespace vokamo {

UiPanel::UiPanel(QWidget* parent, const QString& objectName) : QFrame(parent), caption_(new QLabel(this)) {
    setObjectName(objectName);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setLineWidth(1);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::NoFocus);
    caption_->setObjectName(objectName + QStringLiteral("Caption"));
    caption_->setAlignment(Qt::AlignCenter);
    caption_->setFocusPolicy(Qt::NoFocus);
    // A press on the caption belongs to the panel.
    caption_->setAttribute(Qt::WA_TransparentForMouseEvents);
    // A disabled panel is not greyed out: keys and status panels keep their
    // captions readable in every state.
    SetCaptionColour(Qt::black);
}

void UiPanel::SetCaption(const QString& caption) {
    SetCaption(caption, caption);
}

void UiPanel::SetCaption(const QString& caption, const QString& shown) {
    captionText_ = caption;
    if (caption_->text() != shown) caption_->setText(shown);
}

QString UiPanel::Caption() const {
    return captionText_;
}

void UiPanel::SetCaptionArea(const QRect& area, Qt::Alignment alignment) {
    captionArea_ = area;
    caption_->setAlignment(alignment);
    caption_->setGeometry(area.isValid() ? area : rect());
}

void UiPanel::SetColour(const QColor& colour) {
    if (Colour() == colour) return;
    QPalette pal = palette();
    // Same colour in every state: a disabled key keeps its look.
    pal.setColor(QPalette::All, QPalette::Window, colour);
    setPalette(pal);
}

QColor UiPanel::Colour() const {
    return palette().color(QPalette::Active, QPalette::Window);
}

void UiPanel::SetCaptionFont(const QFont& font) {
    if (caption_->font() != font) caption_->setFont(font);
}

void UiPanel::SetCaptionColour(const QColor& colour) {
    QPalette pal = caption_->palette();
    pal.setColor(QPalette::All, QPalette::WindowText, colour);
    caption_->setPalette(pal);
}

void UiPanel::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    down_ = true;
    emit pressed();
}

void UiPanel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !down_) return;
    down_ = false;
    // The click comes before the release, so a key that the click disables
    // still gets its colour back.
    if (rect().contains(event->position().toPoint())) emit clicked();
    emit released();
}

void UiPanel::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    caption_->setGeometry(captionArea_.isValid() ? captionArea_ : rect());
}

}  // namespace vokamo

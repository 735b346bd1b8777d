#pragma once

#include <QColor>
#include <QFrame>
#include <QString>

class QLabel;

namespace vokamo {

// The clickable panel of every window: a caption on a solid colour that
// serves as a key or a choice button in the drill and as a button in the
// dialogs. Press, click and release are reported in that order (the click
// only when the button is let go inside the panel). It never takes the
// keyboard focus, so the drill window keeps receiving every key. The caption
// takes the panel's font unless SetCaptionFont gives it one of its own.
class UiPanel : public QFrame {
    Q_OBJECT
public:
    explicit UiPanel(QWidget* parent, const QString& objectName);

    void SetCaption(const QString& caption);
    // The caption as the panel knows it, laid out for the eye as `shown`
    // (broken into lines, for one).
    void SetCaption(const QString& caption, const QString& shown);
    QString Caption() const;
    // Where the caption stands (the whole panel unless set) and how it is
    // aligned there.
    void SetCaptionArea(const QRect& area, Qt::Alignment alignment);
    void SetColour(const QColor& colour);
    QColor Colour() const;
    void SetCaptionFont(const QFont& font);
    void SetCaptionColour(const QColor& colour);
    QLabel* CaptionLabel() const { return caption_; }

signals:
    void pressed();
    void clicked();
    void released();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QLabel* caption_;
    QString captionText_;
    QRect captionArea_;
    bool down_ = false;
};

}  // namespace vokamo

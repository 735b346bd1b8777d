// The drill window's controls at their design places, colours and fonts.
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QToolButton>
#include <algorithm>

#include "core/drill/DrillMachine.h"
#include "ui/drillwindow/QuesPan.h"
#include "ui/platform/UiFonts.h"
#include "ui/platform/UiPictures.h"
#include "ui/widgets/UiPanel.h"
#include "ui/widgets/UiTextFit.h"

namespace vokamo {

namespace {

QFont DesignFont(const char* family, int px, bool bold = false, bool italic = false, bool underline = false) {
    QFont font(QString::fromUtf8(family));
    font.setPixelSize(px);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    return font;
}

QFrame* MakeFrame(QWidget* parent, const char* name, QRect geometry, const QColor& colour, bool lowered) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setGeometry(geometry);
    frame->setFrameShape(lowered ? QFrame::Panel : QFrame::NoFrame);
    frame->setFrameShadow(QFrame::Sunken);
    frame->setAutoFillBackground(true);
    QPalette pal = frame->palette();
    pal.setColor(QPalette::All, QPalette::Window, colour);
    frame->setPalette(pal);
    frame->setFocusPolicy(Qt::NoFocus);
    return frame;
}

// Key places on the keypad: columns and rows of a PC numeric keypad.
constexpr std::array<int, 4> KeyColumns{18, 68, 118, 168};
constexpr std::array<int, 5> KeyRows{12, 62, 112, 162, 212};

struct KeyPlace {
    const char* name;
    int column, row, columns, rows;
    bool dark;
};

// In Tag order.
constexpr std::array<KeyPlace, KeyCount> KeyPlaces{{
    {"pnlKeyD", 1, 0, 1, 1, true},
    {"pnlKeyM", 2, 0, 1, 1, true},
    {"pnlKeyS", 3, 0, 1, 1, true},
    {"pnlKey7", 0, 1, 1, 1, false},
    {"pnlKey8", 1, 1, 1, 1, false},
    {"pnlKey9", 2, 1, 1, 1, false},
    {"pnlKeyP", 3, 1, 1, 2, true},
    {"pnlKey4", 0, 2, 1, 1, false},
    {"pnlKey5", 1, 2, 1, 1, false},
    {"pnlKey6", 2, 2, 1, 1, false},
    {"pnlKey1", 0, 3, 1, 1, false},
    {"pnlKey2", 1, 3, 1, 1, false},
    {"pnlKey3", 2, 3, 1, 1, false},
    {"pnlEnter", 3, 3, 1, 2, true},
    {"pnlKeyBS", 0, 4, 2, 1, false},
    {"pnlKeyDel", 2, 4, 1, 1, false},
}};

constexpr int KeySize = 44;

// Space kept between a text and what stands beside it.
constexpr int TextGap = 4;
constexpr int KeyStep = 50;

}  // namespace

TfrmQues::LabelSlot TfrmQues::MakeLabel(QWidget* parent, const char* name, int x, int y, const QFont& font,
                                        const QColor& colour) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->move(x, y);
    label->setFont(font);
    QPalette pal = label->palette();
    pal.setColor(QPalette::All, QPalette::WindowText, colour);
    label->setPalette(pal);
    label->setFocusPolicy(Qt::NoFocus);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->setTextFormat(Qt::PlainText);
    LabelSlot slot;
    slot.label = label;
    slot.design = font;
    return slot;
}

QLabel* TfrmQues::MakePicture(QWidget* parent, const char* name, int x, int y, int w, int h) {
    auto* picture = new QLabel(parent);
    picture->setObjectName(QString::fromLatin1(name));
    picture->setGeometry(x, y, w, h);
    picture->setAlignment(Qt::AlignCenter);
    picture->setFocusPolicy(Qt::NoFocus);
    picture->setAttribute(Qt::WA_TransparentForMouseEvents);
    return picture;
}

UiPanel* TfrmQues::MakePanel(QWidget* parent, const char* name, QRect geometry, const QColor& colour) {
    auto* panel = new UiPanel(parent, QString::fromLatin1(name));
    panel->setGeometry(geometry);
    panel->SetColour(colour);
    return panel;
}

void TfrmQues::BuildTitleBar() {
    QFrame* bar = MakeFrame(this, "SpeedBar", QRect(5, 3, 706, 45), QColor(0xA9D5D6), false);

    btnEsc = new QToolButton(bar);
    btnEsc->setObjectName(QStringLiteral("btnEsc"));
    btnEsc->setGeometry(13, 5, 36, 36);
    btnEsc->setAutoRaise(true);
    btnEsc->setFocusPolicy(Qt::NoFocus);
    btnEsc->setIcon(QIcon(SvgPicture(QStringLiteral("glyph_esc.svg"), QSize(28, 28))));
    btnEsc->setIconSize(QSize(28, 28));
    btnEsc->setToolTip(QStringLiteral("章の目次に戻る"));

    LabelSlot product = MakeLabel(bar, "lblProduct", 165, 12, DesignFont(MinchoP, 27, false, true), Qt::red);
    product.label->setText(QStringLiteral("Vokamo for Windows"));
    {
        // The substituted Mincho sets Latin text wider than the design font:
        // narrow it so the name ends before the version label.
        QFont font = product.label->font();
        const int room = 374 - 165 - 6;
        const int width = QFontMetrics(font).horizontalAdvance(product.label->text());
        if (width > room) font.setStretch(std::max(60, 100 * room / width));
        product.label->setFont(font);
    }
    product.label->adjustSize();
    LabelSlot ver = MakeLabel(bar, "lblVer", 374, 23, DesignFont(GothicP, 12, true), QColor(0x004080));
    ver.label->setText(QStringLiteral("Ver4.0"));
    ver.label->adjustSize();

    const std::array<std::pair<const char*, QRect>, 4> places{{
        {"pnlHint", QRect(558, 2, 70, 19)},
        {"pnlOrder", QRect(630, 3, 73, 19)},
        {"pnlFlash", QRect(557, 23, 87, 19)},
        {"pnlRec", QRect(646, 23, 57, 19)},
    }};
    for (size_t n = 0; n < places.size(); ++n) {
        UiPanel* panel = MakePanel(bar, places[n].first, places[n].second, QColor(0xA9D5D6));
        panel->setFrameShadow(QFrame::Sunken);
        panel->SetCaptionFont(DesignFont(GothicP, 12));
        statusPanels_[n].panel = panel;
        statusPanels_[n].design = DesignFont(GothicP, 12);
    }
}

void TfrmQues::BuildQuestionPanel() {
    pnlQues_ = MakeFrame(this, "pnlQues", QRect(4, 55, 473, 121), QColor(0xD2E9EA), true);
    const QFont lineFont = DesignFont(GothicP, 19);
    w1 = MakeLabel(pnlQues_, "w1", 42, 14, lineFont, Qt::black);
    w2 = MakeLabel(pnlQues_, "w2", 43, 44, lineFont, Qt::black);
    w3 = MakeLabel(pnlQues_, "w3", 57, 77, lineFont, Qt::black);
    for (LabelSlot* slot : {&w1, &w2, &w3}) {
        slot->flowed = true;
        slot->place = slot->label->pos();
        slot->label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        slot->label->hide();
    }
    imgFace = MakePicture(pnlQues_, "imgFace", 7, 68, 32, 32);
    QLabel* image1 = MakePicture(pnlQues_, "Image1", 334, 74, 20, 20);
    image1->setPixmap(SvgPicture(QStringLiteral("icon_oks.svg"), QSize(20, 20)));
    lblOks = MakeLabel(pnlQues_, "lblOks", 358, 74, DesignFont("Arial", 15), Qt::black);
    QLabel* image2 = MakePicture(pnlQues_, "Image2", 401, 75, 20, 20);
    image2->setPixmap(SvgPicture(QStringLiteral("icon_ngs.svg"), QSize(20, 20)));
    lblNgs = MakeLabel(pnlQues_, "lblNgs", 425, 75, DesignFont("Arial", 15), Qt::black);
    counters_ = {image1, lblOks.label, image2, lblNgs.label};
}

void TfrmQues::BuildRecordPanel() {
    QFrame* panel3 = MakeFrame(this, "Panel3", QRect(4, 180, 473, 308), QColor(0xEEEEEA), false);
    lblTitle = MakeLabel(panel3, "lblTitle", 20, 23, DesignFont(MinchoP, 21, true), Qt::black);
    lblTitle.label->resize(258, 26);
    lblTitle.autoSize = false;
    // A long lesson name gets smaller, and ends at a whole character only
    // when even the readable size is too wide.
    lblTitle.room = lblTitle.label->size();
    lblTitle.smallest = ReadablePixels;
    lblTen =
        MakeLabel(panel3, "lblTen", 378, 15, DesignFont("Times New Roman", 32, true, true, true), Qt::red);
    lblTen.label->resize(78, 58);
    lblTen.autoSize = false;
    lblTen.fixedColour = true;
    lblTitle.label->hide();
    lblTen.label->hide();

    constexpr std::array<int, 5> leftY{78, 123, 158, 203, 248};
    constexpr std::array<int, 5> rightY{77, 122, 157, 202, 247};
    static const std::array<const char*, 10> lineNames{"a0", "a1", "a2", "a3", "a4",
                                                       "a5", "a6", "a7", "a8", "a9"};
    static const std::array<const char*, 10> markNames{"i0", "i1", "i2", "i3", "i4",
                                                       "i5", "i6", "i7", "i8", "i9"};
    const QFont lineFont = DesignFont(GothicP, 19);
    for (int k = 0; k < 10; ++k) {
        const bool left = k < 5;
        const int y = left ? leftY[k] : rightY[k - 5];
        answerLines_[k] = MakeLabel(panel3, lineNames[k], left ? 48 : 254, y, lineFont, Qt::black);
        // A line ends before the marks of the right column (or the panel's
        // edge) and above the next line.
        const int nextY = k % 5 == 4 ? panel3->height() : (left ? leftY[k + 1] : rightY[k - 4]);
        answerLines_[k].room = QSize((left ? 210 : panel3->width()) - TextGap - (left ? 48 : 254), nextY - y);
        answerLines_[k].label->hide();
        // The mark stands beside its line, centred on the text.
        markImages_[k] = left ? MakePicture(panel3, markNames[k], 4, y - 10, 40, 40)
                              : MakePicture(panel3, markNames[k], 210, y - 12, 40, 45);
        markImages_[k]->hide();
    }
}

void TfrmQues::BuildInfoPanel() {
    QFrame* pnlInf = MakeFrame(this, "pnlInf", QRect(480, 55, 233, 167), QColor(0xB1B5BE), false);
    pnlDisp = MakeFrame(pnlInf, "pnlDisp", QRect(9, 8, 217, 119), QColor(0x0000A0), true);
    lblAnsAbout = MakeLabel(pnlDisp, "lblAnsAbout", 5, 7, DesignFont(MinchoP, 19), Qt::black);
    lblAnsAbout.label->resize(206, 96);
    lblAnsAbout.label->setWordWrap(true);
    lblAnsAbout.label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblAnsAbout.autoSize = false;
    lblDName = MakeLabel(pnlDisp, "lblDName", 5, 19, DesignFont(GothicP, 16, true), Qt::white);
    lblDName.label->resize(199, 20);
    lblDName.label->setAlignment(Qt::AlignCenter);
    lblDName.autoSize = false;
    lblDName.fixedColour = true;
    lblDName.label->hide();
    lblTestCnt = MakeLabel(pnlDisp, "lblTestCnt", 45, 51, DesignFont(GothicP, 16, true), Qt::cyan);
    lblTestCnt.label->resize(123, 20);
    lblTestCnt.label->setAlignment(Qt::AlignCenter);
    lblTestCnt.autoSize = false;
    lblTestCnt.fixedColour = true;
    lblTestCnt.label->hide();
    pnlMes = MakeFrame(pnlInf, "pnlMes", QRect(10, 130, 215, 33), QColor(0x408080), true);
    lblMes = MakeLabel(pnlMes, "lblMes", 16, 4, DesignFont(MinchoP, 19), Qt::white);
    lblMes.label->resize(176, 24);
    // A longer message takes a second line in the panel rather than running
    // out of it.
    lblMes.room =
        QSize(pnlMes->contentsRect().right() + 1 - TextGap - 16, pnlMes->contentsRect().bottom() + 1 - 4);
    lblMes.smallest = ReadablePixels;
    lblMes.autoSize = false;
    lblMes.label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void TfrmQues::BuildChoicePanel() {
    pnlSel = MakeFrame(this, "pnlSel", QRect(483, 224, 231, 268), QColor(0xB1B5BE), false);
    pnlSel->hide();
    const QFont captionFont = DesignFont(MinchoP, 19, true);
    const QFont numberFont = DesignFont("Courier New", 12, true);
    for (int k = 0; k < ChoiceButtonCount; ++k) {
        const QByteArray name = "s" + QByteArray::number(k);
        UiPanel* button =
            MakePanel(pnlSel, name.constData(), QRect(4, 4 + 29 * k, 225, 29), QColor(KeyNormalLight));
        button->SetCaptionFont(captionFont);
        button->SetCaptionColour(QColor(0x000080));
        button->setEnabled(false);
        button->hide();
        choicePanels_[k].panel = button;
        choicePanels_[k].design = captionFont;
        const QByteArray labelName = "Label" + QByteArray::number(k + 1);
        LabelSlot number = MakeLabel(button, labelName.constData(), 6, 7, numberFont, QColor(0x000080));
        number.label->setText(QString::number(k + 1));
        number.label->adjustSize();
        // The choice starts after its number, so that a long one never
        // runs over it, and keeps inside the button's frame.
        const QRect inside = button->contentsRect();
        const int left = number.label->geometry().right() + 1 + TextGap;
        choicePanels_[k].captionArea =
            QRect(left, inside.top(), inside.right() + 1 - TextGap / 2 - left, inside.height());
        choicePanels_[k].alternate = DesignFont(GothicP, 19, true);
        button->SetCaptionArea(choicePanels_[k].captionArea, Qt::AlignLeft | Qt::AlignVCenter);
        connect(button, &UiPanel::pressed, this,
                [this, k] { Input([this, k] { machine_.ChoiceMouseDown(k); }); });
        connect(button, &UiPanel::clicked, this,
                [this, k] { Input([this, k] { machine_.ChoiceClick(k); }); });
        connect(button, &UiPanel::released, this,
                [this, k] { Input([this, k] { machine_.ChoiceMouseUp(k); }); });
    }
}

void TfrmQues::BuildKeypad() {
    pnlMusi = MakeFrame(this, "pnlMusi", QRect(481, 224, 229, 268), QColor(0xB1B5BE), false);
    UiPanel* pnlMe = MakePanel(pnlMusi, "pnlMe", QRect(KeyColumns[0], KeyRows[0], KeySize, KeySize),
                               QColor(KeyNormalDark));
    QLabel* imgMe = MakePicture(pnlMe, "imgMe", 2, 2, KeySize - 4, KeySize - 4);
    imgMe->setPixmap(SvgPicture(QStringLiteral("keypad_me.svg"), QSize(KeySize - 4, KeySize - 4)));

    const QFont letterFont = DesignFont("Courier New", 24, true);
    for (int tag = 0; tag < KeyCount; ++tag) {
        const KeyPlace& place = KeyPlaces[tag];
        const QRect geometry(KeyColumns[place.column], KeyRows[place.row],
                             KeySize + (place.columns - 1) * KeyStep, KeySize + (place.rows - 1) * KeyStep);
        UiPanel* key =
            MakePanel(pnlMusi, place.name, geometry, QColor(place.dark ? KeyNormalDark : KeyNormalLight));
        QFont font = letterFont;
        if (tag == TagEnter) font = DesignFont("Times New Roman", 11);
        if (tag == TagBS) font = DesignFont("Times New Roman", 12);
        if (tag == TagDel) font = DesignFont("Times New Roman", 15);
        key->SetCaptionFont(font);
        key->SetCaptionColour(QColor(0x000080));
        key->setEnabled(false);
        keys_[tag].panel = key;
        keys_[tag].design = font;
        connect(key, &UiPanel::pressed, this,
                [this, tag] { Input([this, tag] { machine_.KeyMouseDown(tag); }); });
        connect(key, &UiPanel::clicked, this,
                [this, tag] { Input([this, tag] { machine_.KeyClick(tag); }); });
        connect(key, &UiPanel::released, this,
                [this, tag] { Input([this, tag] { machine_.KeyMouseUp(tag); }); });
    }
}

}  // namespace vokamo

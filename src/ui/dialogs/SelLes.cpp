#include "ui/dialogs/SelLes.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <algorithm>

#include "core/data/RangeSelection.h"
#include "ui/platform/UiFonts.h"
#include "ui/platform/UiText.h"
#include "ui/widgets/UiDialogWindow.h"
#include "ui/widgets/UiGuard.h"
#include "ui/widgets/UiPanel.h"

namespace vokamo {

namespace {

const QColor WindowColour(169, 213, 214);
const QColor InRangeColour(0, 128, 192);
const QColor OutOfRangeColour(192, 192, 192);
constexpr int WindowWidth = 393;
constexpr int TallHeight = 476;
constexpr int ShortHeight = 250;
constexpr int TallFrom = 10;  // groups from which the tall window is needed

QFont PixelFont(const char* family, int px) {
    QFont f(QString::fromUtf8(family));
    f.setPixelSize(px);
    return f;
}

}  // namespace

TfrmSel::TfrmSel(ProgramState& st, SoundPlayer& sound, MainDisplay& main, ErrorBox& errors, QWidget* parent)
    : UiDialogWindow(main, errors, QStringLiteral("学習範囲の指定"), WindowWidth, TallHeight, WindowColour,
                     parent),
      st_(st),
      sound_(sound) {
    setObjectName(QStringLiteral("frmSel"));

    for (int i = 0; i < MaxGroups; ++i) {
        auto* p = new UiPanel(this, QStringLiteral("pnl%1").arg(i));
        p->setGeometry(13, 8 + 22 * i, 185, 21);
        p->setFont(PixelFont(MinchoP, 15));
        p->SetColour(InRangeColour);
        p->SetCaptionColour(Qt::white);
        p->hide();
        connect(p, &UiPanel::clicked, this, [this, i] {
            Guard(
                errors_, [this, i] { pnl0Click(i); }, [this] { Recolour(); });
        });
        panels_[i] = p;
    }

    Label1 = new QLabel(QStringLiteral("レッスン名をクリックすると個別の選択・非選択ができます。"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setFont(PixelFont(GothicP, 15));
    // The substituted Gothic has taller lines than the original face: let the
    // label grow downwards (there is room above 全選択) rather than cut the
    // last line.
    Label1->setGeometry(216, 16, 161, std::max(44, Label1->heightForWidth(161)));

    pnlAllOn = new UiPanel(this, QStringLiteral("pnlAllOn"));
    pnlAllOn->SetCaption(QStringLiteral("全選択"));
    pnlAllOn->setGeometry(254, 75, 87, 21);
    pnlAllOn->SetColour(QColor(232, 166, 202));
    connect(pnlAllOn, &UiPanel::clicked, this, [this] {
        Guard(
            errors_, [this] { pnlAllOnClick(); }, [this] { Recolour(); });
    });

    pnlAllOf = new UiPanel(this, QStringLiteral("pnlAllOf"));
    pnlAllOf->SetCaption(QStringLiteral("全解除"));
    pnlAllOf->setGeometry(254, 97, 87, 21);
    pnlAllOf->SetColour(QColor(105, 182, 184));
    connect(pnlAllOf, &UiPanel::clicked, this, [this] {
        Guard(
            errors_, [this] { pnlAllOfClick(); }, [this] { Recolour(); });
    });

    btnOk = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setGeometry(264, 136, 75, 25);
    connect(btnOk, &QPushButton::clicked, this, [this] { Guard(errors_, [this] { btnOkClick(); }); });
    SetKeyButtons(btnOk);
}

void TfrmSel::ShowAndFill() {
    Fill();
    ShowInFront();
}

void TfrmSel::Fill() {
    for (auto* p : panels_) p->hide();
    const int count = RangeGroupCount(st_);
    setFixedSize(WindowWidth, count >= TallFrom ? TallHeight : ShortHeight);
    for (int i = 0; i < count; ++i) {
        panels_[i]->SetCaption(ToQt(RangeGroupName(st_, i)));
        panels_[i]->show();
    }
    Recolour();
}

void TfrmSel::Recolour() {
    const int count = RangeGroupCount(st_);
    for (int i = 0; i < count; ++i)
        panels_[i]->SetColour(RangeGroupSelected(st_, i) ? InRangeColour : OutOfRangeColour);
}

void TfrmSel::pnl0Click(int tag) {
    sound_.Play("button.wav", SoundMode::Background);
    ToggleRangeGroup(st_, tag);
    Recolour();
    main_.DrawLabelsAndCells();
}

void TfrmSel::pnlAllOnClick() {
    sound_.Play("button.wav", SoundMode::Background);
    SelectAllRangeGroups(st_);
    Recolour();
    main_.DrawLabelsAndCells();
}

void TfrmSel::pnlAllOfClick() {
    sound_.Play("button.wav", SoundMode::Background);
    ClearAllRangeGroups(st_);
    Recolour();
    main_.DrawLabelsAndCells();
}

void TfrmSel::btnOkClick() {
    // OK and the window's own close box end the same way: the flags are
    // already stored, the main window only has to catch up.
    sound_.Play("button.wav", SoundMode::Background);
    close();
}

}  // namespace vokamo

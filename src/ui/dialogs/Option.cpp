#include "ui/dialogs/Option.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

#include "ui/platform/UiFonts.h"
#include "ui/widgets/UiDialogWindow.h"
#include "ui/widgets/UiGuard.h"

namespace vokamo {

namespace {

const QColor WindowColour(0xF4, 0xD5, 0xE8);

QFont DialogFont() {
    QFont f(QString::fromUtf8(GothicP));
    f.setPixelSize(12);
    return f;
}

}  // namespace

TfrmOption::TfrmOption(ProgramState& st, SoundPlayer& sound, MainDisplay& main, ErrorBox& errors,
                       QWidget* parent)
    : UiDialogWindow(main, errors, QStringLiteral("オプション"), 423, 279, WindowColour, parent),
      st_(st),
      sound_(sound) {
    setObjectName(QStringLiteral("frmOption"));
    setFont(DialogFont());

    RadioGroup3 = new QGroupBox(QStringLiteral("キー入力の問題表示"), this);
    RadioGroup3->setObjectName(QStringLiteral("RadioGroup3"));
    RadioGroup3->setGeometry(12, 10, 210, 74);
    group3_ = MakeRadioGroup(RadioGroup3, QStringLiteral("通常の表示。"),
                             QStringLiteral("最初の１字と文字長を表示。"), OptionSetting::HintMode);

    RadioGroup2 = new QGroupBox(QStringLiteral("出題順"), this);
    RadioGroup2->setObjectName(QStringLiteral("RadioGroup2"));
    RadioGroup2->setGeometry(234, 10, 177, 74);
    group2_ = MakeRadioGroup(RadioGroup2, QStringLiteral("データの並び順"), QStringLiteral("ランダム順"),
                             OptionSetting::RandomOrder);

    RadioGroup1 = new QGroupBox(QStringLiteral("成績の記録"), this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setGeometry(12, 94, 330, 74);
    group1_ = MakeRadioGroup(RadioGroup1, QStringLiteral("成績を記録し出題は成績に連動する。"),
                             QStringLiteral("成績を記録しない。"), OptionSetting::RecordOff);

    Label2 = new QLabel(QStringLiteral("このページの変更を取りやめます。"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(60, 184, 220, 25);
    BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                              QStringLiteral("キャンセル"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(296, 184, 100, 27);
    connect(BitBtn2, &QPushButton::clicked, this, [this] { Guard(errors_, [this] { BitBtn2Click(); }); });

    Label1 = new QLabel(QStringLiteral("このページの変更を記録します。"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(60, 224, 220, 25);
    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(296, 224, 100, 27);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { Guard(errors_, [this] { BitBtn1Click(); }); });
    // Enter stands for OK and Esc for cancel, as on the buttons' captions.
    SetKeyButtons(BitBtn1, BitBtn2);
}

QButtonGroup* TfrmOption::MakeRadioGroup(QGroupBox* box, const QString& item0, const QString& item1,
                                         OptionSetting which) {
    auto* group = new QButtonGroup(box);
    const QString texts[2] = {item0, item1};
    for (int i = 0; i < 2; ++i) {
        auto* radio = new QRadioButton(texts[i], box);
        radio->setGeometry(10, 20 + 24 * i, box->width() - 16, 22);
        group->addButton(radio, i);
    }
    // idClicked comes from the learner only, not from loading the values.
    connect(group, &QButtonGroup::idClicked, this, [this, which](int id) {
        Guard(
            errors_, [this, which, id] { SetOption(st_, which, id); }, [this] { ShowValues(); });
    });
    return group;
}

QButtonGroup* TfrmOption::Group(OptionSetting which) const {
    switch (which) {
        case OptionSetting::HintMode:
            return group3_;
        case OptionSetting::RandomOrder:
            return group2_;
        case OptionSetting::RecordOff:
            break;
    }
    return group1_;
}

QRadioButton* TfrmOption::Item(OptionSetting which, int index) const {
    return qobject_cast<QRadioButton*>(Group(which)->button(index));
}

void TfrmOption::ShowAndLoad() {
    sound_.Play("button.wav", SoundMode::Background);
    ShowInFront();
    Load();
}

void TfrmOption::Load() {
    ShowValues();
    copy_ = TakeOptionValues(st_);
}

void TfrmOption::ShowValues() {
    for (OptionSetting which :
         {OptionSetting::HintMode, OptionSetting::RandomOrder, OptionSetting::RecordOff}) {
        QButtonGroup* group = Group(which);
        // Cleared first: the setting may have changed while the window was closed.
        group->setExclusive(false);
        for (QAbstractButton* b : group->buttons()) b->setChecked(false);
        group->setExclusive(true);
        if (QAbstractButton* b = group->button(OptionValue(st_, which))) b->setChecked(true);
    }
}

void TfrmOption::BitBtn1Click() {
    close();
}

void TfrmOption::BitBtn2Click() {
    RestoreOptions(st_, copy_);
    close();
}

void TfrmOption::Closed() {
    // OK, cancel (after putting the old values back) and the close box all
    // end here: the order follows RandomOrder, the main window catches up.
    FinishOptions(st_);
    UiDialogWindow::Closed();
}

}  // namespace vokamo

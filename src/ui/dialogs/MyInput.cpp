#include "ui/dialogs/MyInput.h"

#include <QGuiApplication>
#include <QScreen>
#include <QValidator>
#include <functional>

#include "core/records/RecordName.h"
#include "ui/platform/UiFonts.h"
#include "ui/platform/UiText.h"
#include "ui/widgets/UiGuard.h"

namespace vokamo {

namespace {

constexpr int ClientWidth = 286;
constexpr int ClientHeight = 160;

// Refuses an edit that the field could not store: a character outside the
// Shift-JIS code page, or more bytes than the field holds. A refused
// character is told, since an input method commits a whole word at once and
// the pupil would otherwise see her name vanish without a word.
class NameFieldValidator : public QValidator {
public:
    NameFieldValidator(QObject* parent, ErrorBox& errors, std::function<void(const std::string&)> refused)
        : QValidator(parent), errors_(errors), refused_(std::move(refused)) {}
    State validate(QString& input, int&) const override {
        State state = Invalid;
        Guard(errors_, [&] {
            if (NameFieldAccepts(input.toStdString())) {
                state = Acceptable;
                return;
            }
            const std::string problem = UnholdableNameProblem(input.toStdString());
            if (!problem.empty()) refused_(problem);
        });
        return state;
    }

private:
    ErrorBox& errors_;
    std::function<void(const std::string&)> refused_;
};

}  // namespace

TfrmInput::TfrmInput(ErrorBox& errors, QWidget* parent) : QDialog(parent), errors_(errors) {
    setObjectName(QStringLiteral("frmInput"));
    setModal(true);
    setFixedSize(ClientWidth, ClientHeight);
    QFont f(QString::fromUtf8(MinchoP));
    f.setPixelSize(14);
    setFont(f);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(211, 207, 201));
    setPalette(pal);
    setAutoFillBackground(true);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(20, 18, 250, 20);

    lblRefused = new QLabel(this);
    lblRefused->setObjectName(QStringLiteral("lblRefused"));
    lblRefused->setGeometry(20, 76, 250, 30);
    lblRefused->setWordWrap(true);
    QFont small = f;
    small.setPixelSize(12);
    lblRefused->setFont(small);
    QPalette warn = lblRefused->palette();
    warn.setColor(QPalette::WindowText, Qt::red);
    lblRefused->setPalette(warn);
    lblRefused->hide();

    MaskEdit1 = new QLineEdit(this);
    MaskEdit1->setObjectName(QStringLiteral("MaskEdit1"));
    MaskEdit1->setGeometry(20, 50, 160, 24);
    MaskEdit1->setValidator(new NameFieldValidator(MaskEdit1, errors_, [this](const std::string& problem) {
        lblRefused->setText(QString::fromStdString(problem));
        lblRefused->show();
    }));
    connect(MaskEdit1, &QLineEdit::textEdited, lblRefused, &QLabel::hide);
    // Names are typed in Japanese: the input method stays on for this field.
    MaskEdit1->setAttribute(Qt::WA_InputMethodEnabled, true);
    MaskEdit1->setInputMethodHints(Qt::ImhNone);

    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(44, 108, 89, 31);
    BitBtn1->setDefault(true);
    BitBtn1->setAutoDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { Guard(errors_, [this] { BitBtn1Click(); }); });

    BitBtn2 = new QPushButton(QStringLiteral("キャンセル"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(153, 108, 89, 31);
    BitBtn2->setAutoDefault(false);
    connect(BitBtn2, &QPushButton::clicked, this, &TfrmInput::BitBtn2Click);
}

std::string TfrmInput::Ask(const std::string& caption, const std::string& prompt) {
    caption_ = caption;
    prompt_ = prompt;
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(ClientWidth / 2, ClientHeight / 2));
    exec();
    return answer_;
}

void TfrmInput::showEvent(QShowEvent* event) {
    answer_.clear();
    setWindowTitle(QString::fromStdString(caption_));
    Label1->setText(QString::fromStdString(prompt_));
    lblRefused->hide();
    MaskEdit1->setFocus();
    QDialog::showEvent(event);
}

void TfrmInput::BitBtn1Click() {
    const std::string problem = UnholdableNameProblem(MaskEdit1->text().toStdString());
    if (!problem.empty()) {
        lblRefused->setText(QString::fromStdString(problem));
        lblRefused->show();
        return;
    }
    answer_ = FromQt(MaskEdit1->text());
    MaskEdit1->clear();
    accept();
}

void TfrmInput::BitBtn2Click() {
    answer_.clear();
    reject();
}

}  // namespace vokamo

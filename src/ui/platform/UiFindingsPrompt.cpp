#include "ui/platform/UiFindingsPrompt.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "ui/widgets/UiDialogWindow.h"

namespace vokamo {

namespace {

QString Html(const std::string& utf8) {
    return QString::fromStdString(utf8).toHtmlEscaped();
}

QString ListHtml(const std::vector<Finding>& findings) {
    QString html = QStringLiteral("<table cellspacing='0' cellpadding='4' width='100%'>");
    for (size_t i = 0; i < findings.size(); ++i) {
        const Finding& f = findings[i];
        const QString shade = i % 2 == 0 ? QStringLiteral("#ffffff") : QStringLiteral("#f1f6f6");
        html += QStringLiteral(
                    "<tr style='background:%1'><td valign='top' style='white-space:nowrap'><b>%2</b></td>"
                    "<td>%3")
                    .arg(shade, f.place.empty() ? QStringLiteral("全体") : Html(f.place), Html(f.what));
        if (!f.fix.empty())
            html += QStringLiteral("<br/><span style='color:#1d5e2a'>→ %1</span>").arg(Html(f.fix));
        html += QStringLiteral("</td></tr>");
    }
    return html + QStringLiteral("</table>");
}

}  // namespace

UiFindingsPrompt::UiFindingsPrompt(QWidget* parent) : parent_(parent) {}

bool UiFindingsPrompt::UseDespiteFindings(const std::string& fileName, const std::vector<Finding>& findings) {
    QDialog dialog(parent_);
    dialog.setObjectName(QStringLiteral("dlgFindings"));
    dialog.setWindowTitle(QString::fromUtf8(FindingsCaption));
    dialog.resize(620, 420);

    auto* layout = new QVBoxLayout(&dialog);
    auto* lead = new QLabel(QStringLiteral("「%1」は使えますが、生徒がこまるところが %2 か所あります。")
                                .arg(QString::fromStdString(fileName))
                                .arg(findings.size()),
                            &dialog);
    lead->setObjectName(QStringLiteral("lblFindingsLead"));
    lead->setTextFormat(Qt::PlainText);
    lead->setWordWrap(true);
    layout->addWidget(lead);

    auto* list = new QTextBrowser(&dialog);
    list->setObjectName(QStringLiteral("txtFindings"));
    list->setHtml(ListHtml(findings));
    layout->addWidget(list, 1);

    auto* after = new QLabel(
        QStringLiteral("直すときは「やめる」を押し、問題ファイルを直してから、もう一度選んでください。"),
        &dialog);
    after->setWordWrap(true);
    layout->addWidget(after);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* use = new QPushButton(QString::fromUtf8(UseAsItIsText), &dialog);
    auto* stop = new QPushButton(QString::fromUtf8(StopText), &dialog);
    use->setObjectName(QStringLiteral("btnUseAsItIs"));
    stop->setObjectName(QStringLiteral("btnStop"));
    buttons->addWidget(use);
    buttons->addWidget(stop);
    layout->addLayout(buttons);
    QObject::connect(use, &QPushButton::clicked, &dialog, &QDialog::accept);
    QObject::connect(stop, &QPushButton::clicked, &dialog, &QDialog::reject);
    // The warnings were seen; going on is the usual choice, and Esc stops.
    use->setDefault(true);
    use->setFocus();

    CentreOnScreen(&dialog);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace vokamo

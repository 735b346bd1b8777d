#include "ui/classwindow/PupilView.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/data/ScoreTally.h"
#include "core/data/SjisText.h"
#include "core/records/ScoreDisplay.h"
#include "ui/platform/UiText.h"
#include "ui/widgets/UiScoreGrid.h"

namespace vokamo {

TfrmPupil::TfrmPupil(ProgramState st, QWidget* parent) : QWidget(parent, Qt::Window), st_(std::move(st)) {
    setObjectName(QStringLiteral("frmPupil"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(ToQt(st_.PlayerName) + QStringLiteral(" の成績（見るだけ）"));
    auto* top = new QVBoxLayout(this);
    lblTitle = new QLabel(this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont bold = lblTitle->font();
    bold.setBold(true);
    lblTitle->setFont(bold);
    lblStatus = new QLabel(this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    btnExChange = new QPushButton(this);
    btnExChange->setObjectName(QStringLiteral("btnExChange"));
    btnExChange->setVisible(HasCodes(st_.DataKind));
    connect(btnExChange, &QPushButton::clicked, this, [this] {
        st_.FocusOnCode = !st_.FocusOnCode;
        Show();
    });
    auto* heading = new QHBoxLayout;
    heading->addWidget(lblTitle, 1);
    heading->addWidget(lblStatus);
    heading->addWidget(btnExChange);
    top->addLayout(heading);

    auto* body = new QHBoxLayout;
    grid_ = new UiScoreGrid;
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(grid_);
    scroll->setMinimumWidth(grid_->width() + 24);
    body->addWidget(scroll, 1);

    grdTen = new QTableWidget(0, SummaryColumns - 1, this);
    grdTen->setObjectName(QStringLiteral("grdTen"));
    grdTen->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdTen->setSelectionMode(QAbstractItemView::NoSelection);
    grdTen->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    grdTen->setMinimumWidth(300);
    body->addWidget(grdTen);
    top->addLayout(body, 1);
    resize(1120, 600);
    Show();
}

void TfrmPupil::Show() {
    CountGroups(st_);
    MainScreen screen;
    FullRedraw(st_, screen);
    grid_->Show(screen);
    lblTitle->setText(ToQt(st_.Title) + QStringLiteral("　") + ToQt(st_.PlayerName));
    lblStatus->setText(ToQt(screen.pnlRec) + QStringLiteral("　") + ToQt(screen.pnlHint) +
                       QStringLiteral("　") + ToQt(screen.pnlOrder) + QStringLiteral("　") +
                       ToQt(screen.pnlFlash));
    btnExChange->setText(GroupsByCode(st_) ? QStringLiteral("課ごとに見る")
                                           : QStringLiteral("コードごとに見る"));

    const SummaryRow header = SummaryHeaderRow();
    QStringList headers;
    for (int c = 1; c < SummaryColumns; ++c) headers << ToQt(header[static_cast<size_t>(c)]);
    grdTen->setHorizontalHeaderLabels(headers);
    const ScoreSummary summary = TallyScores(st_);
    grdTen->clearContents();
    grdTen->setRowCount(summary.Count);
    for (int r = 0; r < summary.Count; ++r) {
        const SummaryRow row = SummaryGroupRow(summary.Groups[static_cast<size_t>(r)]);
        grdTen->setVerticalHeaderItem(r, new QTableWidgetItem(ToQt(row[0])));
        for (int c = 1; c < SummaryColumns; ++c) {
            auto* cell = new QTableWidgetItem(ToQt(row[static_cast<size_t>(c)]));
            cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grdTen->setItem(r, c - 1, cell);
        }
    }
}

}  // namespace vokamo

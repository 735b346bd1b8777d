#include "ui/dialogs/ScoreTable.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>

#include "core/data/ScoreTally.h"
#include "ui/platform/UiText.h"
#include "ui/widgets/UiDialogWindow.h"
#include "ui/widgets/UiGuard.h"

namespace vokamo {

namespace {

const QColor WindowColour(105, 182, 184);
const QColor FixedColour(169, 213, 214);
constexpr int ColumnWidth = 60;
constexpr int RowHeight = 24;
// The fixed cells' frame and the space inside it.
constexpr int HeaderBorder = 1;
constexpr int HeaderPadding = 2;

}  // namespace

TfrmScoreTable::TfrmScoreTable(ProgramState& st, SoundPlayer& /*sound*/, MainDisplay& main, ErrorBox& errors,
                               QWidget* parent)
    : UiDialogWindow(main, errors, QStringLiteral("成績集計表"), 334, 291, WindowColour, parent), st_(st) {
    setObjectName(QStringLiteral("frmScoreTable"));

    // The header row and the name column are the table's own headers, so
    // they stay in place while the rows scroll.
    grdTen = new QTableWidget(0, SummaryColumns - 1, this);
    grdTen->setObjectName(QStringLiteral("grdTen"));
    grdTen->setGeometry(5, 7, 316, 210);
    grdTen->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdTen->setSelectionMode(QAbstractItemView::NoSelection);
    grdTen->setFocusPolicy(Qt::NoFocus);
    grdTen->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    grdTen->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    grdTen->setCornerButtonEnabled(false);
    grdTen->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grdTen->horizontalHeader()->setDefaultSectionSize(ColumnWidth);
    grdTen->horizontalHeader()->setMinimumSectionSize(ColumnWidth);
    grdTen->horizontalHeader()->setHighlightSections(false);
    grdTen->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grdTen->verticalHeader()->setDefaultSectionSize(RowHeight);
    grdTen->verticalHeader()->setFixedWidth(ColumnWidth);
    grdTen->verticalHeader()->setHighlightSections(false);
    QPalette pal = grdTen->palette();
    pal.setColor(QPalette::Base, Qt::white);
    grdTen->setPalette(pal);

    btnOK = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setGeometry(212, 229, 75, 25);
    connect(btnOK, &QPushButton::clicked, this, [this] { Guard(errors_, [this] { btnOKClick(); }); });
    SetKeyButtons(btnOK);
}

void TfrmScoreTable::FillAndShow() {
    Fill();
    ShowInFront();
}

void TfrmScoreTable::Fill() {
    // The fixed cells get their colour here, with the headers.
    const QString fixedStyle = QStringLiteral(
                                   "QHeaderView::section { background-color: %1; color: black;"
                                   " border: %2px solid gray; padding: 0 %3px; }")
                                   .arg(FixedColour.name())
                                   .arg(HeaderBorder)
                                   .arg(HeaderPadding);
    grdTen->horizontalHeader()->setStyleSheet(fixedStyle);
    grdTen->verticalHeader()->setStyleSheet(fixedStyle);
    grdTen->setStyleSheet(QStringLiteral("QTableCornerButton::section { background-color: %1;"
                                         " border: 1px solid gray; }")
                              .arg(FixedColour.name()));

    const SummaryRow header = SummaryHeaderRow();
    QStringList headers;
    for (int c = 1; c < SummaryColumns; ++c) headers << ToQt(header[c]);
    grdTen->setHorizontalHeaderLabels(headers);

    const ScoreSummary summary = TallyScores(st_);
    // Setting the count anew drops the rows of a larger earlier table.
    grdTen->clearContents();
    grdTen->setRowCount(summary.Count);
    const QFontMetrics nameMetrics(grdTen->verticalHeader()->font());
    for (int r = 0; r < summary.Count; ++r) {
        const SummaryRow row = SummaryGroupRow(summary.Groups[r]);
        // A name longer than its column ends at a whole character with a
        // mark that there is more; the whole name shows as a tool-tip.
        const QString whole = ToQt(row[0]);
        const int room = ColumnWidth - 2 * (HeaderBorder + HeaderPadding);
        auto* name = new QTableWidgetItem(nameMetrics.elidedText(whole, Qt::ElideRight, room));
        name->setToolTip(whole);
        name->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        grdTen->setVerticalHeaderItem(r, name);
        for (int c = 1; c < SummaryColumns; ++c) {
            auto* cell = new QTableWidgetItem(ToQt(row[c]));
            cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            cell->setFlags(Qt::ItemIsEnabled);
            grdTen->setItem(r, c - 1, cell);
        }
    }
}

void TfrmScoreTable::btnOKClick() {
    close();
}

}  // namespace vokamo

#include "ui/classwindow/ClassWindow.h"

#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include "core/classview/ClassExport.h"
#include "core/classview/ClassFolder.h"
#include "ui/classwindow/PupilView.h"
#include "ui/classwindow/UiClassPrint.h"

namespace vokamo {

namespace {

// Reading that ends sooner than this shows no progress bar.
constexpr int ProgressAfterMs = 150;
constexpr int ProgressTickMs = 50;
constexpr int RowRole = Qt::UserRole + 1;
constexpr int SizedRows = 40;

QString Q(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

QTableWidget* MakeTable(QWidget* parent, const std::vector<std::string>& headers, const char* name) {
    auto* t = new QTableWidget(0, static_cast<int>(headers.size()), parent);
    t->setObjectName(QString::fromLatin1(name));
    QStringList labels;
    for (const auto& h : headers) labels << Q(h);
    t->setHorizontalHeaderLabels(labels);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->verticalHeader()->hide();
    t->horizontalHeader()->setStretchLastSection(true);
    // Column widths from the first rows only: measuring every cell of a
    // 600-word table would hold the first picture back.
    t->horizontalHeader()->setResizeContentsPrecision(SizedRows);
    return t;
}

// A cell that sorts by its number, not by its text.
QTableWidgetItem* NumberItem(qlonglong value) {
    auto* item = new QTableWidgetItem;
    item->setData(Qt::DisplayRole, value);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

constexpr int KeyRole = Qt::UserRole + 2;

// A cell that shows its text and sorts by its number.
class KeyedItem : public QTableWidgetItem {
public:
    KeyedItem(const QString& text, double key) : QTableWidgetItem(text) {
        setData(KeyRole, key);
        setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    bool operator<(const QTableWidgetItem& other) const override {
        return data(KeyRole).toDouble() < other.data(KeyRole).toDouble();
    }
};

QTableWidgetItem* DecimalItem(double value) {
    return new KeyedItem(Q(OneDecimal(value)), value);
}

}  // namespace

TfrmClass::TfrmClass(std::vector<std::string> fsFolders, std::string memoryFile, QWidget* parent)
    : QWidget(parent), folders_(std::move(fsFolders)), memoryFile_(std::move(memoryFile)) {
    setObjectName(QStringLiteral("frmClass"));
    setWindowTitle(Q(ClassWindowTitle));
    BuildControls();
    resize(980, 640);
    StartReading();
}

TfrmClass::~TfrmClass() {
    StopReading();
}

void TfrmClass::BuildControls() {
    auto* top = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    lblFolder = new QLabel(this);
    lblFolder->setObjectName(QStringLiteral("lblFolder"));
    lblFolder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    btnFolder = new QPushButton(QStringLiteral("フォルダーを選ぶ…"), this);
    btnFolder->setObjectName(QStringLiteral("btnFolder"));
    btnReload = new QPushButton(QStringLiteral("読み直す"), this);
    btnReload->setObjectName(QStringLiteral("btnReload"));
    btnPrint = new QPushButton(QStringLiteral("印刷…"), this);
    btnPrint->setObjectName(QStringLiteral("btnPrint"));
    btnCsv = new QPushButton(QStringLiteral("成績を CSV に…"), this);
    btnCsv->setObjectName(QStringLiteral("btnCsv"));
    btnCsvHard = new QPushButton(QStringLiteral("単語を CSV に…"), this);
    btnCsvHard->setObjectName(QStringLiteral("btnCsvHard"));
    bar->addWidget(lblFolder, 1);
    for (QPushButton* b : {btnFolder, btnReload, btnPrint, btnCsv, btnCsvHard}) bar->addWidget(b);
    top->addLayout(bar);

    auto* state = new QHBoxLayout;
    lblState = new QLabel(this);
    lblState->setObjectName(QStringLiteral("lblState"));
    barProgress = new QProgressBar(this);
    barProgress->setObjectName(QStringLiteral("barProgress"));
    barProgress->hide();
    state->addWidget(lblState, 1);
    state->addWidget(barProgress);
    top->addLayout(state);

    tabBooks = new QTabWidget(this);
    tabBooks->setObjectName(QStringLiteral("tabBooks"));
    top->addWidget(tabBooks, 1);

    tmrProgress = new QTimer(this);
    tmrProgress->setInterval(ProgressTickMs);
    connect(tmrProgress, &QTimer::timeout, this, &TfrmClass::ShowProgress);
    connect(btnFolder, &QPushButton::clicked, this, &TfrmClass::btnFolderClick);
    connect(btnReload, &QPushButton::clicked, this, &TfrmClass::Reload);
    connect(btnPrint, &QPushButton::clicked, this, &TfrmClass::btnPrintClick);
    connect(btnCsv, &QPushButton::clicked, this, [this] { SaveCsv(false); });
    connect(btnCsvHard, &QPushButton::clicked, this, [this] { SaveCsv(true); });
}

QTableWidget* TfrmClass::ClassTable(int book) const {
    return book >= 0 && static_cast<size_t>(book) < classTables_.size()
               ? classTables_[static_cast<size_t>(book)]
               : nullptr;
}

QTableWidget* TfrmClass::HardTable(int book) const {
    return book >= 0 && static_cast<size_t>(book) < hardTables_.size()
               ? hardTables_[static_cast<size_t>(book)]
               : nullptr;
}

void TfrmClass::Reload() {
    if (thread_) {
        // The reading under way stops at its next record and starts afresh.
        reloadAfter_ = true;
        cancel_->store(true);
        return;
    }
    StartReading();
}

void TfrmClass::StartReading() {
    QStringList shown;
    for (const auto& f : folders_) shown << Q(f);
    lblFolder->setText(QStringLiteral("フォルダー: ") + shown.join(QStringLiteral("、")));
    lblState->setText(QStringLiteral("成績を読んでいます…"));
    btnPrint->setEnabled(false);
    btnCsv->setEnabled(false);
    btnCsvHard->setEnabled(false);
    cancel_ = std::make_shared<std::atomic<bool>>(false);
    done_ = std::make_shared<std::atomic<size_t>>(0);
    total_ = std::make_shared<std::atomic<size_t>>(0);
    pending_ = std::make_shared<ClassOverview>();
    auto cancel = cancel_;
    auto done = done_;
    auto total = total_;
    auto result = pending_;
    const std::vector<std::string> folders = folders_;
    thread_ = QThread::create([cancel, done, total, result, folders] {
        ScanLimits limits;
        limits.cancel = cancel.get();
        *result = ReadClass(folders, limits, [done, total](size_t d, size_t t) {
            total->store(t);
            done->store(d);
        });
    });
    connect(thread_, &QThread::finished, this, &TfrmClass::ReadingDone);
    readingFor_.start();
    tmrProgress->start();
    thread_->start();
}

void TfrmClass::StopReading() {
    if (!thread_) return;
    cancel_->store(true);
    thread_->disconnect(this);
    thread_->wait();
    delete thread_;
    thread_ = nullptr;
    tmrProgress->stop();
}

void TfrmClass::ShowProgress() {
    if (readingFor_.elapsed() < ProgressAfterMs) return;
    const size_t total = total_->load();
    barProgress->setRange(0, static_cast<int>(std::min<size_t>(total, INT32_MAX)));
    barProgress->setValue(static_cast<int>(std::min<size_t>(done_->load(), INT32_MAX)));
    barProgress->show();
}

void TfrmClass::ReadingDone() {
    thread_->wait();
    delete thread_;
    thread_ = nullptr;
    tmrProgress->stop();
    barProgress->hide();
    if (reloadAfter_) {
        reloadAfter_ = false;
        StartReading();
        return;
    }
    overview_ = std::move(*pending_);
    pending_.reset();
    ShowOverview();
    emit Loaded();
}

void TfrmClass::ShowOverview() {
    tabBooks->clear();
    classTables_.clear();
    hardTables_.clear();
    grdUnread = nullptr;
    size_t pupils = 0;
    for (size_t b = 0; b < overview_.books.size(); ++b) {
        const ClassBook& book = overview_.books[b];
        pupils += book.rows.size();
        auto* split = new QSplitter(Qt::Vertical);
        QTableWidget* table = MakeTable(split, ClassTableHeaders(), "grdClass");
        table->setRowCount(static_cast<int>(book.rows.size()));
        for (size_t r = 0; r < book.rows.size(); ++r) {
            const PupilRow& row = book.rows[r];
            const std::vector<std::string> texts = ClassTableRow(overview_, row);
            const int ri = static_cast<int>(r);
            for (int c = 0; c < static_cast<int>(texts.size()); ++c) {
                QTableWidgetItem* item = nullptr;
                switch (c) {
                    case 2:
                        item = NumberItem(row.learned);
                        break;
                    case 3:
                        item = NumberItem(row.rightOnce);
                        break;
                    case 4:
                        item = NumberItem(row.wrong);
                        break;
                    case 5:
                        item = NumberItem(row.never);
                        break;
                    case 6:
                        item = NumberItem(row.attempts);
                        break;
                    case 7:
                        item = NumberItem(row.learnedInRangePercent);
                        break;
                    default:
                        item = new QTableWidgetItem(Q(texts[static_cast<size_t>(c)]));
                }
                item->setData(RowRole, ri);
                table->setItem(ri, c, item);
            }
        }
        // Until the teacher clicks a header, the rows stay in folder order.
        table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
        table->setSortingEnabled(true);
        table->resizeColumnsToContents();
        connect(table, &QTableWidget::cellActivated, this,
                [this, b](int row, int) { OpenPupil(static_cast<int>(b), row); });

        auto* hardBox = new QWidget(split);
        auto* hardLayout = new QVBoxLayout(hardBox);
        hardLayout->setContentsMargins(0, 4, 0, 0);
        hardLayout->addWidget(new QLabel(QStringLiteral("まちがいの多い単語（いま誤答中の人数が多い順、"
                                                        "同じなら習得までの解答回数が多い順）"),
                                         hardBox));
        QTableWidget* hard = MakeTable(hardBox, HardTableHeaders(), "grdHard");
        hard->setRowCount(static_cast<int>(book.hardest.size()));
        int rank = 0;
        for (const HardWord& w : book.hardest) {
            const int ri = rank++;
            const std::vector<std::string> texts = HardTableRow(w, rank);
            hard->setItem(ri, 0, NumberItem(rank));
            hard->setItem(ri, 1, NumberItem(w.item + 1));
            for (int c = 2; c <= 4; ++c)
                hard->setItem(ri, c, new QTableWidgetItem(Q(texts[static_cast<size_t>(c)])));
            hard->setItem(ri, 5, NumberItem(w.wrongNow));
            hard->setItem(ri, 6, NumberItem(w.learnedBy));
            hard->setItem(ri, 7, DecimalItem(w.AttemptsPerLearner()));
        }
        // Sorting starts from the header's indicator: the rank, first first.
        hard->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
        hard->setSortingEnabled(true);
        hard->resizeColumnsToContents();
        hardLayout->addWidget(hard);
        split->addWidget(table);
        split->addWidget(hardBox);
        classTables_.push_back(table);
        hardTables_.push_back(hard);
        tabBooks->addTab(split, Q(book.title) + QStringLiteral("（%1 人）").arg(book.rows.size()));
    }
    if (!overview_.unread.empty()) {
        grdUnread = MakeTable(nullptr, {"成績ファイル", "状態", "読めなかったわけ"}, "grdUnread");
        grdUnread->setRowCount(static_cast<int>(overview_.unread.size()));
        for (size_t i = 0; i < overview_.unread.size(); ++i) {
            const UnreadRecord& u = overview_.unread[i];
            const int ri = static_cast<int>(i);
            grdUnread->setItem(ri, 0, new QTableWidgetItem(Q(UnreadShownPath(overview_, u))));
            grdUnread->setItem(ri, 1, new QTableWidgetItem(u.inUse ? Q(InUseMark) : QString()));
            auto* reason = new QTableWidgetItem(Q(u.reason));
            reason->setToolTip(Q(u.reason));
            grdUnread->setItem(ri, 2, reason);
        }
        grdUnread->setWordWrap(true);
        grdUnread->resizeColumnToContents(0);
        grdUnread->resizeColumnToContents(1);
        grdUnread->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
        grdUnread->setSortingEnabled(true);
        tabBooks->addTab(grdUnread, QStringLiteral("読めなかったもの（%1）").arg(overview_.unread.size()));
    }
    QString state;
    if (overview_.books.empty() && overview_.unread.empty())
        state = QStringLiteral("このフォルダーには成績（.ret ファイル）がありません。");
    else
        state = QStringLiteral("%1 人分の成績、問題ファイル %2 個。").arg(pupils).arg(overview_.books.size());
    if (!overview_.unread.empty())
        state += QStringLiteral("読めなかったもの %1 件。").arg(overview_.unread.size());
    if (overview_.cancelled) state += QStringLiteral("（途中で止めました）");
    state += QStringLiteral("　行をダブルクリックすると、その成績を開きます（見るだけ）。");
    lblState->setText(state);
    const bool any = !overview_.books.empty();
    btnPrint->setEnabled(any);
    btnCsv->setEnabled(any);
    btnCsvHard->setEnabled(any);
}

TfrmPupil* TfrmClass::OpenPupil(int book, int row) {
    QTableWidget* table = ClassTable(book);
    if (!table || row < 0 || row >= table->rowCount()) return nullptr;
    const int index = table->item(row, 0)->data(RowRole).toInt();
    const ClassBook& b = overview_.books[static_cast<size_t>(book)];
    auto* view = new TfrmPupil(PupilState(b, b.rows[static_cast<size_t>(index)]), this);
    view->show();
    return view;
}

void TfrmClass::btnFolderClick() {
    const QString start = folders_.empty() ? QString() : Q(folders_.front());
    const QString chosen = QFileDialog::getExistingDirectory(
        this, QStringLiteral("成績のあるフォルダーを選んでください"), start);
    if (chosen.isEmpty()) return;
    folders_ = {chosen.toStdString()};
    RememberClassFolder(memoryFile_, folders_.front());
    Reload();
}

void TfrmClass::btnPrintClick() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(Q(ClassWindowTitle));
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("クラスの成績を印刷"));
    if (dialog.exec() != QDialog::Accepted) return;
    PrintClass(overview_, printer);
}

void TfrmClass::SaveCsv(bool hardest) {
    const QString name =
        QFileDialog::getSaveFileName(this,
                                     hardest ? QStringLiteral("まちがいの多い単語を CSV に保存")
                                             : QStringLiteral("クラスの成績を CSV に保存"),
                                     QString(), QStringLiteral("CSV (*.csv)"));
    if (name.isEmpty()) return;
    const std::string text =
        hardest ? HardCsv(overview_, LanguageFromLocale()) : ClassCsv(overview_, LanguageFromLocale());
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()) ||
        !file.flush())
        QMessageBox::warning(
            this, Q(ClassWindowTitle),
            QStringLiteral("「%1」に保存できませんでした（%2）。").arg(name, file.errorString()));
}

void TfrmClass::closeEvent(QCloseEvent* event) {
    StopReading();
    QWidget::closeEvent(event);
}

}  // namespace vokamo

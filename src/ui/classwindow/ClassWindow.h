#pragma once

#include <QElapsedTimer>
#include <QWidget>
#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "core/classview/ClassSummary.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QThread;
class QTimer;

namespace vokamo {

class TfrmPupil;

// The teacher's class overview: every record under the chosen folders, a
// table per question file, the words the class finds hardest, printing and
// CSV. It only reads records; the reading runs on a thread of its own.
class TfrmClass : public QWidget {
    Q_OBJECT
public:
    // memoryFile: where the folder chosen last is remembered ("" for nowhere).
    TfrmClass(std::vector<std::string> fsFolders, std::string memoryFile, QWidget* parent = nullptr);
    ~TfrmClass() override;

    // Reads the folders again (on the reading thread).
    void Reload();
    // True while the folders are being read.
    bool Reading() const { return thread_ != nullptr; }
    const ClassOverview& Overview() const { return overview_; }

    QTabWidget* Books() const { return tabBooks; }
    QProgressBar* Progress() const { return barProgress; }
    // The class table of book i, and its hardest words.
    QTableWidget* ClassTable(int book) const;
    QTableWidget* HardTable(int book) const;
    QTableWidget* UnreadTable() const { return grdUnread; }
    // Opens the pupil view of the row shown at `row` of book's table.
    TfrmPupil* OpenPupil(int book, int row);

signals:
    // The tables show what the last reading found.
    void Loaded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    void StartReading();
    void StopReading();
    void ReadingDone();
    void ShowOverview();
    void ShowProgress();
    void btnFolderClick();
    void btnPrintClick();
    void SaveCsv(bool hardest);

    std::vector<std::string> folders_;
    std::string memoryFile_;
    ClassOverview overview_;
    std::shared_ptr<ClassOverview> pending_;
    std::shared_ptr<std::atomic<bool>> cancel_;
    std::shared_ptr<std::atomic<size_t>> done_, total_;
    QThread* thread_ = nullptr;
    QTimer* tmrProgress = nullptr;
    QElapsedTimer readingFor_;
    bool reloadAfter_ = false;

    QLabel* lblFolder = nullptr;
    QLabel* lblState = nullptr;
    QPushButton* btnFolder = nullptr;
    QPushButton* btnReload = nullptr;
    QPushButton* btnPrint = nullptr;
    QPushButton* btnCsv = nullptr;
    QPushButton* btnCsvHard = nullptr;
    QProgressBar* barProgress = nullptr;
    QTabWidget* tabBooks = nullptr;
    QTableWidget* grdUnread = nullptr;
    std::vector<QTableWidget*> classTables_, hardTables_;
};

}  // namespace vokamo

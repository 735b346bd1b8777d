#include <gtest/gtest.h>
#include <unistd.h>

#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextDocument>
#include <filesystem>

#include "Fakes.h"
#include "TestSupport.h"
#include "core/classview/ClassExport.h"
#include "core/data/SjisText.h"
#include "core/records/RecordFile.h"
#include "core/records/RecordFixtures.h"
#include "ui/classwindow/ClassWindow.h"
#include "ui/classwindow/PupilView.h"
#include "ui/classwindow/UiClassPrint.h"
#include "ui/mainwindow/VKMain.h"
#include "ui/widgets/UiScoreGrid.h"

namespace vokamo {
namespace {

namespace fs = std::filesystem;

// Three pupils of one book of 70 items in 3 lessons: taro with the
// fixtures' progress, hanako with every item learned, jiro with nothing
// yet and his record open in a pupil's program.
struct ClassDir {
    std::string dir = test::MakeTempDir();
    test::DataShape shape = test::EvenShape(1, 70, 3, 0);
    ~ClassDir() {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    ClassDir() {
        const std::string data = test::WriteDataFile(dir, "book.dat", shape);
        for (const char* pupil : {"taro", "hanako", "jiro"}) fs::create_directories(dir + "/" + pupil);
        test::WriteBytes(dir + "/taro/taro.ret", test::RecordBytesFor(data, shape, "Taro"));
        // The item lines are the record's last ones.
        std::string all = test::RecordBytesFor(data, shape, Sjis("花子"));
        size_t end = all.size();
        for (int i = 0; i <= 70; ++i) end = all.rfind("\r\n", end - 1);
        all.resize(end + 2);
        for (int i = 0; i < 70; ++i) all += "2,2\r\n";
        test::WriteBytes(dir + "/hanako/hanako.ret", all);
        test::WriteBytes(dir + "/jiro/jiro.ret", test::RecordBytesFor(data, shape, "Jiro"));
        char host[256] = {};
        gethostname(host, sizeof host - 1);
        test::WriteBytes(RecordLockPath(dir + "/jiro/jiro.ret"),
                         std::to_string(getpid()) + "\nvokamo\n" + host + "\n");
    }
};

int Column(QTableWidget* t, const std::string& header) {
    for (int c = 0; c < t->columnCount(); ++c)
        if (t->horizontalHeaderItem(c)->text() == QString::fromStdString(header)) return c;
    return -1;
}

int RowOf(QTableWidget* t, const QString& pupil) {
    for (int r = 0; r < t->rowCount(); ++r)
        if (t->item(r, 0)->text() == pupil) return r;
    return -1;
}

TEST(ClassWindow, ShowsTheClassSortsOpensAPupilAsTheMainWindowDrawsHerAndPrints) {
    ClassDir c;
    TfrmClass w({c.dir}, c.dir + "/memory/class-folder");
    QSignalSpy loaded(&w, &TfrmClass::Loaded);
    w.resize(1000, 620);
    w.show();
    ASSERT_TRUE(loaded.wait(20000));

    ASSERT_EQ(w.Books()->count(), 1);  // one book, nothing unreadable
    QTableWidget* table = w.ClassTable(0);
    ASSERT_EQ(table->rowCount(), 3);
    const std::vector<std::string> headers = ClassTableHeaders();
    const int learned = Column(table, headers[2]);
    const int state = Column(table, headers.back());
    ASSERT_GE(learned, 0);
    ASSERT_GE(state, 0);

    // Sorted by the number learned, most first: hanako has every item.
    table->sortByColumn(learned, Qt::DescendingOrder);
    EXPECT_EQ(table->item(0, 0)->text(), QStringLiteral("花子"));
    EXPECT_EQ(table->item(0, learned)->text(), QStringLiteral("70"));
    for (int r = 1; r < table->rowCount(); ++r)
        EXPECT_GE(table->item(r - 1, learned)->data(Qt::DisplayRole).toInt(),
                  table->item(r, learned)->data(Qt::DisplayRole).toInt());
    // Only jiro's record is open in a pupil's program.
    for (const char* pupil : {"Taro", "花子", "Jiro"})
        EXPECT_EQ(table->item(RowOf(table, QString::fromUtf8(pupil)), state)->text(),
                  std::string(pupil) == "Jiro" ? QString::fromUtf8(InUseMark) : QString());
    // The hardest words start in rank order, the hardest first.
    QTableWidget* hard = w.HardTable(0);
    ASSERT_EQ(hard->rowCount(), 70);
    for (int r = 0; r < hard->rowCount(); ++r)
        EXPECT_EQ(hard->item(r, 0)->data(Qt::DisplayRole).toInt(), r + 1);

    EXPECT_TRUE(w.grab().save(QString::fromStdString(test::ShotPath("class_window.png"))));

    // Taro's grid in the pupil view is the main window's grid, pixel for
    // pixel, labels included, down to the window's bottom.
    TfrmPupil* pupil = w.OpenPupil(0, RowOf(table, QStringLiteral("Taro")));
    ASSERT_NE(pupil, nullptr);
    EXPECT_TRUE(pupil->grab().save(QString::fromStdString(test::ShotPath("class_pupil.png"))));
    const QImage mine = pupil->Grid()->grab().toImage();
    EXPECT_EQ(pupil->Grid()->Cells().size(), 70u);
    EXPECT_EQ(pupil->Table()->rowCount(), 3);

    ProgramState st;
    test::RecordingSoundPlayer sound;
    test::RecordingHelpViewer help;
    test::ScriptedFileChooser files;
    test::ScriptedNamePrompt names;
    test::RecordingErrorBox errors;
    // The main window saves what it opened when it ends: a copy, so that
    // the class folder stays as the pupils left it.
    fs::create_directories(c.dir + "/copy");
    fs::copy_file(c.dir + "/taro/taro.ret", c.dir + "/copy/taro.ret");
    {
        TfrmMain main(st, sound, help, files, names, errors);
        main.Timer3->stop();
        for (int i = 0; i < 13; ++i) main.Timer3Timer();
        files.answers = {c.dir + "/copy/taro.ret"};
        main.btnOpenClick();
        ASSERT_TRUE(errors.messages.empty());
        const QImage theirs = main.grab().toImage();
        // Below the status panels, which only the main window has.
        const int top = std::max(main.pnlRec->geometry().bottom(), main.pnlFlash->geometry().bottom()) + 1;
        const QRect grid(0, top, theirs.width(), theirs.height() - top);
        const QImage a = mine.copy(grid).convertToFormat(QImage::Format_RGB32);
        const QImage b = theirs.copy(grid).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(a.size(), b.size());
        int differ = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x) differ += a.pixel(x, y) != b.pixel(x, y);
        EXPECT_EQ(differ, 0);
        if (differ) {
            a.save(QString::fromStdString(test::ShotPath("class_pupil_grid.png")));
            b.save(QString::fromStdString(test::ShotPath("class_main_grid.png")));
        }
    }

    // The first printed page, laid out at A4's proportions.
    ClassOverview overview = w.Overview();
    const auto doc = ClassPageDocument(overview, QStringLiteral("2026-12-09 10:00"));
    const QSizeF page(595, 842);
    doc->setPageSize(page);
    EXPECT_EQ(doc->pageCount(), 1);
    QImage printed(page.toSize(), QImage::Format_RGB32);
    printed.fill(Qt::white);
    {
        QPainter painter(&printed);
        doc->drawContents(&painter, QRectF(QPointF(0, 0), page));
    }
    EXPECT_TRUE(printed.save(QString::fromStdString(test::ShotPath("class_print.png"))));
    pupil->close();
}

// A kind-2 book (4 lessons, 3 codes) and a file that is no record: the
// unreadable one has its own tab with its reason, a second reading started
// while the first runs ends with the same tables, and the pupil view goes
// from lessons to codes and back, grid and table alike.
TEST(ClassWindow, ListsTheUnreadableReadsAgainAndShowsAPupilByLessonOrCode) {
    const std::string dir = test::MakeTempDir();
    const test::DataShape shape = test::EvenShape(2, 24, 4, 3);
    const std::string data = test::WriteDataFile(dir, "codes.dat", shape);
    test::WriteBytes(dir + "/aki.ret", test::RecordBytesFor(data, shape, "Aki"));
    test::WriteBytes(dir + "/notes.ret", "shopping list\r\n");

    TfrmClass w({dir}, "");
    QSignalSpy loaded(&w, &TfrmClass::Loaded);
    w.Reload();  // while the first reading runs
    ASSERT_TRUE(loaded.wait(20000));
    EXPECT_FALSE(w.Reading());
    EXPECT_EQ(loaded.count(), 1);
    ASSERT_EQ(w.Books()->count(), 2);
    ASSERT_NE(w.UnreadTable(), nullptr);
    ASSERT_EQ(w.UnreadTable()->rowCount(), 1);
    EXPECT_EQ(w.UnreadTable()->item(0, 0)->text(), QStringLiteral("notes.ret"));
    EXPECT_FALSE(w.UnreadTable()->item(0, 2)->text().isEmpty());

    TfrmPupil* pupil = w.OpenPupil(0, 0);
    ASSERT_NE(pupil, nullptr);
    ASSERT_FALSE(pupil->FocusButton()->isHidden());
    auto visibleLabels = [&] {
        int n = 0;
        for (QLabel* l : pupil->Grid()->findChildren<QLabel*>()) n += !l->isHidden();
        return n;
    };
    EXPECT_EQ(pupil->Table()->rowCount(), 4);
    EXPECT_EQ(visibleLabels(), 4);
    pupil->FocusButton()->click();
    EXPECT_EQ(pupil->Table()->rowCount(), 3);
    EXPECT_EQ(visibleLabels(), 3);
    EXPECT_EQ(pupil->Grid()->Cells().size(), 24u);
    pupil->FocusButton()->click();
    EXPECT_EQ(pupil->Table()->rowCount(), 4);
    pupil->close();
    std::error_code ec;
    fs::remove_all(dir, ec);
}

}  // namespace
}  // namespace vokamo

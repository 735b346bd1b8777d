#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QWidget>

#include "TestSupport.h"
#include "ui/platform/UiHelpViewer.h"

namespace vokamo {
namespace {

class HelpViewerTest : public ::testing::Test {
protected:
    void SetUp() override {
        oldCurrent = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(test::MakeTempDir()));
    }
    void TearDown() override { QDir::setCurrent(oldCurrent); }
    QString oldCurrent;
    QWidget mainWindow;
};

TEST_F(HelpViewerTest, BuiltInHelpCoversWhatPupilsAndTeachersNeed) {
    const QString html = LoadHelpText("vk40.HLP");
    ASSERT_FALSE(html.isEmpty());
    QTextDocument doc;
    doc.setHtml(html);
    const QString text = doc.toPlainText();
    // Texts the program shows, so a reader can find them in the help.
    for (const char* phrase : {"成績を開く", "新しい成績を作る", "成績を選んでください。",
                               "直しです",   "復習です",         "70点",
                               "題数",       "習得数",           "習得率",
                               "評価",       "Shift-JIS",        "CR LF",
                               "種類 0",     "種類 1",           "種類 2",
                               "種類 3",     "BackSpace",        "Delete",
                               "フラッシュ", "学習範囲"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(phrase))) << phrase;
    // A line break inside Japanese prose shows as a space between two
    // characters; only preformatted examples keep their lines.
    const QStringList outsidePre = html.split(
        QRegularExpression(QStringLiteral("<pre>.*?</pre>"), QRegularExpression::DotMatchesEverythingOption));
    for (const QString& part : outsidePre)
        for (qsizetype at = part.indexOf(QLatin1Char('\n')); at > 0 && at + 1 < part.size();
             at = part.indexOf(QLatin1Char('\n'), at + 1))
            EXPECT_FALSE(part[at - 1].unicode() > 0x7F && part[at + 1].unicode() > 0x7F)
                << part.mid(at - 10, 20).toStdString();
}

TEST_F(HelpViewerTest, ShowsANonModalWindowAndReusesIt) {
    UiHelpViewer viewer(&mainWindow);
    viewer.ShowHelp("vk40.HLP");
    QTextBrowser* window = viewer.Window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->isWindow());
    EXPECT_EQ(window->windowModality(), Qt::NonModal);
    EXPECT_TRUE(window->toPlainText().contains(QString::fromUtf8("Vokamo")));

    window->hide();
    viewer.ShowHelp("vk40.HLP");
    EXPECT_EQ(viewer.Window(), window);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(HelpViewerTest, FileInCurrentFolderWins) {
    test::WriteBytes("vk40.HLP", "<html><body><p>Our class rules</p></body></html>");
    UiHelpViewer viewer(&mainWindow);
    viewer.ShowHelp("vk40.HLP");
    EXPECT_EQ(viewer.Window()->toPlainText().trimmed(), "Our class rules");
}

TEST_F(HelpViewerTest, ShiftJisPlainTextFileIsReadable) {
    // "先生より" in Shift-JIS, plain text, as a teacher might write it.
    test::WriteBytes("vk40.HLP", "\x90\xe6\x90\xb6\x82\xe6\x82\xe8\r\n<b> stays text");
    const QString html = LoadHelpText("vk40.HLP");
    QTextDocument doc;
    doc.setHtml(html);
    EXPECT_TRUE(doc.toPlainText().startsWith(QString::fromUtf8("先生より")));
}

// A help file of the folder that is no page of text gives way to the
// built-in help, also a link into /proc whose size says 0 while it holds
// gigabytes, and a FIFO that no writer ever feeds.
TEST_F(HelpViewerTest, HelpFileThatIsNoPageIsNotRead) {
    const QString builtIn = LoadHelpText("vk40.HLP");
    for (const char* target : {"/proc/self/pagemap", "fifo", "/"}) {
        QFile::remove("vk40.HLP");
        if (std::string(target) == "fifo")
            ASSERT_EQ(::mkfifo("vk40.HLP", 0600), 0);
        else
            ASSERT_TRUE(QFile::link(target, "vk40.HLP"));
        EXPECT_EQ(LoadHelpText("vk40.HLP"), builtIn) << target;
    }
}

TEST_F(HelpViewerTest, MissingHelpSaysSoInsteadOfAnEmptyWindow) {
    UiHelpViewer viewer(&mainWindow);
    viewer.ShowHelp("other.HLP");
    EXPECT_TRUE(viewer.Window()->toPlainText().contains("other.HLP"));
    EXPECT_TRUE(LoadHelpText("../vk40.HLP").isEmpty());
}

}  // namespace
}  // namespace vokamo

#include <gtest/gtest.h>

#include <QApplication>
#include <QInputMethodEvent>
#include <QTest>
#include <QTimer>

#include "Fakes.h"
#include "TestSupport.h"
#include "core/data/SjisText.h"
#include "ui/dialogs/MyInput.h"
#include "ui/mainwindow/StartPan.h"

namespace vokamo {
namespace {

// Types text character by character as key presses carrying the text, the
// way committed input reaches the field.
void TypeText(QWidget* w, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Runs `step` on the dialog once it is up, then returns what Ask answered.
std::string AskAnd(TfrmInput& dlg, const std::function<void()>& step) {
    QTimer::singleShot(0, &dlg, [&] {
        EXPECT_TRUE(dlg.isVisible());
        step();
    });
    return dlg.Ask("VokamoforWindows", "あなたの名前を入れてください。");
}

class NameDialogTest : public ::testing::Test {
protected:
    test::RecordingErrorBox errors;
    TfrmInput dlg{errors};
};

TEST_F(NameDialogTest, OkAnswersTheTextAndEmptiesTheField) {
    const std::string answer = AskAnd(dlg, [&] {
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("VokamoforWindows"));
        EXPECT_EQ(dlg.Label1->text(), QStringLiteral("あなたの名前を入れてください。"));
        dlg.MaskEdit1->setText(QStringLiteral("花子"));
        EXPECT_TRUE(dlg.grab().save(QString::fromStdString(test::ShotPath("nameprompt.png"))));
        QTest::keyClick(dlg.MaskEdit1, Qt::Key_Return);  // OK is the default button
    });
    EXPECT_EQ(answer, Sjis("花子"));
    EXPECT_TRUE(dlg.MaskEdit1->text().isEmpty());
}

TEST_F(NameDialogTest, CancelAnswersNothingAndKeepsTheText) {
    const std::string answer = AskAnd(dlg, [&] {
        dlg.MaskEdit1->setText(QStringLiteral("Ken"));
        QTest::keyClick(dlg.MaskEdit1, Qt::Key_Escape);
    });
    EXPECT_TRUE(answer.empty());
    EXPECT_EQ(dlg.MaskEdit1->text(), QStringLiteral("Ken"));
    // The next showing starts with an empty answer even if closed otherwise.
    EXPECT_TRUE(AskAnd(dlg, [&] { dlg.close(); }).empty());
}

TEST_F(NameDialogTest, FieldHoldsTwelveShiftJisBytes) {
    AskAnd(dlg, [&] {
        TypeText(dlg.MaskEdit1, QStringLiteral("abcdefghijklmnop"));
        EXPECT_EQ(dlg.MaskEdit1->text(), QStringLiteral("abcdefghijkl"));
        dlg.MaskEdit1->clear();
        TypeText(dlg.MaskEdit1, QStringLiteral("あいうえおかき"));
        EXPECT_EQ(dlg.MaskEdit1->text(), QStringLiteral("あいうえおか"));
        dlg.MaskEdit1->clear();
        TypeText(dlg.MaskEdit1, QStringLiteral("a한b"));
        EXPECT_EQ(dlg.MaskEdit1->text(), QStringLiteral("ab"));
        dlg.BitBtn2->click();
    });
    EXPECT_TRUE(dlg.MaskEdit1->testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_EQ(dlg.size(), QSize(286, 160));
    EXPECT_EQ(dlg.palette().color(QPalette::Window), QColor(211, 207, 201));
}

// An input method commits a whole word at once: a word holding a character
// Shift-JIS cannot keep is refused with the character named, and OK never
// turns such a name into a silent cancel.
TEST_F(NameDialogTest, RefusedCharacterIsNamedAndOkWaits) {
    bool stillOpenAfterOk = false;
    const std::string answer = AskAnd(dlg, [&] {
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("たろう😀"));
        QApplication::sendEvent(dlg.MaskEdit1, &commit);
        EXPECT_EQ(dlg.MaskEdit1->text(), QString());
        EXPECT_TRUE(dlg.lblRefused->isVisible());
        EXPECT_TRUE(dlg.lblRefused->text().contains(QStringLiteral("「😀」")))
            << dlg.lblRefused->text().toStdString();
        EXPECT_TRUE(dlg.grab().save(QString::fromStdString(test::ShotPath("nameprompt_refused.png"))));
        dlg.MaskEdit1->setText(QStringLiteral("ab😀"));  // set from outside the validator
        dlg.BitBtn1->click();
        stillOpenAfterOk = dlg.isVisible();
        dlg.MaskEdit1->setText(QStringLiteral("たろう"));
        dlg.BitBtn1->click();
    });
    EXPECT_TRUE(stillOpenAfterOk);
    EXPECT_EQ(answer, Sjis("たろう"));
}

TEST(StartPanel, LooksLikeTheSplash) {
    TfrmStartPan pan;
    pan.show();
    EXPECT_EQ(pan.size(), QSize(237, 99));
    EXPECT_EQ(pan.windowTitle(), QStringLiteral("Vantory"));
    EXPECT_EQ(pan.lblProduct->text(), QStringLiteral("Vokamo forWindows"));
    EXPECT_EQ(pan.lblProduct->pos(), QPoint(89, 20));
    EXPECT_EQ(pan.lblCompany->palette().color(QPalette::WindowText), QColor(Qt::yellow));
    const QImage shot = pan.grab().toImage();
    EXPECT_EQ(shot.pixelColor(230, 5), QColor(124, 171, 197));
    EXPECT_TRUE(shot.save(QString::fromStdString(test::ShotPath("startpan.png"))));
}

}  // namespace
}  // namespace vokamo

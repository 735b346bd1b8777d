#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>
#include <functional>

#include "TestSupport.h"
#include "core/data/DataCheck.h"
#include "ui/platform/UiFindingsPrompt.h"

namespace vokamo {
namespace {

// Runs `act` on the findings window once it is up; closes it after ten
// seconds so that a fault fails instead of hanging.
void WhenShown(std::function<void(QDialog*)> act) {
    auto* poll = new QTimer;
    poll->setInterval(20);
    int waited = 0;
    QObject::connect(poll, &QTimer::timeout, [poll, act, waited]() mutable {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QDialog*>(w);
            if (!dialog || !dialog->isVisible() || dialog->objectName() != "dlgFindings") continue;
            poll->stop();
            poll->deleteLater();
            act(dialog);
            return;
        }
        if (++waited > 500) {
            poll->stop();
            poll->deleteLater();
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* d = qobject_cast<QDialog*>(w); d && d->isVisible()) d->reject();
        }
    });
    poll->start();
}

// The teacher reads every finding with its place and fix, and the choice
// made is the answer: use, stop, or Esc (which stops).
TEST(UiFindingsPrompt, ListsEveryFindingAndReturnsTheChoice) {
    QWidget owner;
    UiFindingsPrompt prompt(&owner);
    // What the checker finds in a teacher's first file, and the places a
    // table and a whole file give.
    const std::string path = test::MakeTempDir() + "/bag.dat";
    test::WriteBytes(path,
                     "memo\nかばん 10 4\nThis is my @bag.\nかばん\nI like @it.\n好き\nI like @it.\n好き\n"
                     "It is @red .\n赤\tい\n");
    std::vector<Finding> findings = WarningFindings(CheckDataFile(path));
    ASSERT_GE(findings.size(), 4u);
    findings.push_back({"B7", "セルの中に <b>タブ</b> があります。", ""});
    findings.push_back({"", "ファイル全体のこと。", "保存し直します。"});
    QString listed, lead;
    WhenShown([&](QDialog* d) {
        listed = d->findChild<QTextBrowser*>("txtFindings")->toPlainText();
        lead = d->findChild<QLabel*>("lblFindingsLead")->text();
        EXPECT_TRUE(d->findChild<QPushButton*>("btnUseAsItIs")->isDefault());
        EXPECT_EQ(d->findChild<QPushButton*>("btnUseAsItIs")->text(), QString::fromUtf8(UseAsItIsText));
        EXPECT_EQ(d->findChild<QPushButton*>("btnStop")->text(), QString::fromUtf8(StopText));
        d->findChild<QPushButton*>("btnUseAsItIs")->click();
    });
    EXPECT_TRUE(prompt.UseDespiteFindings("bag & co.dat", findings));
    EXPECT_TRUE(lead.contains("bag & co.dat")) << lead.toStdString();
    for (const Finding& f : findings) {
        EXPECT_TRUE(listed.contains(QString::fromStdString(f.what))) << listed.toStdString();
        EXPECT_TRUE(listed.contains(QString::fromStdString(f.place))) << f.place;
        EXPECT_TRUE(listed.contains(QString::fromStdString(f.fix))) << f.fix;
    }

    WhenShown([](QDialog* d) { d->findChild<QPushButton*>("btnStop")->click(); });
    EXPECT_FALSE(prompt.UseDespiteFindings("a.dat", findings));
    WhenShown([](QDialog* d) {
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(d, &esc);
    });
    EXPECT_FALSE(prompt.UseDespiteFindings("a.dat", findings));
}

}  // namespace
}  // namespace vokamo

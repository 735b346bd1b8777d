#include <gtest/gtest.h>

#include <QPaintEvent>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <string>
#include <vector>

#include "ui/mainwindow/UiFirstPaint.h"

namespace vokamo {
namespace {

class PaintedWindow : public QWidget {
public:
    bool painting = false;
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override {
        painting = true;
        ++paints;
        painting = false;
    }
};

class FirstPaintHookTest : public ::testing::Test {
protected:
    PaintedWindow window;
    QTimer deadline;
    std::vector<std::string> order;
};

TEST_F(FirstPaintHookTest, RunsOnceAfterTheFirstPaintAndNotInsideIt) {
    bool insidePaint = true;
    int runs = 0;
    FirstPaintHook hook(window, deadline, [&] {
        ++runs;
        insidePaint = window.painting;
        EXPECT_GE(window.paints, 1);
    });
    QCoreApplication::processEvents();
    EXPECT_EQ(runs, 0) << "nothing has been painted yet";
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTRY_COMPARE(runs, 1);
    EXPECT_FALSE(insidePaint);
    window.repaint();
    window.update();
    QTest::qWait(20);
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(hook.Done());
}

TEST_F(FirstPaintHookTest, DeadlineTickBeforeAnyPaintRunsTheWorkBeforeTheTickHandler) {
    QObject::connect(&deadline, &QTimer::timeout, [&] { order.push_back("tick"); });
    FirstPaintHook hook(window, deadline, [&] { order.push_back("work"); });
    deadline.start(1);
    QTRY_VERIFY(order.size() >= 2);
    deadline.stop();
    EXPECT_EQ(order[0], "work");
    EXPECT_EQ(order[1], "tick");
    EXPECT_EQ(std::count(order.begin(), order.end(), "work"), 1);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(20);
    EXPECT_EQ(std::count(order.begin(), order.end(), "work"), 1) << "a later paint runs it again";
}

TEST_F(FirstPaintHookTest, PaintThenTickBeforeTheQueuedRunStillRunsOnce) {
    int runs = 0;
    FirstPaintHook hook(window, deadline, [&] { ++runs; });
    QPaintEvent paint(QRect(0, 0, 1, 1));
    QCoreApplication::sendEvent(&window, &paint);  // queues the run
    hook.RunNow();                                 // the deadline got there first
    EXPECT_EQ(runs, 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(runs, 1);
}

TEST_F(FirstPaintHookTest, WindowGoneBeforeThePaintLeavesTheHookSafe) {
    int runs = 0;
    auto* shortLived = new PaintedWindow;
    {
        FirstPaintHook hook(*shortLived, deadline, [&] { ++runs; });
        delete shortLived;
        hook.RunNow();
    }
    EXPECT_EQ(runs, 1);
}

}  // namespace
}  // namespace vokamo

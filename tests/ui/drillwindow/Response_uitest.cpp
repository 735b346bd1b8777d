// Measures the time from a key press to the repainted input line. Runs only
// when VOKAMO_MEASURE is set, prints its figures and asserts nothing about
// time, so a loaded machine never fails the suite.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QWindow>
#include <algorithm>
#include <cstdio>

#include "DrillWindowFixture.h"

namespace vokamo::test {
namespace {

class PaintWatch : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted = true;
        return QObject::eventFilter(watched, event);
    }
    bool painted = false;
};

class DrillWindowResponse : public DrillWindowTest {};

TEST_F(DrillWindowResponse, KeyPressToRepaint) {
    if (qEnvironmentVariableIsEmpty("VOKAMO_MEASURE")) GTEST_SKIP() << "set VOKAMO_MEASURE=1 to measure";
    Load({{1, "ライオン", "", "@lionlionlionlionlionlionlion", ""}});
    Start();
    QCoreApplication::processEvents();
    PaintWatch watch;
    Label("w2")->installEventFilter(&watch);
    window->findChild<QWidget*>("pnlQues")->installEventFilter(&watch);

    std::vector<double> micros;
    for (int n = 0; n < 400; ++n) {
        const bool erase = n % 25 == 24;
        watch.painted = false;
        QElapsedTimer clock;
        clock.start();
        if (erase)
            Stroke(Qt::Key_Delete, Qt::NoModifier, QString());
        else
            Stroke(Qt::Key_L, Qt::NoModifier, QStringLiteral("l"));
        while (!watch.painted && clock.elapsed() < 1000) QCoreApplication::processEvents();
        ASSERT_TRUE(watch.painted) << "stroke " << n << " visible " << window->isVisible() << " exposed "
                                   << (window->windowHandle() && window->windowHandle()->isExposed());
        micros.push_back(static_cast<double>(clock.nsecsElapsed()) / 1000.0);
    }
    std::sort(micros.begin(), micros.end());
    std::printf("key press to repaint, %zu strokes: median %.0f us, 95%% %.0f us, max %.0f us\n",
                micros.size(), micros[micros.size() / 2], micros[micros.size() * 95 / 100], micros.back());
}

}  // namespace
}  // namespace vokamo::test

// The smallest Qt Widgets program: one label in a window. tools/startup_bench.sh
// times how long it takes to show, as the yardstick for the program's own start.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("Hello"));
    label.setWindowTitle(QStringLiteral("MinimalQt"));
    label.resize(200, 80);
    label.show();
    return app.exec();
}

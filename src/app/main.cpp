#include <QApplication>
#include <QWidget>

#include "platform/UiFonts.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    vokamo::InstallFontSubstitutions();
    QWidget w;
    w.setWindowTitle(QStringLiteral("Vantory"));
    w.setFixedSize(716, 479);
    w.setStyleSheet(QStringLiteral("background-color: rgb(169, 213, 214);"));
    w.show();
    return app.exec();
}

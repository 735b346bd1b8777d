#include "ui/platform/UiHelpViewer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTextBrowser>

#include "ui/platform/UiFonts.h"
#include "ui/platform/UiProgramFiles.h"

namespace vokamo {

namespace {

QString Decode(const QByteArray& bytes) {
    // Our own help is UTF-8; a teacher's file written on a Japanese Windows
    // machine is usually Shift-JIS.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) return text;
    return ToQt(bytes.toStdString());
}

}  // namespace

QString LoadHelpText(const QString& fileName) {
    if (fileName.isEmpty() || fileName.contains(QLatin1Char('/'))) return {};
    QFile local(QDir::current().filePath(fileName));
    QFile builtIn(QStringLiteral(":/help/") + fileName);
    // A help file of the folder is a page of text: a regular file of a size a
    // help window can hold, or the built-in help is shown.
    constexpr qint64 MaxHelpBytes = 8 << 20;
    const QFileInfo localInfo(local);
    QFile& file = localInfo.isFile() && localInfo.size() <= MaxHelpBytes ? local : builtIn;
    if (!file.open(QIODevice::ReadOnly)) {
        qCInfo(FilesLog).noquote() << "help" << fileName << "missing";
        return {};
    }
    qCInfo(FilesLog).noquote() << "help" << fileName << QFileInfo(file).absoluteFilePath();
    QString text = Decode(file.readAll());
    if (!Qt::mightBeRichText(text)) text = Qt::convertFromPlainText(text);
    return text;
}

UiHelpViewer::UiHelpViewer(QWidget* parentWidget) : parent_(parentWidget) {}

void UiHelpViewer::ShowHelp(const std::string& fileName) {
    if (!browser_) {
        // A top-level window owned by the main window: it closes with the
        // program but never blocks it.
        browser_ = new QTextBrowser(parent_);
        browser_->setWindowFlag(Qt::Window);
        browser_->setWindowModality(Qt::NonModal);
        browser_->setAttribute(Qt::WA_DeleteOnClose, false);
        browser_->setOpenExternalLinks(false);
        browser_->resize(640, 560);
        QFont font(QString::fromUtf8(GothicP));
        font.setPixelSize(15);
        browser_->setFont(font);
    }
    const QString name = QString::fromStdString(fileName);
    QString html = LoadHelpText(name);
    if (html.isEmpty())
        html = QStringLiteral("<p>") +
               QString::fromUtf8("ヘルプ ファイル「%1」が見つかりません。").arg(name.toHtmlEscaped()) +
               QStringLiteral("</p>");
    browser_->setWindowTitle(QString::fromUtf8("Vantory ヘルプ"));
    browser_->setHtml(html);
    browser_->show();
    browser_->raise();
    browser_->activateWindow();
}

}  // namespace vokamo

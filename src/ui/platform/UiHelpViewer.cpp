#include "ui/platform/UiHelpViewer.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTextBrowser>
#include <optional>

#include "core/state/FileGuard.h"
#include "ui/platform/UiFonts.h"
#include "ui/platform/UiProgramFiles.h"
#include "ui/platform/UiText.h"

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

// A help file of the folder: a regular file of a size a help window can
// hold, read to that size and one byte more whatever its size claims (a
// link into /proc says 0). nullopt when it cannot be used.
std::optional<QByteArray> ReadLocalHelp(const QString& path) {
    constexpr uint64_t MaxHelpBytes = 8 << 20;
    const std::string fsPath = QFile::encodeName(path).toStdString();
    try {
        const int fd = OpenForReading(fsPath, path.toStdString(), MaxHelpBytes);
        if (fd < 0) return std::nullopt;
        std::string bytes;
        int err = 0;
        const ReadEnd end = ReadBounded(fd, MaxHelpBytes, bytes, err);
        ::close(fd);
        if (end != ReadEnd::Whole) return std::nullopt;
        return QByteArray::fromStdString(bytes);
    } catch (const std::exception&) {
        return std::nullopt;  // a folder, a device, too large
    }
}

}  // namespace

QString LoadHelpText(const QString& fileName) {
    if (fileName.isEmpty() || fileName.contains(QLatin1Char('/'))) return {};
    const QString localPath = QDir::current().filePath(fileName);
    std::optional<QByteArray> bytes = ReadLocalHelp(localPath);
    QString used = QFileInfo(localPath).absoluteFilePath();
    if (!bytes) {
        QFile builtIn(QStringLiteral(":/help/") + fileName);
        if (!builtIn.open(QIODevice::ReadOnly)) {
            qCInfo(FilesLog).noquote() << "help" << fileName << "missing";
            return {};
        }
        bytes = builtIn.readAll();
        used = builtIn.fileName();
    }
    qCInfo(FilesLog).noquote() << "help" << fileName << used;
    QString text = Decode(*bytes);
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

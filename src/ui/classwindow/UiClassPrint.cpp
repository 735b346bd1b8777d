#include "ui/classwindow/UiClassPrint.h"

#include <QDateTime>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

#include "core/classview/ClassExport.h"
#include "ui/platform/UiFonts.h"

namespace vokamo {

namespace {

constexpr qreal MarginMm = 12;
constexpr int PointSize = 9;

}  // namespace

std::unique_ptr<QTextDocument> ClassPageDocument(const ClassOverview& overview, const QString& printedAt) {
    auto doc = std::make_unique<QTextDocument>();
    QFont font(QString::fromUtf8(GothicP));
    font.setPointSize(PointSize);
    doc->setDefaultFont(font);
    doc->setHtml(QString::fromStdString(ClassPrintHtml(overview, printedAt.toStdString())));
    return doc;
}

void PrintClass(const ClassOverview& overview, QPagedPaintDevice& device) {
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(MarginMm, MarginMm, MarginMm, MarginMm),
                                     QPageLayout::Millimeter));
    const auto doc = ClassPageDocument(
        overview, QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")));
    doc->print(&device);
}

bool WriteClassPdf(const ClassOverview& overview, const QString& path, std::string* why) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        if (why)
            *why = "PDF ファイル「" + path.toStdString() + "」を書けません（" +
                   file.errorString().toStdString() + "）。";
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setTitle(QString::fromUtf8(ClassWindowTitle));
        writer.setCreator(QStringLiteral("Vokamo"));
        PrintClass(overview, writer);
    }
    if (!file.flush() || file.error() != QFileDevice::NoError) {
        if (why)
            *why = "PDF ファイル「" + path.toStdString() + "」を書けません（" +
                   file.errorString().toStdString() + "）。";
        return false;
    }
    return true;
}

}  // namespace vokamo

#pragma once

#include <QString>
#include <memory>

#include "core/classview/ClassSummary.h"

class QPagedPaintDevice;
class QTextDocument;

namespace vokamo {

// The printed pages as a text document in the print font; printedAt heads
// each page.
std::unique_ptr<QTextDocument> ClassPageDocument(const ClassOverview& overview, const QString& printedAt);

// Lays the printed class overview (one A4 page per question file) out on a
// printer or a PDF writer. The page's texts come from the core.
void PrintClass(const ClassOverview& overview, QPagedPaintDevice& device);

// Writes the overview as an A4 PDF file. False, with why in Japanese
// (UTF-8) in *why, when the file cannot be written.
bool WriteClassPdf(const ClassOverview& overview, const QString& path, std::string* why);

}  // namespace vokamo

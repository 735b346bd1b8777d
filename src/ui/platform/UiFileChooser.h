#pragma once

#include <QString>
#include <optional>
#include <string>

#include "core/platform/Platform.h"

class QFileDialog;
class QWidget;

namespace vokamo {

// The program writes its filters as "description|pattern" pairs ("成績 |*.ret");
// Qt wants "description (pattern)". A filter that already has Qt's form is
// kept.
QString QtFileFilter(const std::string& utf8Filter);

// The chosen path as the core keeps it (Shift-JIS), or nullopt when the path
// holds characters Shift-JIS cannot write.
std::optional<std::string> CorePath(const QString& path);

// Runs a file dialog of ours (Qt's own, with room for whole names) until the
// pupil cancels or picks a name that the records can keep; a name they cannot
// keep is refused with a message naming the character, and the dialog stays.
std::optional<std::string> ExecForUsablePath(QFileDialog& dialog);

class UiFileChooser : public FileChooser {
public:
    explicit UiFileChooser(QWidget* parent);
    std::optional<std::string> ChooseFile(const std::string& title, const std::string& filter) override;

private:
    std::optional<std::string> RunDialog(const std::string& title, const std::string& filter);
    QWidget* parent_;
};

}  // namespace vokamo

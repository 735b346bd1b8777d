#pragma once

#include <string>

namespace vokamo {

// Why the typed record name sjisName cannot become the new record file
// "<name>.ret" in the folder fsFolder (a file-system path), as a message for
// the learner (UTF-8); empty when the name is fine. A name must be a plain
// file name, and an existing record is never replaced by a new one.
std::string RecordNameProblem(const std::string& sjisName, const std::string& fsFolder);

// The record file name for a typed record name: the name followed by ".ret".
std::string RecordFileName(const std::string& sjisName);

// True when the name field can hold utf8Text: every character exists in
// the Shift-JIS code page and the text takes at most PlayerFieldBytes bytes
// (6 full-width characters).
bool NameFieldAccepts(const std::string& utf8Text);

// Why the file at utf8Path, as the file system spells it, cannot be named
// on a record's line, as a message that names the character (UTF-8); empty
// when it can. The line is Shift-JIS and must open the same file again, and
// a control character (a CR above all) would break the record's lines.
std::string ChosenPathProblem(const std::string& utf8Path);

// The message for a typed name that holds a character Shift-JIS cannot
// hold (an emoji, a Korean letter); empty when there is none.
std::string UnholdableNameProblem(const std::string& utf8Text);

}  // namespace vokamo

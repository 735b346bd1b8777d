#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

namespace vokamo {

// One thing wrong in a file, as a teacher needs to hear it: the line (0 when
// it concerns the whole file), whether the file is refused or only a pupil
// will meet trouble, what is wrong in Japanese and in English, and, where
// the message alone does not say it, how to put it right.
struct Problem {
    bool warning = false;
    int line = 0;
    std::string ja;
    std::string en;
    std::string fixJa;
    std::string fixEn;
};

// Every failure that ends an operation with a message for the learner is one
// of these. The message is UTF-8 and is shown as it stands in the error box.
class VokamoError : public std::runtime_error {
public:
    explicit VokamoError(const std::string& message);
    // A refusal met at a place in a file; the message names the file and line.
    VokamoError(const std::string& message, Problem where);

    // The place and the cause on their own, for the question-file checker;
    // null for failures that have no place in a file.
    const Problem* Where() const { return where_.get(); }

private:
    std::shared_ptr<const Problem> where_;
};

// A file that cannot be opened, read or written.
class FileError : public VokamoError {
public:
    using VokamoError::VokamoError;
};

// A field that is not a decimal integer: "'%s' は数値ではありません".
class ConversionError : public VokamoError {
public:
    // text is the offending field in Shift-JIS.
    explicit ConversionError(const std::string& sjisText);
    ConversionError(const std::string& message, Problem where);
};

// A question data file that breaks one of the table limits, or holds an
// item no pupil could ever answer right.
class LimitError : public VokamoError {
public:
    using VokamoError::VokamoError;
};

// Why a file operation failed, in words for the learner (UTF-8, no
// brackets): the system's own reasons are English, which a pupil cannot
// read. Every cause a file operation can meet has its own words; anything
// else is named a system error with its number, for whoever helps her.
std::string JapaneseReason(int err);

// Parses a decimal integer the way the files need it: optional leading
// spaces, optional sign, digits, nothing after. Throws ConversionError.
int32_t ToInt(const std::string& sjisText);

// The program's own text for a field that is no number, for messages that add
// the place to it.
std::string NotANumberText(const std::string& sjisText);

}  // namespace vokamo

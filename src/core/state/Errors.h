#pragma once

#include <stdexcept>
#include <string>

namespace vokamo {

// Every failure that ends an operation with a message for the learner is one
// of these. The message is UTF-8 and is shown as it stands in the error box.
class VokamoError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
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
};

// A question data file that breaks one of the table limits.
class LimitError : public VokamoError {
public:
    using VokamoError::VokamoError;
};

// Parses a decimal integer the way the files need it: optional leading
// spaces, optional sign, digits, nothing after. Throws ConversionError.
int32_t ToInt(const std::string& sjisText);

}  // namespace vokamo

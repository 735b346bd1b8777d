#include "core/state/Kinds.h"

#include <stdexcept>

namespace vokamo {

KindTraits TraitsOf(DataKind kind) {
    switch (kind) {
        case DataKind::Plain:
            return {.lessons = false, .codes = false, .typedItems = false, .explanations = false};
        case DataKind::Lessons:
            return {.lessons = true, .codes = false, .typedItems = false, .explanations = true};
        case DataKind::LessonsCodes:
            return {.lessons = true, .codes = true, .typedItems = false, .explanations = true};
        case DataKind::Mixed:
            return {.lessons = true, .codes = true, .typedItems = true, .explanations = true};
    }
    // Only a value cast from a number no file reader lets through.
    throw std::logic_error("unknown data kind");
}

std::optional<DataKind> DataKindFromNumber(int32_t number) {
    for (const DataKind kind : {DataKind::Plain, DataKind::Lessons, DataKind::LessonsCodes, DataKind::Mixed})
        if (static_cast<int32_t>(kind) == number) return kind;
    return std::nullopt;
}

std::optional<QuestionType> QuestionTypeFromCode(int32_t code) {
    for (const QuestionType type : {QuestionType::Choice, QuestionType::KeyInput})
        if (static_cast<int32_t>(type) == code) return type;
    return std::nullopt;
}

std::optional<QuestionType> QuestionTypeOfItem(DataKind kind, int32_t code) {
    if (HasTypedItems(kind)) return QuestionTypeFromCode(code);
    return QuestionType::KeyInput;
}

}  // namespace vokamo

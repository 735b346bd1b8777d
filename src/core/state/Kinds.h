#pragma once

#include <cstdint>
#include <optional>

namespace vokamo {

// What a question data file holds around its items. The files carry it as
// the last digit of the type code; inside the program it is only this type.
enum class DataKind : int32_t {
    Plain = 0,         // one lesson holding every item, no second codes
    Lessons = 1,       // lessons named in the file
    LessonsCodes = 2,  // lessons and second codes
    Mixed = 3,         // lessons and second codes; an item's code is its question type
};

// How a question is answered. In a file of kind Mixed the item's second code
// says it (0 choice, 1 key input); every other kind asks by key input.
enum class QuestionType : int32_t {
    Choice = 0,
    KeyInput = 1,
};

// What a kind brings. Every rule that differs between kinds asks this rather
// than the kind itself, so a new kind is decided here once.
struct KindTraits {
    bool lessons = false;       // lesson names, a lesson per item, range by lesson
    bool codes = false;         // second-code names, a code per item, range by code, focus switch
    bool typedItems = false;    // the code is the question type; items carry a choices line
    bool explanations = false;  // every item has an explanation line
};
KindTraits TraitsOf(DataKind kind);

inline bool HasLessons(DataKind kind) {
    return TraitsOf(kind).lessons;
}
inline bool HasCodes(DataKind kind) {
    return TraitsOf(kind).codes;
}
inline bool HasTypedItems(DataKind kind) {
    return TraitsOf(kind).typedItems;
}
inline bool HasExplanations(DataKind kind) {
    return TraitsOf(kind).explanations;
}

// The kind for the number a file gives (the type code's last digit); empty
// for a number no kind has.
std::optional<DataKind> DataKindFromNumber(int32_t number);

// The question type for a code a file gives; empty for a code no type has.
std::optional<QuestionType> QuestionTypeFromCode(int32_t code);

// The question type of an item with the second code `code` in data of `kind`.
// Empty when the code names no type, so that no question can be shown.
std::optional<QuestionType> QuestionTypeOfItem(DataKind kind, int32_t code);

}  // namespace vokamo

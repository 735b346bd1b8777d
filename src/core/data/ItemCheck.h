#pragma once

#include "core/data/DataReader.h"
#include "core/state/Kinds.h"

namespace vokamo {

// The text lines of one item. Fields an item kind does not have stay empty
// (line 0).
struct ItemFields {
    DataKind kind = DataKind::Plain;
    bool choice = false;  // a multiple-choice item
    Field answer;
    Field choices;
    Field question;
    Field explanation;
};

// Refuses, through the reader, an item that no pupil could ever answer
// right, and in a check also warns of what will trouble a pupil.
void CheckItem(DataReader& r, const ItemFields& item);

// A line that will be cut at its field's capacity: only a check warns.
void CheckCut(DataReader& r, const Field& f, size_t capacity);

}  // namespace vokamo

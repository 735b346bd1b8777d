#pragma once

#include <QString>

#include "core/state/ProgramState.h"

class QWidget;

namespace vokamo::test {

// A kind-3 data set with the given numbers of lessons and codes, all in
// range, and items spread over them round-robin.
void FillCodedData(ProgramState& st, int lessons, int codes, int items);

// Saves what the widget shows into the build folder for a look by eye.
void SaveScreenshot(QWidget* w, const QString& name);

// True when ItemOrder[0..ItemCount-1] holds every item once.
bool OrderIsPermutation(const ProgramState& st);
bool OrderIsIdentity(const ProgramState& st);

}  // namespace vokamo::test

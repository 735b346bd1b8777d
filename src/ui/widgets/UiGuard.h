#pragma once

#include <functional>

namespace vokamo {

class ErrorBox;

// The one place where the windows catch what the core throws. Every entry
// from Qt into the core (a button, a key, a mouse press, a timer tick, a
// window closing) runs its body through Guard, so that no exception ever
// unwinds through Qt's event loop:
//   - body runs; anything it throws is caught here, whatever its type;
//   - after a failure, resync brings the window back in step with the state
//     the failure left behind (the drill window draws the drill's screen
//     again), so that what the pupil sees behind the box is true;
//   - then the error box shows the message, and the program goes on.
// A further failure while an error box is still open adds no second box on
// top of it: a timer that fails on every tick would otherwise pile them up,
// each inside the event loop of the one before.
void Guard(ErrorBox& errors, const std::function<void()>& body, const std::function<void()>& resync = {});

// The message for a failure that carries none of its own.
extern const char* const UnknownFailureMessage;

}  // namespace vokamo

#include "ui/widgets/UiGuard.h"

#include <exception>
#include <optional>
#include <string>

#include "core/platform/Platform.h"

namespace vokamo {

const char* const UnknownFailureMessage = "予期しないエラーが起きました。";

namespace {

bool boxOpen = false;

// Runs a step and returns the message of what it threw, if anything.
std::optional<std::string> Failure(const std::function<void()>& step) {
    try {
        step();
    } catch (const std::exception& e) {
        return std::string(e.what());
    } catch (...) {
        return std::string(UnknownFailureMessage);
    }
    return std::nullopt;
}

}  // namespace

void Guard(ErrorBox& errors, const std::function<void()>& body, const std::function<void()>& resync) {
    const std::optional<std::string> failure = Failure(body);
    if (!failure) return;
    // A resync that fails as well has nothing new to tell: the box shows the
    // failure that started it.
    if (resync) Failure(resync);
    if (boxOpen) return;
    boxOpen = true;
    // Not even a failing error box may end the program.
    Failure([&] { errors.ShowError(*failure); });
    boxOpen = false;
}

}  // namespace vokamo

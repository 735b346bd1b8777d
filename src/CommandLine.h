#pragma once

#include <optional>

namespace vokamo {

// The uses of the program that open no window: "--check FILE..." checks
// question files, "--help" lists the options. They run before anything of
// the window system is made, so they also work without a display. Returns the
// exit status for those; nullopt when the window program is to start.
std::optional<int> RunCommandLine(int argc, char** argv);

}  // namespace vokamo

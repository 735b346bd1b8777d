#pragma once

#include <map>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/data/DataCheck.h"

namespace vokamo {

// LanguageFromLocale (core/data/DataCheck.h) decides the language of every
// message here.

// The command line as read: every option of the program that was given, in
// any position, with its values; and the toolkit's own options (-platform,
// -display, -session ...), which are left to the toolkit.
class CommandLine {
public:
    bool Has(std::string_view option) const { return options_.find(option) != options_.end(); }
    // The values given to the option, in order; empty when it has none or is absent.
    const std::vector<std::string>& Values(std::string_view option) const;
    // The first value, or an empty text.
    std::string Value(std::string_view option) const;

    void Add(std::string_view option) { options_[std::string(option)]; }
    void AddValue(std::string_view option, std::string value) {
        options_[std::string(option)].push_back(std::move(value));
    }

    // The toolkit's options as given, their values included.
    std::vector<std::string> toolkitOptions;

private:
    std::map<std::string, std::vector<std::string>, std::less<>> options_;
};

// How many words after an option are its values. A value never looks like
// an option ("-x"); "--name=value" gives one value to any option that takes
// values.
enum class ValueCount {
    None,
    Optional,   // the next word, when there is one that is not an option
    One,        // the next word, which must be there
    Many,       // every following word up to the next option, perhaps none
    OneOrMore,  // the same, at least one
};

// What a command gets to work with; its output goes to out, its complaints
// to err, in the user's language.
struct CommandContext {
    const CommandLine& line;
    ReportLanguage language;
    std::ostream& out;
    std::ostream& err;
};

// A command runs instead of the window and returns the exit status.
using CommandHandler = int (*)(const CommandContext&);

// One option of the program. The table of them (ProgramOptions) is the one
// place an option is added: the reading of the command line, the check of
// what may go together, and the --help list all come from it.
struct OptionSpec {
    std::string_view name;   // "--check"
    std::string_view alias;  // "-h", or empty
    ValueCount values;
    std::string_view valueJa;  // how --help names the values: "ファイル..."
    std::string_view valueEn;  // "FILE..."
    std::string_view helpJa;   // lines of the --help list, '\n' between them
    std::string_view helpEn;
    // Set for the options that open no window and need no display; the
    // handler runs with the whole command line, so it reads the options that
    // go with it. Null for the options that change how the window starts and
    // for the ones that only modify a command.
    CommandHandler command = nullptr;
    // For an option that only means something beside others: their names,
    // separated by spaces. Given without any of them, it is a usage error.
    std::string_view onlyWith = {};
};

std::span<const OptionSpec> ProgramOptions();

// Exit status of a command line that cannot be understood (as sysexits.h's
// EX_USAGE): the reason and the usage are printed to stderr.
inline constexpr int kUsageError = 64;

// Reads the command line into `parsed` and runs the command it asks for:
// --help, --version, --check ... Returns that command's exit status (or
// kUsageError); nullopt when the window program is to start with `parsed`.
// Nothing of the window system is touched, so this works without a display.
std::optional<int> RunCommandLine(int argc, const char* const* argv, CommandLine& parsed, std::ostream& out,
                                  std::ostream& err);

// The list of options, for --help and for a usage error.
void PrintUsage(std::ostream& out, ReportLanguage language);

// Whether the environment or the command line names a display or a
// platform to open the window on. When one is named but cannot be reached,
// the toolkit finds out as it starts.
bool DisplayNamed(const CommandLine& line);

// What the user is told when there is no display to open the window on.
std::string NoDisplayMessage(ReportLanguage language);

}  // namespace vokamo

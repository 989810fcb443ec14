#pragma once
// How a feature describes its command-line commands: app/ parses the words against every
// feature's description, builds --help from them and runs the one asked for.

#include "common/DatePattern.h"
#include "common/DateTime.h"
#include "platform/FileStore.h"
#include "platform/MappedFile.h"
#include "platform/Processor.h"
#include "platform/SystemFacts.h"

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace veskor {

// A command line that cannot be understood; its text is the one-line explanation.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What a running command may ask for. app/ makes each service only when a command asks for it.
class CommandContext {
public:
    virtual ~CommandContext() = default;
    // The folder of the data files.
    [[nodiscard]] virtual std::filesystem::path dataDir() const = 0;
    virtual IFileStore& files() = 0;
    virtual DateTime now() = 0;
    virtual LocaleFormat locale() = 0;
    virtual IProcessor& processor() = 0;
    virtual ISystemFacts& systemFacts() = 0;
    // The screen's facts, from the display when one answers; empty without.
    virtual IScreenFacts& screenFacts() = 0;
    virtual const IMappedFiles& mappedFiles() = 0;
    virtual std::ostream& out() = 0;
    virtual std::ostream& err() = 0;
};

// A command understood and ready to run; returns the exit status.
using CommandRun = std::function<int(CommandContext&)>;

// The words after the command's own: its arguments and the values of its options by name
// ("" for an option without a value).
struct CommandArgs {
    std::vector<std::string> arguments;
    std::map<std::string, std::string, std::less<>> options;

    [[nodiscard]] std::optional<std::string> option(std::string_view name) const;
    bool operator==(const CommandArgs&) const = default;
};

struct CommandOption {
    std::string name;       // "--year"
    std::string help;       // its lines in --help's option list, or empty for none
    bool takesValue = true; // "--name VALUE"; otherwise a switch
};

struct CommandDescription {
    std::string word;    // "find"
    std::string usage;   // what follows "veskor " in --help: "find NAME [--year YYYY]"
    std::string summary; // what the command prints, in a few words
    std::string example; // what follows "veskor " in --help's examples
    // Its entry in the manual page after the usage line, in the page's markup: what it prints,
    // and an example.
    std::string manual;
    std::vector<CommandOption> options;
    // Checks the arguments and options (throws UsageError) and returns the run.
    std::function<CommandRun(const CommandArgs& args)> parse;
};

// A window --screenshot --window draws instead of the bar; takesFile: it shows the FILE argument.
struct WindowWord {
    std::string word;
    bool takesFile = false;
};

// "YYYY-MM-DD"; throws UsageError.
DateTime parseIsoDate(const std::string& text);
// "YYYY-MM-DD hh:mm:ss"; throws UsageError.
DateTime parseIsoDateTime(const std::string& text);
// "YYYY-MM", the years the calendar shows (1900 to 2100), as the month's 1st; throws UsageError.
DateTime parseIsoMonth(const std::string& text);
std::string formatIsoDate(DateTime date);

// The argument of a command that takes at most one: nullopt without; throws "too many arguments".
std::optional<std::string> optionalArgument(const CommandArgs& args);
// The one optional argument as a day "YYYY-MM-DD"; throws as optionalArgument and parseIsoDate.
std::optional<DateTime> optionalDateArgument(const CommandArgs& args);
// Nothing more for a command without arguments; throws "unexpected argument '<first>'".
void noArguments(const CommandArgs& args);
// The one argument a command needs; throws "<missing>" without it, "too many arguments" with more.
std::string requiredArgument(const CommandArgs& args, const std::string& missing);

} // namespace veskor

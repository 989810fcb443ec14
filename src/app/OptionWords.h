#pragma once
// The words of a command line sorted into options and arguments, before they are judged.

#include "app/CommandLine.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace veskor {

// The forms a command line takes, as its errors name them (in the user's language).
std::string barForm();
// NOLINTBEGIN(cert-err58-cpp): made before main, where only a lack of memory could fail them
inline const std::string kScreenshotForm = "--screenshot";
inline const std::string kAutostartForm = "--autostart";
// NOLINTEND(cert-err58-cpp)
std::string commandForm(const std::string& word);

struct OptionSpec {
    std::string name;
    bool takesValue = false;
    std::vector<std::string> owners; // the forms it belongs to; empty for every form
    bool optionalValue = false;      // takes "on" or "off" when one follows
};

// The program's own options, then every command's.
std::vector<OptionSpec> optionSpecs(const std::vector<CommandDescription>& commands);

struct OptionWords {
    std::map<std::string, std::string, std::less<>> options; // by OptionSpec::name
    std::vector<std::string> arguments;
    std::optional<CommandLine::Mode> helpOrVersion; // the first of them
    std::optional<std::string> problem;             // the first word that could not be read
};

// Sorts without judging yet, so that --help and --version can win over any mistake: an option
// unknown, malformed, given twice or without its value is only noted as the problem.
OptionWords sortWords(const std::vector<std::string>& args, const std::vector<OptionSpec>& specs);

} // namespace veskor

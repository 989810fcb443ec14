#include "app/CommandLine.h"

#include "app/OptionWords.h"

#include <algorithm>
#include <string_view>

namespace veskor {

namespace {

std::string joined(const std::vector<std::string>& items, std::string_view separator) {
    std::string text;
    for (const std::string& item : items) {
        text += (text.empty() ? "" : std::string(separator)) + item;
    }
    return text;
}

} // namespace

bool CommandLine::operator==(const CommandLine& other) const {
    return std::tie(mode, dataDir, command, args, at, screenshotFile, panel, window, file,
                    autostart, menu) == std::tie(other.mode, other.dataDir, other.command,
                                                 other.args, other.at, other.screenshotFile,
                                                 other.panel, other.window, other.file,
                                                 other.autostart, other.menu);
}

CommandLine parseCommandLine(const std::vector<std::string>& args, const CommandWords& known) {
    const std::vector<OptionSpec> specs = optionSpecs(known.commands);
    OptionWords words = sortWords(args, specs);
    CommandLine cl;
    if (words.helpOrVersion) {
        cl.mode = *words.helpOrVersion;
        return cl;
    }
    if (words.problem) {
        throw UsageError(*words.problem);
    }
    const auto value = [&words](std::string_view name) -> const std::string* {
        const auto it = words.options.find(name);
        return it == words.options.end() ? nullptr : &it->second;
    };

    const WindowWord* window = nullptr;
    if (const std::string* word = value("--window")) {
        const auto found = std::ranges::find(known.windows, *word, &WindowWord::word);
        if (found == known.windows.end()) {
            std::vector<std::string> names;
            std::ranges::transform(known.windows, std::back_inserter(names), &WindowWord::word);
            throw UsageError("unknown window '" + *word + "' (" + joined(names, ", ") + ")");
        }
        window = &*found;
    }

    auto next = words.arguments.begin();
    const CommandDescription* command = nullptr;
    // The file a window shows may be named like a command ("veskor --window fileinfo day").
    const bool firstIsFile = window != nullptr && window->takesFile;
    if (next != words.arguments.end() && !firstIsFile) {
        const auto found = std::ranges::find(known.commands, *next, &CommandDescription::word);
        if (found == known.commands.end()) {
            throw UsageError("unknown command '" + *next + "'");
        }
        command = &*found;
        cl.mode = CommandLine::Mode::Command;
        cl.command = command->word;
        ++next;
    }
    std::string form = command != nullptr ? commandForm(command->word) : kBarForm;
    for (const auto& [option, mode] : {std::pair{kScreenshotForm, CommandLine::Mode::Screenshot},
                                       std::pair{kAutostartForm, CommandLine::Mode::Autostart}}) {
        if (words.options.contains(option)) {
            if (cl.mode != CommandLine::Mode::Bar) {
                throw UsageError("option " + option + " does not belong to " + form);
            }
            cl.mode = mode;
            form = option;
        }
    }
    for (const auto& [name, text] : words.options) {
        const auto spec = std::ranges::find(specs, name, &OptionSpec::name);
        if (!spec->owners.empty() && std::ranges::find(spec->owners, form) == spec->owners.end()) {
            throw UsageError("option " + name + " belongs to " + joined(spec->owners, " and ") +
                             ", not to " + form);
        }
    }

    if (const std::string* dir = value("--data-dir")) {
        cl.dataDir = *dir;
    }
    if (const std::string* file = value("--screenshot")) {
        cl.screenshotFile = *file;
    }
    if (const std::string* at = value("--at")) {
        cl.at = parseIsoDateTime(*at);
    }
    if (const std::string* panel = value("--panel")) {
        if (std::ranges::find(known.panels, *panel) == known.panels.end()) {
            throw UsageError("unknown panel '" + *panel + "' (" + joined(known.panels, ", ") + ")");
        }
        cl.panel = *panel;
    }
    cl.menu = words.options.contains("--menu");
    if (window != nullptr) {
        // A window is drawn instead of the bar: a strip or the menu would not be in the picture.
        if (!cl.panel.empty() || cl.menu) {
            throw UsageError(std::string("option --window does not go with ") +
                             (cl.menu ? "--menu" : "--panel"));
        }
        cl.window = window->word;
    }
    if (const std::string* autostart = value("--autostart")) {
        if (!autostart->empty() && *autostart != "on" && *autostart != "off") {
            throw UsageError("--autostart takes on or off, not '" + *autostart + "'");
        }
        cl.autostart = *autostart;
    }

    const std::vector<std::string> left(next, words.arguments.end());
    if (command != nullptr) {
        cl.args.arguments = left;
        for (const CommandOption& option : command->options) {
            if (const std::string* given = value(option.name)) {
                cl.args.options.emplace(option.name, *given);
            }
        }
        cl.run = command->parse(cl.args);
    } else if (firstIsFile && cl.mode == CommandLine::Mode::Screenshot) {
        if (left.size() != 1) {
            throw UsageError(left.empty() ? "--window " + window->word + " needs a FILE"
                                          : "too many arguments");
        }
        cl.file = left.front();
    } else if (!left.empty()) {
        throw UsageError("unexpected argument '" + left.front() + "'");
    }
    return cl;
}

} // namespace veskor

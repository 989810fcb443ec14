#include "app/CommandLine.h"

#include "app/OptionWords.h"

#include <QCoreApplication>
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

QString q(const std::string& text) {
    return QString::fromStdString(text);
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
            throw UsageError(QCoreApplication::translate("CommandLine", "unknown window '%1' (%2)")
                                 .arg(q(*word), q(joined(names, ", ")))
                                 .toStdString());
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
            throw UsageError(QCoreApplication::translate("CommandLine", "unknown command '%1'")
                                 .arg(q(*next))
                                 .toStdString());
        }
        command = &*found;
        cl.mode = CommandLine::Mode::Command;
        cl.command = command->word;
        ++next;
    }
    std::string form = command != nullptr ? commandForm(command->word) : barForm();
    for (const auto& [option, mode] : {std::pair{kScreenshotForm, CommandLine::Mode::Screenshot},
                                       std::pair{kAutostartForm, CommandLine::Mode::Autostart}}) {
        if (words.options.contains(option)) {
            if (cl.mode != CommandLine::Mode::Bar) {
                throw UsageError(
                    QCoreApplication::translate("CommandLine", "option %1 does not belong to %2")
                        .arg(q(option), q(form))
                        .toStdString());
            }
            cl.mode = mode;
            form = option;
        }
    }
    for (const auto& [name, text] : words.options) {
        const auto spec = std::ranges::find(specs, name, &OptionSpec::name);
        if (!spec->owners.empty() && std::ranges::find(spec->owners, form) == spec->owners.end()) {
            throw UsageError(
                QCoreApplication::translate("CommandLine", "option %1 belongs to %2, not to %3")
                    .arg(q(name),
                         q(joined(
                             spec->owners,
                             QCoreApplication::translate("CommandLine", " and ").toStdString())),
                         q(form))
                    .toStdString());
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
            throw UsageError(QCoreApplication::translate("CommandLine", "unknown panel '%1' (%2)")
                                 .arg(q(*panel), q(joined(known.panels, ", ")))
                                 .toStdString());
        }
        cl.panel = *panel;
    }
    cl.menu = words.options.contains("--menu");
    if (window != nullptr) {
        // A window is drawn instead of the bar: a strip or the menu would not be in the picture.
        if (!cl.panel.empty() || cl.menu) {
            throw UsageError(
                QCoreApplication::translate("CommandLine", "option --window does not go with %1")
                    .arg(cl.menu ? QStringLiteral("--menu") : QStringLiteral("--panel"))
                    .toStdString());
        }
        cl.window = window->word;
    }
    if (const std::string* autostart = value("--autostart")) {
        if (!autostart->empty() && *autostart != "on" && *autostart != "off") {
            throw UsageError(
                QCoreApplication::translate("CommandLine", "--autostart takes on or off, not '%1'")
                    .arg(q(*autostart))
                    .toStdString());
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
            throw UsageError(
                (left.empty()
                     ? QCoreApplication::translate("CommandLine", "--window %1 needs a FILE")
                           .arg(q(window->word))
                     : QCoreApplication::translate("CommandLine", "too many arguments"))
                    .toStdString());
        }
        cl.file = left.front();
    } else if (!left.empty()) {
        throw UsageError(QCoreApplication::translate("CommandLine", "unexpected argument '%1'")
                             .arg(q(left.front()))
                             .toStdString());
    }
    return cl;
}

} // namespace veskor

#include "app/OptionWords.h"

#include <QCoreApplication>
#include <algorithm>
#include <string_view>

namespace veskor {

namespace {

// The word after an option that takes a value is that value, also when it begins with "-"
// ("--value -5", "--year -1"); only a long option, "--" or "-h" is not.
bool canBeValue(std::string_view word) {
    return !word.starts_with("--") && word != "-h";
}

} // namespace

std::string barForm() {
    return QCoreApplication::translate("CommandLine", "the bar").toStdString();
}

std::string commandForm(const std::string& word) {
    return QCoreApplication::translate("CommandLine", "the %1 command")
        .arg(QString::fromStdString(word))
        .toStdString();
}

std::vector<OptionSpec> optionSpecs(const std::vector<CommandDescription>& commands) {
    std::vector<OptionSpec> specs{
        {"--data-dir", true, {}},
        {"--screenshot", true, {kScreenshotForm}},
        {"--at", true, {barForm(), kScreenshotForm}},
        {"--panel", true, {kScreenshotForm}},
        {"--menu", false, {kScreenshotForm}},
        {"--window", true, {kScreenshotForm}},
        {"--autostart", true, {kAutostartForm}, true},
        {"--help", false, {}},
        {"--version", false, {}},
    };
    for (const CommandDescription& command : commands) {
        for (const CommandOption& option : command.options) {
            auto known = std::ranges::find(specs, option.name, &OptionSpec::name);
            if (known == specs.end()) {
                specs.push_back({option.name, option.takesValue, {}});
                known = specs.end() - 1;
            }
            known->owners.push_back(commandForm(command.word));
        }
    }
    return specs;
}

OptionWords sortWords(const std::vector<std::string>& args, const std::vector<OptionSpec>& specs) {
    OptionWords words;
    const auto fail = [&words](std::string text) {
        if (!words.problem) {
            words.problem = std::move(text);
        }
    };
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (optionsEnded || word.size() < 2 || word[0] != '-') {
            words.arguments.push_back(word);
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        const std::size_t equals = word.find('=');
        std::string_view name = std::string_view(word).substr(0, equals);
        if (name.find_first_not_of('-') == std::string_view::npos) {
            fail(QCoreApplication::translate("CommandLine", "malformed option '%1'")
                     .arg(QString::fromStdString(word))
                     .toStdString());
            continue;
        }
        name = name == "-h" ? "--help" : name;
        const auto spec = std::ranges::find(specs, name, &OptionSpec::name);
        if (spec == specs.end()) {
            fail(QCoreApplication::translate("CommandLine", "unknown option '%1'")
                     .arg(QString::fromStdString(std::string(name)))
                     .toStdString());
            continue;
        }
        if (spec->name == "--help" || spec->name == "--version") {
            if (!words.helpOrVersion) {
                words.helpOrVersion =
                    spec->name == "--help" ? CommandLine::Mode::Help : CommandLine::Mode::Version;
            }
            continue;
        }
        std::string value;
        if (!spec->takesValue) {
            if (equals != std::string::npos) {
                fail(QCoreApplication::translate("CommandLine", "option %1 takes no value")
                         .arg(QString::fromStdString(spec->name))
                         .toStdString());
                continue;
            }
        } else {
            // A following option is not a value: "--screenshot --menu" lacks its file.
            if (equals != std::string::npos) {
                value = word.substr(equals + 1);
            } else if (spec->optionalValue) {
                if (i + 1 < args.size() && (args[i + 1] == "on" || args[i + 1] == "off")) {
                    value = args[++i];
                }
            } else if (i + 1 < args.size() && canBeValue(args[i + 1])) {
                value = args[++i];
            }
            if (value.empty() && (!spec->optionalValue || equals != std::string::npos)) {
                fail(QCoreApplication::translate("CommandLine", "option %1 needs a value")
                         .arg(QString::fromStdString(spec->name))
                         .toStdString());
                continue;
            }
        }
        if (!words.options.emplace(spec->name, std::move(value)).second) {
            fail(QCoreApplication::translate("CommandLine", "option %1 given twice")
                     .arg(QString::fromStdString(spec->name))
                     .toStdString());
        }
    }
    return words;
}

} // namespace veskor

#include "app/Help.h"

#include <QCoreApplication>
#include <sstream>

namespace veskor {

namespace {

std::string joined(const std::vector<std::string>& items, std::string_view separator) {
    std::string text;
    for (const std::string& item : items) {
        text += (text.empty() ? "" : std::string(separator)) + item;
    }
    return text;
}

std::string padded(std::string text, std::size_t width) {
    text.resize(std::max(text.size(), width), ' ');
    return text;
}

// A text of --help, marked for lupdate where it stands.
std::string translated(const char* text) {
    return QCoreApplication::translate("Help", text).toStdString();
}

// One word of a usage line in the manual's markup: options bold, placeholders italic, brackets
// and "..." upright. `font` is the font the line is in before the word, and after it.
std::string manualWord(std::string_view word, char& font) {
    std::string text;
    if (word.starts_with('[')) {
        text += font == 'R' ? "[" : "\\fR[";
        font = 'R';
        word.remove_prefix(1);
    }
    std::string tail;
    while (word.ends_with(']') || word.ends_with('.')) {
        tail.insert(tail.begin(), word.back());
        word.remove_suffix(1);
    }
    if (word.starts_with("--")) {
        text += "\\fB\\-\\-" + std::string(word.substr(2)) + "\\fR";
    } else {
        text += "\\fI" + std::string(word) + "\\fR";
    }
    font = 'R';
    return text + tail;
}

} // namespace

std::string usage(const CommandWords& words) {
    std::vector<std::string> windows;
    for (const WindowWord& window : words.windows) {
        windows.push_back(window.word + (window.takesFile ? " FILE" : ""));
    }
    std::string text = translated(QT_TRANSLATE_NOOP(
        "Help", "Usage: veskor [--at \"YYYY-MM-DD hh:mm:ss\"]      start the bar (its clock from "
                "--at on)\n"));
    std::string optionHelp;
    std::string examples = "  veskor --at \"2026-12-08 07:04:55\"\n";
    for (const CommandDescription& command : words.commands) {
        text += padded("       veskor " + command.usage, 47) + command.summary + '\n';
        examples += "  veskor " + command.example + '\n';
        for (const CommandOption& option : command.options) {
            optionHelp += option.help;
        }
    }
    return text + "       veskor --screenshot FILE.png [--at \"YYYY-MM-DD hh:mm:ss\"]\n" +
           "                     [--panel " + joined(words.panels, "|") + "] [--menu]\n" +
           "                     [--window " + joined(windows, "|") + "]\n" + padded("", 47) +
           translated(QT_TRANSLATE_NOOP("Help", "render the bar (its menu, a window) to PNG")) +
           '\n' + padded("       veskor --autostart [on|off]", 47) +
           translated(QT_TRANSLATE_NOOP("Help", "start the bar with the desktop, or not")) + '\n' +
           translated(QT_TRANSLATE_NOOP(
               "Help",
               "Options stand anywhere, each once, as --name VALUE or --name=VALUE (a VALUE "
               "may begin\nwith -, as in --value -5); after -- every word is an "
               "argument.\n")) +
           "  --at \"YYYY-MM-DD hh:mm:ss\"\n" + padded("", 18) +
           translated(QT_TRANSLATE_NOOP(
               "Help", "the bar's clock starts there; with --screenshot, its fixed time")) +
           '\n' + optionHelp +
           translated(QT_TRANSLATE_NOOP(
               "Help", "  --data-dir DIR  an existing folder holding Veskor32.sd and Veskor32.aev "
                       "(default:\n                  $VESKOR_DATA_DIR, the program's folder, or\n"
                       "                  $XDG_DATA_HOME/Orvane/Veskor Pro)\n")) +
           "  --help, --version\n" +
           translated(QT_TRANSLATE_NOOP(
               "Help", "Exit status: 0 done, 1 the data cannot be read or has no answer, 2 a bad "
                       "command\nline (or a time that is not one).\n")) +
           translated(QT_TRANSLATE_NOOP("Help", "Examples:\n")) + examples +
           "  veskor --screenshot bar.png --panel calendar\n"
           "  veskor --screenshot alarms.png --window alarms\n"
           "  veskor --autostart on\n";
}

std::string manualCommands(const std::vector<CommandDescription>& commands) {
    std::string text;
    for (const CommandDescription& command : commands) {
        std::istringstream usageWords(command.usage);
        std::string word;
        usageWords >> word;
        text += ".TP\n.B " + word;
        char font = 'B';
        while (usageWords >> word) {
            text += ' ' + manualWord(word, font);
        }
        text += '\n' + command.manual;
    }
    return text;
}

} // namespace veskor

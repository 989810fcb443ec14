#pragma once
// The program's command line: the bar itself, a picture of it, and the features' commands.

#include "feature/Command.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace veskor {

// What --help and the parser know: the features' commands, in --help's order, and the words
// --panel and --window take.
struct CommandWords {
    std::vector<CommandDescription> commands;
    std::vector<std::string> panels;
    std::vector<WindowWord> windows;
};

struct CommandLine {
    enum class Mode { Bar, Command, Screenshot, Autostart, Help, Version };
    Mode mode = Mode::Bar;
    std::optional<std::filesystem::path> dataDir;
    std::string command;        // Mode::Command: the command's word
    CommandArgs args;           // Mode::Command: its arguments and options
    CommandRun run;             // Mode::Command: the command, understood
    std::optional<DateTime> at; // the bar: the clock starts there; --screenshot: its fixed time
    std::filesystem::path screenshotFile;
    std::string panel;          // --screenshot: a strip to open first
    std::string window;         // --screenshot: a window to render instead of the bar
    std::filesystem::path file; // --window fileinfo: the file asked about
    std::string autostart;      // --autostart: "on", "off" or empty to ask
    bool menu = false;          // --screenshot: render the open popup menu

    // Alike when they ask for the same; the runs are not compared.
    bool operator==(const CommandLine& other) const;
};

// Options may stand anywhere, before or after the command and its arguments, each at most once
// ("--name VALUE" or "--name=VALUE"; after "--" every word is an argument). --help and --version
// win over everything else, errors included. Throws UsageError.
CommandLine parseCommandLine(const std::vector<std::string>& args, const CommandWords& words);

} // namespace veskor

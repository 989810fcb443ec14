#include "app/Autostart.h"

#include <QCoreApplication>
#include <system_error>

namespace veskor {

namespace {

// An Exec argument: quoted when it holds anything beyond plain path characters, with the
// characters the quoting reserves escaped; then the string escapes of the file itself.
std::string execArgument(const std::string& word) {
    const bool plain =
        !word.empty() && word.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                                "abcdefghijklmnopqrstuvwxyz"
                                                "0123456789/._+-") == std::string::npos;
    std::string quoted;
    if (plain) {
        quoted = word;
    } else {
        quoted = "\"";
        for (const char c : word) {
            if (c == '"' || c == '`' || c == '$' || c == '\\') {
                quoted += '\\';
            }
            quoted += c;
        }
        quoted += '"';
    }
    std::string escaped;
    for (const char c : quoted) {
        if (c == '\\') {
            escaped += "\\\\";
        } else if (c == '%') {
            escaped += "%%";
        } else if (c == '\n') {
            escaped += "\\n";
        } else {
            escaped += c;
        }
    }
    return escaped;
}

bool entryIsOn(const std::string& bytes) {
    return bytes.find("\nHidden=true") == std::string::npos &&
           bytes.find("\nX-GNOME-Autostart-enabled=false") == std::string::npos;
}

} // namespace

std::filesystem::path autostartFile(const char* xdgConfigHome, const char* home) {
    std::filesystem::path base;
    if (xdgConfigHome != nullptr && xdgConfigHome[0] == '/') {
        base = xdgConfigHome;
    } else if (home != nullptr && home[0] == '/') {
        base = std::filesystem::path(home) / ".config";
    } else {
        return {};
    }
    return base / "autostart" / "veskor.desktop";
}

std::string autostartEntry(const std::filesystem::path& program) {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Veskor Pro\n"
           "Comment=Date, name-day, time and free memory at the top of the screen\n"
           "Exec=" +
           execArgument(program.string()) +
           "\n"
           "Icon=veskor\n"
           "Terminal=false\n"
           "X-GNOME-Autostart-enabled=true\n";
}

int runAutostartCommand(const std::string& value, IFileStore& files,
                        const std::filesystem::path& entryFile,
                        const std::filesystem::path& program, std::ostream& out,
                        std::ostream& err) {
    if (entryFile.empty()) {
        err << QCoreApplication::translate(
                   "Autostart",
                   "veskor: no configuration folder: neither XDG_CONFIG_HOME nor HOME is set")
                   .toStdString()
            << '\n';
        return 1;
    }
    std::error_code ec;
    if (value == "on") {
        std::filesystem::create_directories(entryFile.parent_path(), ec);
        if (ec || files.save(entryFile, autostartEntry(program)) != FileSave::Ok) {
            err << QCoreApplication::translate("Autostart", "veskor: cannot write %1")
                       .arg(QString::fromStdString(entryFile.string()))
                       .toStdString()
                << '\n';
            return 1;
        }
        out << "autostart on: " << entryFile.string() << '\n';
        return 0;
    }
    if (value == "off") {
        std::filesystem::remove(entryFile, ec);
        if (ec) {
            err << QCoreApplication::translate("Autostart", "veskor: cannot remove %1: %2")
                       .arg(QString::fromStdString(entryFile.string()),
                            QString::fromStdString(ec.message()))
                       .toStdString()
                << '\n';
            return 1;
        }
        out << "autostart off\n";
        return 0;
    }
    const FileRead entry = files.read(entryFile, std::size_t{64} * 1024);
    if (entry.status == FileRead::Status::Ok && entryIsOn(entry.bytes)) {
        out << "autostart on: " << entryFile.string() << '\n';
    } else {
        out << "autostart off\n";
    }
    return 0;
}

} // namespace veskor

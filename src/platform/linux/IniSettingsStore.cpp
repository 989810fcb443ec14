#include "platform/linux/IniSettingsStore.h"

#include "common/Error.h"
#include "platform/linux/LinuxPaths.h"

#include <QCoreApplication>
#include <QLockFile>
#include <QSettings>
#include <QString>
#include <algorithm>
#include <chrono>
#include <fcntl.h>
#include <limits>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace veskor {

namespace {

namespace fs = std::filesystem;

QString toQString(const fs::path& path) {
    return QString::fromStdString(path.string());
}

// The lock file QSettings holds while it saves.
fs::path lockFileOf(const fs::path& file) {
    fs::path lock = file;
    lock += ".lock";
    return lock;
}

// QSettings blocks for good opening a FIFO (and QLockFile reading one as its lock), so anything
// there that is not a regular file is left alone, as a file that cannot be read.
bool isSpecialFile(const fs::path& path) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    return fs::exists(status) && !fs::is_regular_file(status);
}

// Far above a real settings file (a few hundred bytes). QSettings reads a file whole, so a huge
// or sparse one would stall the bar for seconds and take gigabytes.
constexpr std::uintmax_t kMaxSettingsBytes = std::uintmax_t{64} * 1024;

bool isTooLarge(const fs::path& path) {
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(path, ec);
    return !ec && size > kMaxSettingsBytes;
}

// QSaveFile names its temporary file "<file>." and six random letters.
bool isSaveLeftover(const std::string& candidate, const std::string& fileName) {
    constexpr std::size_t kRandomLetters = 6;
    if (candidate.size() != fileName.size() + 1 + kRandomLetters ||
        !candidate.starts_with(fileName) || candidate[fileName.size()] != '.') {
        return false;
    }
    return std::all_of(candidate.begin() + static_cast<std::ptrdiff_t>(fileName.size()) + 1,
                       candidate.end(),
                       [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); });
}

// A save killed before its rename leaves its temporary file behind. A save holds the lock for
// its whole run, so while we hold it every such file is stale; while another save runs, they
// wait for the next one.
void removeSaveLeftovers(const fs::path& file) {
    QLockFile lock(toQString(lockFileOf(file)));
    if (!lock.tryLock(0)) {
        return;
    }
    const std::string fileName = file.filename().string();
    std::error_code ec;
    for (fs::directory_iterator it(file.parent_path(), ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code entryError;
        if (isSaveLeftover(it->path().filename().string(), fileName) &&
            it->symlink_status(entryError).type() == fs::file_type::regular) {
            fs::remove(it->path(), entryError);
        }
    }
}

// A save killed between making the lock file and writing its owner into it leaves the lock
// empty, and the settings library takes an empty lock for stale only after half a minute, all
// that time blocking the save (and the bar with it). A live owner fills its lock within
// microseconds, so one that has stayed empty for a second is stale: it goes.
void removeEmptyStaleLock(const fs::path& lock) {
    constexpr auto kStaleAfter = std::chrono::seconds(1);
    constexpr auto kRecheck = std::chrono::milliseconds(100);
    for (int check = 0; check <= 12; ++check) {
        std::error_code ec;
        const std::uintmax_t size = fs::file_size(lock, ec);
        if (ec || size != 0) {
            return;
        }
        const fs::file_time_type written = fs::last_write_time(lock, ec);
        if (ec) {
            return;
        }
        if (fs::file_time_type::clock::now() - written > kStaleAfter) {
            fs::remove(lock, ec);
            return;
        }
        std::this_thread::sleep_for(kRecheck);
    }
}

} // namespace

IniSettingsStore::IniSettingsStore(fs::path file) : m_file(std::move(file)) {}

IniSettingsStore::~IniSettingsStore() = default;

fs::path IniSettingsStore::defaultFile() {
    fs::path base;
    if (auto config = envValue("XDG_CONFIG_HOME")) {
        base = *config;
    } else if (auto home = envValue("HOME")) {
        base = fs::path(*home) / ".config";
    } else {
        base = ".config";
    }
    return base / "Orvane" / "Veskor Pro.conf";
}

bool IniSettingsStore::ensureKey() {
    std::error_code ec;
    const fs::file_status status = fs::status(m_file, ec);
    if (fs::exists(status)) {
        return fs::is_regular_file(status);
    }
    fs::create_directories(m_file.parent_path(), ec);
    if (ec) {
        return false;
    }
    // An empty file is a valid, empty key; QSettings would not write one. A FIFO planted since
    // the check fails the open instead of blocking it.
    const int fd = ::open(m_file.c_str(),
                          O_WRONLY | O_CREAT | O_APPEND | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    return true;
}

std::optional<std::int32_t> IniSettingsStore::readInteger(const std::string& name) {
    if (!m_readerOpened) {
        m_readerOpened = true;
        if (isTooLarge(m_file)) { // said once: the later reads find no values
            throw Error(QCoreApplication::translate(
                            "IniSettingsStore", "%1: larger than %2 bytes; the defaults are used")
                            .arg(QString::fromStdString(m_file.string()))
                            .arg(kMaxSettingsBytes)
                            .toStdString());
        }
        if (!isSpecialFile(m_file)) {
            m_reader = std::make_unique<QSettings>(toQString(m_file), QSettings::IniFormat);
        }
    }
    const QString key = QString::fromStdString(name);
    if (!m_reader || !m_reader->contains(key)) {
        return std::nullopt;
    }
    const QVariant value = m_reader->value(key);
    bool ok = false;
    const qlonglong number = value.toString().trimmed().toLongLong(&ok, 10);
    if (!ok || value.typeId() == QMetaType::QStringList ||
        number < std::numeric_limits<std::int32_t>::min() ||
        number > std::numeric_limits<std::int32_t>::max()) {
        throw Error(QCoreApplication::translate("IniSettingsStore", "Invalid data type for '%1'")
                        .arg(QString::fromStdString(std::string(name)))
                        .toStdString());
    }
    return static_cast<std::int32_t>(number);
}

bool IniSettingsStore::writeIntegers(
    const std::vector<std::pair<std::string, std::int32_t>>& values) {
    // Whoever put a FIFO, device or folder there meant it: the save fails, as for a file that
    // cannot be written, rather than replacing it.
    if (isSpecialFile(m_file) || isSpecialFile(lockFileOf(m_file)) || isTooLarge(m_file)) {
        return false;
    }
    std::error_code ec;
    fs::create_directories(m_file.parent_path(), ec);
    removeEmptyStaleLock(lockFileOf(m_file));
    removeSaveLeftovers(m_file);
    QSettings settings(toQString(m_file), QSettings::IniFormat);
    for (const auto& [name, value] : values) {
        settings.setValue(QString::fromStdString(name), value);
    }
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace veskor

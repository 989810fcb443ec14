#include "platform/linux/IniSettingsStore.h"

#include "common/Error.h"
#include "platform/linux/LinuxPaths.h"

#include <QSettings>
#include <QString>
#include <cstdio>
#include <limits>
#include <system_error>

namespace veskor {

namespace {

QString toQString(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

} // namespace

IniSettingsStore::IniSettingsStore(std::filesystem::path file) : m_file(std::move(file)) {}

IniSettingsStore::~IniSettingsStore() = default;

std::filesystem::path IniSettingsStore::defaultFile() {
    std::filesystem::path base;
    if (auto config = envValue("XDG_CONFIG_HOME")) {
        base = *config;
    } else if (auto home = envValue("HOME")) {
        base = std::filesystem::path(*home) / ".config";
    } else {
        base = ".config";
    }
    return base / "Orvane" / "Veskor Pro.conf";
}

bool IniSettingsStore::ensureKey() {
    std::error_code ec;
    if (std::filesystem::exists(m_file, ec)) {
        return true;
    }
    std::filesystem::create_directories(m_file.parent_path(), ec);
    if (ec) {
        return false;
    }
    // An empty file is a valid, empty key; QSettings would not write one.
    FILE* f = std::fopen(m_file.c_str(), "a");
    if (f == nullptr) {
        return false;
    }
    std::fclose(f);
    return true;
}

std::optional<std::int32_t> IniSettingsStore::readInteger(const std::string& name) {
    if (!m_reader) {
        m_reader = std::make_unique<QSettings>(toQString(m_file), QSettings::IniFormat);
    }
    const QString key = QString::fromStdString(name);
    if (!m_reader->contains(key)) {
        return std::nullopt;
    }
    const QVariant value = m_reader->value(key);
    bool ok = false;
    const qlonglong number = value.toString().trimmed().toLongLong(&ok, 10);
    if (!ok || value.typeId() == QMetaType::QStringList ||
        number < std::numeric_limits<std::int32_t>::min() ||
        number > std::numeric_limits<std::int32_t>::max()) {
        throw Error(formatMessage("Invalid data type for '%s'", name));
    }
    return static_cast<std::int32_t>(number);
}

bool IniSettingsStore::writeIntegers(
    const std::vector<std::pair<std::string, std::int32_t>>& values) {
    std::error_code ec;
    std::filesystem::create_directories(m_file.parent_path(), ec);
    QSettings settings(toQString(m_file), QSettings::IniFormat);
    for (const auto& [name, value] : values) {
        settings.setValue(QString::fromStdString(name), value);
    }
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace veskor

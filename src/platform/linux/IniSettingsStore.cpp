#include "platform/linux/IniSettingsStore.h"

#include "common/Error.h"
#include "platform/Paths.h"

#include <QSettings>
#include <QString>
#include <cstdio>
#include <limits>
#include <system_error>

namespace veskor {

namespace {

QString ToQString(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

} // namespace

IniSettingsStore::IniSettingsStore(std::filesystem::path file) : file_(std::move(file)) {}

IniSettingsStore::~IniSettingsStore() = default;

std::filesystem::path IniSettingsStore::DefaultFile() {
    std::filesystem::path base;
    if (auto config = EnvValue("XDG_CONFIG_HOME")) {
        base = *config;
    } else if (auto home = EnvValue("HOME")) {
        base = std::filesystem::path(*home) / ".config";
    } else {
        base = ".config";
    }
    return base / "Orvane" / "Veskor Pro.conf";
}

bool IniSettingsStore::EnsureKey() {
    std::error_code ec;
    if (std::filesystem::exists(file_, ec)) {
        return true;
    }
    std::filesystem::create_directories(file_.parent_path(), ec);
    if (ec) {
        return false;
    }
    // An empty file is a valid, empty key; QSettings would not write one.
    FILE* f = std::fopen(file_.c_str(), "a");
    if (f == nullptr) {
        return false;
    }
    std::fclose(f);
    return true;
}

std::optional<std::int32_t> IniSettingsStore::ReadInteger(const std::string& name) {
    if (!reader_) {
        reader_ = std::make_unique<QSettings>(ToQString(file_), QSettings::IniFormat);
    }
    const QString key = QString::fromStdString(name);
    if (!reader_->contains(key)) {
        return std::nullopt;
    }
    const QVariant value = reader_->value(key);
    bool ok = false;
    const qlonglong number = value.toString().trimmed().toLongLong(&ok, 10);
    if (!ok || value.typeId() == QMetaType::QStringList ||
        number < std::numeric_limits<std::int32_t>::min() ||
        number > std::numeric_limits<std::int32_t>::max()) {
        throw Error(FormatMessage("Invalid data type for '%s'", name));
    }
    return static_cast<std::int32_t>(number);
}

bool IniSettingsStore::WriteIntegers(
    const std::vector<std::pair<std::string, std::int32_t>>& values) {
    std::error_code ec;
    std::filesystem::create_directories(file_.parent_path(), ec);
    QSettings settings(ToQString(file_), QSettings::IniFormat);
    for (const auto& [name, value] : values) {
        settings.setValue(QString::fromStdString(name), value);
    }
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace veskor

#include "namedays/core/SaintFile.h"

#include "common/Error.h"

#include <QCoreApplication>
#include <algorithm>
#include <string_view>
#include <system_error>

namespace veskor {

namespace {

namespace fs = std::filesystem;

// The messages name the full path, also when the caller passed a relative one.
std::string fullPath(const fs::path& path) {
    std::error_code ec;
    const fs::path full = fs::absolute(path, ec);
    return ec ? path.string() : full.string();
}

} // namespace

std::vector<std::string> parseSaintFile(std::span<const std::byte> bytes) {
    // Everything after a NUL byte is ignored.
    const auto nul = std::ranges::find(bytes, std::byte{0});
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()),
                                static_cast<std::size_t>(nul - bytes.begin()));

    std::vector<std::string> entries;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            entries.emplace_back(text.substr(start, i - start));
            ++i;
            if (c == '\r' && i < text.size() && text[i] == '\n') {
                ++i;
            }
            start = i;
        } else {
            ++i;
        }
    }
    // A last line without terminator still counts; a terminator at the end adds nothing.
    if (start < text.size()) {
        entries.emplace_back(text.substr(start));
    }
    return entries;
}

std::string formatSaintFile(const std::vector<std::string>& entries) {
    std::size_t size = 0;
    for (const std::string& entry : entries) {
        size += entry.size() + 2;
    }
    std::string out;
    out.reserve(size);
    for (const std::string& entry : entries) {
        out += entry;
        out += "\r\n";
    }
    return out;
}

namespace {

// The store's reason after the message, so that the person learns why.
std::string withReason(const std::string& reason) {
    return reason.empty() ? std::string() : ": " + reason;
}

} // namespace

bool loadSaints(SaintTable& table, IFileStore& files, const std::filesystem::path& path) {
    const FileRead file = files.read(path, kSaintFileMaxBytes);
    switch (file.status) {
    case FileRead::Status::Missing:
        return false;
    case FileRead::Status::Ok:
        table.assign(parseSaintFile(std::as_bytes(std::span(file.bytes))));
        return true;
    case FileRead::Status::Unreadable:
    case FileRead::Status::TooLarge:
        break;
    }
    throw Error(QCoreApplication::translate("SaintFile", "Cannot open file %1")
                    .arg(QString::fromStdString(fullPath(path)))
                    .toStdString() +
                withReason(file.reason));
}

void saveSaints(const SaintTable& table, IFileStore& files, const std::filesystem::path& path) {
    const SaveResult saved = files.save(path, formatSaintFile(table.items()));
    switch (saved.status) {
    case FileSave::Ok:
        return;
    case FileSave::WriteFailed:
        throw Error(QCoreApplication::translate("SaintFile", "Stream write error").toStdString() +
                    withReason(saved.reason));
    case FileSave::CannotCreate:
        break;
    }
    throw Error(QCoreApplication::translate("SaintFile", "Cannot create file %1")
                    .arg(QString::fromStdString(fullPath(path)))
                    .toStdString() +
                withReason(saved.reason));
}

} // namespace veskor

#pragma once
// The name-day file "Veskor32.sd": the table's entries, one per line, Windows-1250 bytes.

#include "namedays/core/SaintTable.h"
#include "platform/FileStore.h"

#include <cstddef>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace veskor {

inline constexpr const char* kSaintFileName = "Veskor32.sd";
// A real name-day file is a few kilobytes; anything past this is not one.
inline constexpr std::size_t kSaintFileMaxBytes = std::size_t{1024} * 1024;

// Lines end at CR LF, lone LF or lone CR; a NUL ends the text; a last line without terminator
// counts; a terminator at the very end adds no empty entry.
std::vector<std::string> parseSaintFile(std::span<const std::byte> bytes);
// Every entry followed by CR LF, bytes as held.
std::string formatSaintFile(const std::vector<std::string>& entries);

// Replaces the table by the file's lines when the file exists; false for a missing file (table
// unchanged). Throws Error("Cannot open file <full path>: <reason>") when it exists but cannot be
// read or is larger than kSaintFileMaxBytes (the table keeps what it had).
bool loadSaints(SaintTable& table, IFileStore& files, const std::filesystem::path& path);
// Throws Error("Cannot create file <full path>: <reason>") or Error("Stream write error:
// <reason>"); the old file stays as it was either way.
void saveSaints(const SaintTable& table, IFileStore& files, const std::filesystem::path& path);

} // namespace veskor

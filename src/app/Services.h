#pragma once
// The machine's services behind the bar, built in one place for the bar and for screenshots.

#include "bar/widgets/BarWindow.h"
#include "platform/FixedClock.h"
#include "platform/RunningClock.h"
#include "platform/SessionService.h"
#include "platform/linux/IniSettingsStore.h"
#include "platform/linux/LinuxClock.h"
#include "platform/linux/LinuxMemoryInfo.h"
#include "platform/linux/PosixFileStore.h"
#include "platform/linux/PosixMappedFile.h"
#include "platform/linux/PulseBeep.h"
#include "platform/linux/X11Beep.h"
#include "platform/linux/X11StripScroller.h"
#include "platform/linux/X11Taskbar.h"
#include "platform/linux/X11WindowState.h"

#include <memory>
#include <optional>

namespace veskor {

// The user's settings as they are, never written: a screenshot changes nothing.
class ReadOnlySettings final : public ISettingsStore {
public:
    explicit ReadOnlySettings(ISettingsStore& store) : m_store(store) {}
    bool ensureKey() override { return true; }
    std::optional<std::int32_t> readInteger(const std::string& name) override {
        return m_store.readInteger(name);
    }
    bool
    writeIntegers(const std::vector<std::pair<std::string, std::int32_t>>& /*values*/) override {
        return true;
    }

private:
    ISettingsStore& m_store;
};

// The user's data files read as they are and never saved: a picture changes nothing.
class ReadOnlyFiles final : public IFileStore {
public:
    explicit ReadOnlyFiles(IFileStore& files) : m_files(files) {}
    FileRead read(const std::filesystem::path& path, std::size_t maxBytes) override {
        return m_files.read(path, maxBytes);
    }
    SaveResult save(const std::filesystem::path& /*path*/, std::string_view /*bytes*/) override {
        return {};
    }
    CopyResult keepCopy(const std::filesystem::path& /*path*/,
                        const std::filesystem::path& /*copy*/) override {
        return {CopyResult::Status::Kept, {}};
    }

private:
    IFileStore& m_files;
};

class LinuxServices final {
public:
    enum class ClockFrom {
        System, // the system clock
        Start,  // set to `at`, running on from there
        Fixed,  // standing still at `at`, with the settings only read: a picture of that moment
    };
    explicit LinuxServices(ClockFrom from = ClockFrom::System, DateTime at = 0);

    BarServices forBar(const std::filesystem::path& dataDir,
                       std::function<void(const QString&)> report);
    // What the features use; for a picture of a fixed moment nothing is written or asked.
    FeatureServices forFeatures(const std::filesystem::path& dataDir);
    [[nodiscard]] IClock& clock() { return *m_clock; }
    [[nodiscard]] IFileStore& files() { return m_files; }
    [[nodiscard]] IBeep& beep() { return m_beep; }
    [[nodiscard]] IStripScroller& stripScroller() { return m_stripScroller; }
    // The settings the bar reads and writes: read only for a picture of a fixed moment.
    [[nodiscard]] ISettingsStore& settings() { return *m_settings; }
    [[nodiscard]] std::shared_ptr<const IMappedFiles> mappedFiles() const { return m_mappedFiles; }

private:
    LinuxClock m_systemClock;
    FixedClock m_fixedClock;
    RunningClock m_runningClock;
    IClock* m_clock = &m_systemClock;
    IniSettingsStore m_userSettings;
    ReadOnlySettings m_readOnlySettings{m_userSettings};
    ISettingsStore* m_settings = &m_userSettings;
    LinuxMemoryInfo m_memory;
    X11WindowState m_windowState;
    X11Taskbar m_taskbar;
    PosixFileStore m_files;
    ReadOnlyFiles m_readOnlyFiles{m_files};
    bool m_picture = false;
    X11Beep m_bell;
    PulseBeep m_beep{m_bell}; // silent until the first beep: a screenshot never connects
    X11StripScroller m_stripScroller;
    std::shared_ptr<PosixMappedFiles> m_mappedFiles = std::make_shared<PosixMappedFiles>();
};

} // namespace veskor

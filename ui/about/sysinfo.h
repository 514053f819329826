// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finding and starting the system-information tool for the About window's
// "&System Info..." button.
//
// The tool is looked up in the registry, first by its full path, then by its
// folder. Where there is no registry (or it names no tool) a desktop
// system-information program on the search path takes its place. Everything
// the lookup touches on the machine goes through SystemAccess, so it can run
// against a registry, file system and program starter held in memory.

#include <QString>

#include <array>
#include <stdexcept>
#include <string_view>

#include "registry.h"

class QWidget;

namespace vandrel::ui {

/// The one message of the System Info button.
inline constexpr std::string_view sysinfo_unavailable_text = "System Information Is Unavailable At This Time";

/// Where the registry keeps the tool.
inline constexpr std::string_view sysinfo_path_key = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr std::string_view sysinfo_path_value = "PATH";
inline constexpr std::string_view sysinfo_location_key = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr std::string_view sysinfo_location_value = "MSINFO";
inline constexpr std::string_view sysinfo_program_file = "\\MSINFO32.EXE";

/// Bytes read of a registry value; a longer value counts as unreadable.
inline constexpr std::uint32_t registry_value_buffer_size = 1024;

/// Desktop programs that show the system's hardware and software, tried in
/// this order on the search path when the registry names no tool.
#ifdef _WIN32
inline constexpr std::array<std::string_view, 0> desktop_sysinfo_tools{};
#else
inline constexpr std::array<std::string_view, 6> desktop_sysinfo_tools{
    "hardinfo",              // system profiler
    "kinfocenter",           // KDE Info Center
    "gnome-system-monitor",  // GNOME: system, processes, resources
    "mate-system-monitor",
    "plasma-systemmonitor",
    "xfce4-taskmanager",
};
#endif

/// A registry value that exists but holds no data at all.
class RegistryValueError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// What the System Info lookup needs of the machine.
class SystemAccess {
public:
    virtual ~SystemAccess() = default;
    virtual Registry& registry() = 0;
    /// Whether `path` names an existing ordinary file: not a folder, not a
    /// hidden file, not a system file.
    virtual bool is_ordinary_file(const QString& path) = 0;
    /// The full path of `program` found on the search path, or "".
    virtual QString find_program(const QString& program) = 0;
    /// Starts `program` with no arguments and does not wait for it; false
    /// when it could not be started.
    virtual bool start_detached(const QString& program) = 0;
};

/// The access in use: the real machine unless a test installed its own.
SystemAccess& system_access();
/// Installs `access` (nullptr: back to the real machine). The caller keeps
/// ownership and must uninstall it before destroying it.
void set_system_access(SystemAccess* access);

/// Reads the value `SubKeyRef` of the key `KeyName` under `KeyRoot` into
/// `KeyVal`: text values as they are (less a final zero byte), 32-bit
/// integers as "&h" and upper-case hexadecimal; a value of any other type
/// leaves `KeyVal` as it was. False, with `KeyVal` "", when the key cannot be
/// opened or the value cannot be read (missing, or longer than
/// registry_value_buffer_size bytes). Throws RegistryValueError for a value
/// with no data. The key is closed again on every path.
bool GetKeyValue(Registry& registry, RegRoot KeyRoot, const QString& KeyName, const QString& SubKeyRef,
                 QString& KeyVal);

/// Finds the system-information tool and starts it; when that fails for any
/// reason, shows "System Information Is Unavailable At This Time" over
/// `parent` through the message sink.
void StartSysInfo(SystemAccess& system, QWidget* parent);

}  // namespace vandrel::ui

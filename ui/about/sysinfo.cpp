// SPDX-License-Identifier: GPL-3.0-or-later
#include "sysinfo.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <array>

#include "message_sink.h"
#include "qtext.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace vandrel::ui {
namespace {

class HostSystem final : public SystemAccess {
public:
    Registry& registry() override { return host_registry(); }

    bool is_ordinary_file(const QString& path) override {
        const QFileInfo info(path);
        if (!info.exists() || !info.isFile() || info.isHidden())
            return false;
#ifdef _WIN32
        const DWORD attributes = GetFileAttributesW(reinterpret_cast<LPCWSTR>(path.utf16()));
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_SYSTEM) != 0)
            return false;
#endif
        return true;
    }

    QString find_program(const QString& program) override { return QStandardPaths::findExecutable(program); }

    bool start_detached(const QString& program) override { return QProcess::startDetached(program, {}); }
};

HostSystem host_system;
SystemAccess* installed = nullptr;

/// Closes an open key when it goes out of scope.
class OpenKey {
public:
    OpenKey(Registry& registry, RegKey key) : registry_(registry), key_(key) {}
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    ~OpenKey() { registry_.close_key(key_); }

private:
    Registry& registry_;
    RegKey key_;
};

/// The tool's path as the registry gives it, or a desktop tool's; "" when
/// there is none. Lets a RegistryValueError through.
QString locate_tool(SystemAccess& system) {
    QString path;
    if (GetKeyValue(system.registry(), hkey_local_machine, to_qstring(sysinfo_path_key), to_qstring(sysinfo_path_value), path))
        return path;  // taken as it is, even when empty

    QString folder;
    if (GetKeyValue(system.registry(), hkey_local_machine, to_qstring(sysinfo_location_key),
                    to_qstring(sysinfo_location_value), folder)) {
        const QString program = folder + to_qstring(sysinfo_program_file);
        if (system.is_ordinary_file(program))
            return program;
    }

    for (const std::string_view tool : desktop_sysinfo_tools) {
        const QString found = system.find_program(to_qstring(tool));
        if (!found.isEmpty())
            return found;
    }
    return {};
}

}  // namespace

SystemAccess& system_access() { return installed ? *installed : host_system; }

void set_system_access(SystemAccess* access) { installed = access; }

bool GetKeyValue(Registry& registry, RegRoot KeyRoot, const QString& KeyName, const QString& SubKeyRef,
                 QString& KeyVal) {
    RegKey key = 0;
    if (registry.open_key(KeyRoot, KeyName.toLocal8Bit().toStdString(), 0, key_access_mask, key) != reg_success) {
        KeyVal.clear();
        return false;
    }
    const OpenKey open_key(registry, key);

    std::array<std::uint8_t, registry_value_buffer_size> buffer{};
    std::uint32_t data_size = registry_value_buffer_size;
    std::uint32_t type = 0;
    const long status = registry.query_value(key, SubKeyRef.toLocal8Bit().toStdString(), type, buffer.data(), data_size);
    if (status != reg_success || data_size > buffer.size()) {
        KeyVal.clear();
        return false;
    }
    if (data_size == 0)
        throw RegistryValueError("registry value " + SubKeyRef.toStdString() + " holds no data");

    std::size_t length = data_size;
    if (buffer[length - 1] == 0)
        --length;  // the string terminator

    switch (type) {
    case reg_sz:
        KeyVal = QString::fromLocal8Bit(reinterpret_cast<const char*>(buffer.data()), static_cast<qsizetype>(length));
        break;
    case reg_dword: {
        QString hex = QStringLiteral("&h");
        for (std::size_t i = length; i-- > 0;)
            hex += QStringLiteral("%1").arg(buffer[i], 2, 16, QLatin1Char('0')).toUpper();
        KeyVal = hex;
        break;
    }
    default:
        break;  // read, but not converted
    }
    return true;
}

void StartSysInfo(SystemAccess& system, QWidget* parent) {
    bool started = false;
    try {
        const QString path = locate_tool(system);
        started = !path.isEmpty() && system.start_detached(path);
    } catch (...) {
        started = false;
    }
    if (!started)
        message_sink().message(parent, to_qstring(sysinfo_unavailable_text));
}

}  // namespace vandrel::ui

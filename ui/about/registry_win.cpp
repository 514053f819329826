// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows registry through its 8-bit (ANSI) calls.
#include "registry.h"

#include <windows.h>

namespace vandrel::ui {
namespace {

HKEY to_hkey(RegRoot root) {
    // Predefined root handles are sign-extended 32-bit values.
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG_PTR>(static_cast<LONG>(root))));
}

class WindowsRegistry final : public Registry {
public:
    long open_key(RegRoot root, const std::string& key_name, std::uint32_t options, std::uint32_t access,
                  RegKey& key) override {
        HKEY opened = nullptr;
        const LONG status = RegOpenKeyExA(to_hkey(root), key_name.c_str(), options, access, &opened);
        if (status == ERROR_SUCCESS)
            key = reinterpret_cast<RegKey>(opened);
        return status;
    }
    long query_value(RegKey key, const std::string& value_name, std::uint32_t& type, std::uint8_t* data,
                     std::uint32_t& data_size) override {
        DWORD value_type = 0;
        DWORD size = data_size;
        const LONG status =
            RegQueryValueExA(reinterpret_cast<HKEY>(key), value_name.c_str(), nullptr, &value_type, data, &size);
        type = value_type;
        data_size = size;
        return status;
    }
    long close_key(RegKey key) override { return RegCloseKey(reinterpret_cast<HKEY>(key)); }
};

}  // namespace

Registry& host_registry() {
    static WindowsRegistry registry;
    return registry;
}

}  // namespace vandrel::ui

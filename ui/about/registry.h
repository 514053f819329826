// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The few registry calls the System Info button needs, behind an interface so
// that the lookups can run against a registry held in memory. On Windows the
// host registry is the real one; elsewhere there is no registry and every key
// fails to open. Plain C++, so the Windows layer builds without Qt.

#include <cstdint>
#include <string>

namespace vandrel::ui {

/// A root key handle, as the registry numbers it (HKEY_LOCAL_MACHINE is 0x80000002).
using RegRoot = std::uint32_t;
/// An open key.
using RegKey = std::uintptr_t;

inline constexpr RegRoot hkey_local_machine = 0x80000002;

/// Read access only (KEY_READ: read-control, query value, enumerate
/// sub-keys, notify): asking for write rights as well fails for a process
/// that is not elevated.
inline constexpr std::uint32_t key_access_mask = 0x20019;

/// Status values of the calls (0 is success).
inline constexpr long reg_success = 0;
inline constexpr long reg_file_not_found = 2;
inline constexpr long reg_more_data = 234;

/// Value types.
inline constexpr std::uint32_t reg_sz = 1;
inline constexpr std::uint32_t reg_expand_sz = 2;
inline constexpr std::uint32_t reg_binary = 3;
inline constexpr std::uint32_t reg_dword = 4;

class Registry {
public:
    virtual ~Registry() = default;

    /// Opens `key_name` (8-bit text) under `root`; on success stores the
    /// open key in `key` and returns 0.
    virtual long open_key(RegRoot root, const std::string& key_name, std::uint32_t options,
                          std::uint32_t access, RegKey& key) = 0;

    /// Reads the value `value_name` of an open key into `data`. On entry
    /// `data_size` is the buffer's size in bytes; on return it is the value's
    /// size. A value larger than the buffer is not copied and gives
    /// reg_more_data.
    virtual long query_value(RegKey key, const std::string& value_name, std::uint32_t& type,
                             std::uint8_t* data, std::uint32_t& data_size) = 0;

    /// Closes a key that open_key opened.
    virtual long close_key(RegKey key) = 0;
};

/// The machine's registry (on systems without one, a registry with no keys).
Registry& host_registry();

}  // namespace vandrel::ui

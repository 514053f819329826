// SPDX-License-Identifier: GPL-3.0-or-later
// Systems without a registry: there is no key to open.
#include "registry.h"

namespace vandrel::ui {
namespace {

class NoRegistry final : public Registry {
public:
    long open_key(RegRoot, const std::string&, std::uint32_t, std::uint32_t, RegKey&) override {
        return reg_file_not_found;
    }
    long query_value(RegKey, const std::string&, std::uint32_t&, std::uint8_t*, std::uint32_t& data_size) override {
        data_size = 0;
        return reg_file_not_found;
    }
    long close_key(RegKey) override { return reg_success; }
};

}  // namespace

Registry& host_registry() {
    static NoRegistry registry;
    return registry;
}

}  // namespace vandrel::ui

// SPDX-License-Identifier: GPL-3.0-or-later
#include "arguments.h"

#include <algorithm>

namespace vandrel::cli {
namespace {

// Whether `long_name` (without its dashes) names an option that takes a value.
bool takes_value(const CLI::App& app, const std::string& long_name) {
    for (const CLI::Option* option : app.get_options()) {
        const auto& names = option->get_lnames();
        if (option->get_items_expected_max() > 0 && std::find(names.begin(), names.end(), long_name) != names.end())
            return true;
    }
    return false;
}

}  // namespace

std::vector<std::string> arguments(const CLI::App& app, int argc, char** argv) {
    std::vector<std::string> args;
    bool options_ended = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        options_ended = options_ended || arg == "--";
        const auto equals = arg.find('=');
        if (!options_ended && arg.starts_with("--") && equals != std::string::npos && equals + 1 == arg.size() &&
            takes_value(app, arg.substr(2, equals - 2))) {
            arg.pop_back();
            args.push_back(std::move(arg));
            args.emplace_back();
        } else {
            args.push_back(std::move(arg));
        }
    }
    std::reverse(args.begin(), args.end());
    return args;
}

}  // namespace vandrel::cli

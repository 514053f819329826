// SPDX-License-Identifier: GPL-3.0-or-later
#include "arguments.h"

#include <algorithm>
#include <array>
#include <utility>

namespace vandrel::cli {
namespace {

// The options by their names, looked up once: a cluster may hold 4096.
class Names {
public:
    explicit Names(const CLI::App& app) {
        for (const CLI::Option* option : app.get_options()) {
            for (const std::string& name : option->get_snames())
                if (name.size() == 1) short_[static_cast<unsigned char>(name[0])] = option;
            for (const std::string& name : option->get_lnames()) long_.emplace_back(name, option);
        }
    }
    const CLI::Option* short_option(char c) const { return short_[static_cast<unsigned char>(c)]; }
    const CLI::Option* long_option(const std::string& name) const {
        for (const auto& [n, option] : long_)
            if (n == name) return option;
        return nullptr;
    }

private:
    std::array<const CLI::Option*, 256> short_{};
    std::vector<std::pair<std::string, const CLI::Option*>> long_;
};

bool takes_value(const CLI::Option* option) { return option && option->get_items_expected_max() > 0; }

// Whether the option must have a value, so that CLI11 takes the next
// argument as it is, whatever it looks like ("-g -3", "--gain -jj").
bool needs_value(const CLI::Option* option) {
    return takes_value(option) && std::min(option->get_type_size_min(), option->get_items_expected_min()) > 0;
}

// Whether CLI11 reads "-" and the character `c` as a short option: a
// character it allows, a digit only where it names an option.
bool starts_short(const Names& names, char c) {
    if (!CLI::detail::valid_first_char(c)) return false;
    return !(c >= '0' && c <= '9') || names.short_option(c);
}

// Adds the cluster `arg` flag by flag; true when its last option still
// needs its value from the next argument.
bool add_cluster(const Names& names, const std::string& arg, std::vector<std::string>& args) {
    std::string given;  // the flags given so far, once each
    std::size_t at = 1;
    while (at < arg.size()) {
        const CLI::Option* option = names.short_option(arg[at]);
        if (!option || takes_value(option)) {
            // The rest as CLI11 reads it: a value for the option, or an
            // argument it does not know.
            args.push_back("-" + arg.substr(at));
            return at + 1 == arg.size() && needs_value(option);
        }
        if (given.find(arg[at]) == std::string::npos) {
            given += arg[at];
            args.push_back({'-', arg[at]});
        }
        ++at;
        if (at < arg.size() && !starts_short(names, arg[at])) {
            // What CLI11 makes of the rest is no cluster ("-j-x", "-j3").
            args.push_back("-" + arg.substr(at));
            return false;
        }
    }
    return false;
}

}  // namespace

std::string refused_arguments(int argc, char** argv) {
    if (argc - 1 > static_cast<int>(most_arguments))
        return std::to_string(argc - 1) + " arguments given; at most " + std::to_string(most_arguments) +
               " are taken";
    for (int i = 1; i < argc; ++i) {
        const std::size_t length = std::char_traits<char>::length(argv[i]);
        if (length > longest_argument)
            return "argument " + std::to_string(i) + " is " + std::to_string(length) + " bytes long; at most " +
                   std::to_string(longest_argument) + " are taken";
    }
    return {};
}

std::vector<std::string> arguments(const CLI::App& app, int argc, char** argv) {
    const Names names(app);
    std::vector<std::string> args;
    bool options_ended = false;
    bool value_next = false;  // the argument is the value the option before it needs
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (value_next || options_ended) {
            value_next = false;
            args.push_back(std::move(arg));
            continue;
        }
        if (arg == "--") {
            options_ended = true;
            args.push_back(std::move(arg));
        } else if (arg.starts_with("--")) {
            const auto equals = arg.find('=');
            const CLI::Option* option = names.long_option(arg.substr(2, equals - 2));
            if (equals == std::string::npos) {
                value_next = needs_value(option);
                args.push_back(std::move(arg));
            } else if (equals + 1 == arg.size() && takes_value(option)) {
                arg.pop_back();
                args.push_back(std::move(arg));
                args.emplace_back();
            } else {
                args.push_back(std::move(arg));
            }
        } else if (arg.size() > 1 && arg[0] == '-' && starts_short(names, arg[1])) {
            value_next = add_cluster(names, arg, args);
        } else {
            args.push_back(std::move(arg));
        }
    }
    std::reverse(args.begin(), args.end());
    return args;
}

}  // namespace vandrel::cli

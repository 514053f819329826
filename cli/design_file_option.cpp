// SPDX-License-Identifier: GPL-3.0-or-later
#include "design_file_option.h"

#include <algorithm>
#include <array>
#include <filesystem>

namespace vandrel::cli {
namespace {

// Options that stand for one quantity together.
constexpr std::array<std::array<const char*, 3>, 3> together{{
    {"--qes", "--qms", "--qts"},
    {"--volts", "--watts", nullptr},
    {"--amp-volts", "--amp-watts", nullptr},
}};

bool given(const CLI::App& app, const std::string& name) {
    const CLI::Option* o = app.get_option_no_throw(name);
    return o && o->count() > 0;
}

// Whether the command line gave the option, or one that goes with it.
bool given_with_partners(const CLI::App& app, const std::string& name) {
    for (const auto& set : together)
        if (std::find_if(set.begin(), set.end(), [&](const char* n) { return n && name == n; }) != set.end())
            return std::any_of(set.begin(), set.end(), [&](const char* n) { return n && given(app, n); });
    return given(app, name);
}

}  // namespace

std::string option_of(const project::Entry& e) {
    if (e.section == "parts" && e.key == "series") return "--parts";
    if (e.section == "box" && e.key == "type") return "--box";
    std::string name(e.key);
    std::replace(name.begin(), name.end(), '_', '-');
    return "--" + name;
}

std::vector<std::string> design_arguments(const CLI::App& app, project::Design design) {
    std::vector<std::string> args;
    for (const project::Entry& e : project::entries(design)) {
        if (!*e.value) continue;
        const std::string name = option_of(e);
        if (!app.get_option_no_throw(name) || given_with_partners(app, name)) continue;
        // "--name=value", so that a value that begins with "-" stays a
        // value; an empty one after its name (reversed: before it).
        if ((*e.value)->empty()) {
            args.emplace_back();
            args.push_back(name);
        } else {
            args.push_back(name + "=" + **e.value);
        }
    }
    return args;
}

DesignFileOption::DesignFileOption(CLI::App& app) {
    app.add_option("--design", file_,
                   "Run the design in a .vandrel design file; an option given beside it replaces the file's value")
        ->type_name("FILE");
}

std::string DesignFileOption::parse(CLI::App& app, std::vector<std::string> args) {
    std::vector<std::string> again = args;
    try {
        app.parse(args);
    } catch (const CLI::RequiresError&) {
        // An option that needs another the design file may give (--combine
        // needs --parts): checked again with the file's values.
        if (!file_) throw;
    } catch (const CLI::ExcludesError&) {
        if (!file_) throw;
    }
    if (!file_) return {};
    const std::string origin = "--design " + *file_;
    project::DesignRead read = project::read_design(*file_);
    if (!read.design) return origin + ": " + read.problem;
    // A measurement's relative path is taken from the design file's folder.
    if (project::Text& m = read.design->measurement; m && !m->empty() && std::filesystem::path(*m).is_relative())
        m = (std::filesystem::path(*file_).parent_path() / *m).string();
    const std::vector<std::string> extra = design_arguments(app, *read.design);
    if (extra.empty()) return {};
    again.insert(again.begin(), extra.begin(), extra.end());
    app.clear();
    try {
        app.parse(again);
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() == 0) throw;
        return origin + ": " + e.what();
    }
    return {};
}

}  // namespace vandrel::cli

// SPDX-License-Identifier: GPL-3.0-or-later
#include "vandrel/files/output.h"

#include <ostream>
#include <system_error>
#include <vector>

#include "native.h"

namespace vandrel::files {
namespace {

namespace fs = std::filesystem;

// One file on its way: where the content goes, and what has been done.
struct Planned {
    const Output* output = nullptr;
    fs::path target;      // the given path with every link followed
    bool exists = false;  // a regular file is there now
    fs::path temporary;   // the complete new content, beside the target
    fs::path second;      // a second name of the old file, to put it back
    bool replaced = false;
};

// What went wrong, and with which output.
struct Failure {
    const Output* output = nullptr;
    std::string reason;
    explicit operator bool() const { return !reason.empty(); }
};

// The file that a path leads to, links followed; the last link may lead
// to a file that does not exist yet.
std::string follow_links(const fs::path& given, fs::path& target) {
    fs::path p = given;
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code error;
        const fs::file_status status = fs::symlink_status(p, error);
        if (status.type() != fs::file_type::symlink) {
            if (error && status.type() != fs::file_type::not_found) return error.message();
            target = p;
            return {};
        }
        const fs::path to = fs::read_symlink(p, error);
        if (error) return error.message();
        p = to.is_absolute() ? to : p.parent_path() / to;
    }
    return "too many levels of symbolic links";
}

// Where an output goes, and whether it may go there; "" or the reason.
std::string plan(const Output& output, Planned& planned) {
    planned.output = &output;
    if (output.path.empty()) return "the file has no name";
    if (std::string reason = follow_links(output.path, planned.target); !reason.empty()) return reason;
    std::error_code error;
    const fs::file_status status = fs::status(planned.target, error);
    switch (status.type()) {
    case fs::file_type::not_found: return {};
    case fs::file_type::regular: break;
    case fs::file_type::directory: return "it is a folder";
    case fs::file_type::none:
    case fs::file_type::unknown: return error ? error.message() : "it cannot be examined";
    default: return "it is not a regular file (a device, FIFO or socket), so it is left alone";
    }
    planned.exists = true;
    return native::check_writable(planned.target);
}

void remove_quietly(const fs::path& path) {
    std::error_code ignored;
    if (!path.empty()) fs::remove(path, ignored);
}

// Puts every complete temporary file in place; on a failure, puts back
// what was there before.
Failure commit(std::vector<Planned>& files) {
    for (Planned& f : files) {
        if (!f.exists) continue;
        const fs::path second = fs::path(f.temporary).concat(".old");
        if (native::link_second_name(f.target, second)) f.second = second;
    }
    Failure result;
    for (Planned& f : files) {
        if (std::string reason = native::replace(f.temporary, f.target); !reason.empty()) {
            result = {f.output, std::move(reason)};
            break;
        }
        f.replaced = true;
        f.temporary.clear();
    }
    for (Planned& f : files) {
        if (result && f.replaced) {
            if (f.second.empty() || !native::replace(f.second, f.target).empty()) {
                if (!f.exists) remove_quietly(f.target);
            } else {
                f.second.clear();
            }
        }
        remove_quietly(f.temporary);
        remove_quietly(f.second);
    }
    return result;
}

Failure write(std::span<const Output> outputs, std::ostream* standard_output) {
    std::vector<Planned> files;
    std::vector<const Output*> to_standard_output;
    for (const Output& output : outputs) {
        if (standard_output && output.path == "-") {
            to_standard_output.push_back(&output);
            continue;
        }
        Planned planned;
        if (std::string reason = plan(output, planned); !reason.empty()) return {&output, std::move(reason)};
        for (const Planned& other : files) {
            std::error_code error;
            if (fs::weakly_canonical(other.target, error) == fs::weakly_canonical(planned.target, error))
                return {&output, "the same file is named for two outputs"};
        }
        files.push_back(std::move(planned));
    }
    for (Planned& f : files) {
        if (std::string reason = native::write_temporary(f.target, f.exists, f.output->content, f.temporary);
            !reason.empty()) {
            for (Planned& g : files) remove_quietly(g.temporary);
            return {f.output, std::move(reason)};
        }
    }
    if (Failure failed = commit(files)) return failed;
    for (const Output* output : to_standard_output) {
        *standard_output << output->content;
        standard_output->flush();
        if (!*standard_output) return {output, "standard output took not all of it"};
    }
    return {};
}

}  // namespace

std::string write_all(std::span<const Output> outputs, std::ostream& standard_output) {
    const Failure failed = write(outputs, &standard_output);
    if (!failed) return {};
    const std::string name = failed.output->path == "-" ? "standard output" : failed.output->path.string();
    return "cannot write " + name + ": " + failed.reason;
}

std::string write_file(const std::filesystem::path& path, const std::string& content) {
    const Output output{path, content};
    return write(std::span(&output, 1), nullptr).reason;
}

}  // namespace vandrel::files

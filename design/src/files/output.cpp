// SPDX-License-Identifier: GPL-3.0-or-later
#include "vandrel/files/output.h"

#include <system_error>
#include <vector>

#include "native.h"
#include "paths.h"

namespace vandrel::files {
namespace {

namespace fs = std::filesystem;

// One file on its way: where the content goes, and what has been done.
struct Planned {
    const Output* output = nullptr;
    fs::path target;      // the given path with every link followed
    fs::path identity;    // the target's one spelling, to find two names of it
    bool exists = false;  // a regular file is there now
    fs::path temporary;   // the complete new content, beside the target
    fs::path second;      // a second name of the old file, to put it back
    bool replaced = false;
};

// One output on a standard stream.
struct OnStream {
    const Output* output = nullptr;
    Destination to = Destination::standard_output;
};

// What went wrong, and with which output.
struct Failure {
    const Output* output = nullptr;
    std::string reason;
    explicit operator bool() const { return !reason.empty(); }
};

const char* stream_name(Destination to) {
    return to == Destination::standard_output ? "standard output" : "standard error";
}

// Whether the file `planned.target` may be written; "" or the reason.
std::string plan(Planned& planned) {
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

void remove_temporaries(std::vector<Planned>& files) {
    for (Planned& f : files) {
        remove_quietly(f.temporary);
        f.temporary.clear();
    }
}

// Puts every complete temporary file in place; on a failure, puts back
// what was there before. No second name outlives the call.
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

// Where every output goes, each checked; two outputs never lead to one
// file or one stream. `streams` null: only files may be named.
Failure plan_all(std::span<const Output> outputs, const Streams* streams, std::vector<Planned>& files,
                 std::vector<OnStream>& on_streams) {
    for (const Output& output : outputs) {
        if (output.path.empty()) return {&output, "the file has no name"};
        paths::Resolved where = paths::resolve(output.path);
        if (!where.problem.empty()) return {&output, std::move(where.problem)};
        if (where.to != Destination::file) {
            if (!streams) return {&output, std::string("it is ") + stream_name(where.to) + ", not a file"};
            for (const OnStream& other : on_streams)
                if (other.to == where.to)
                    return {&output, std::string(stream_name(where.to)) +
                                         " takes one output only, and another goes there already"};
            on_streams.push_back({&output, where.to});
            continue;
        }
        Planned planned;
        planned.output = &output;
        planned.target = std::move(where.target);
        if (std::string reason = plan(planned); !reason.empty()) return {&output, std::move(reason)};
        planned.identity = paths::identity(planned.target);
        for (const Planned& other : files)
            if (other.identity == planned.identity) return {&output, "the same file is named for two outputs"};
        files.push_back(std::move(planned));
    }
    return {};
}

Failure write(std::span<const Output> outputs, const Streams* streams) {
    std::vector<Planned> files;
    std::vector<OnStream> on_streams;
    if (Failure failed = plan_all(outputs, streams, files, on_streams)) return failed;
    for (Planned& f : files) {
        if (std::string reason = native::write_temporary(f.target, f.exists, f.output->content, f.temporary);
            !reason.empty()) {
            remove_temporaries(files);
            return {f.output, std::move(reason)};
        }
    }
    // The streams before any file is put in place: what they cannot take
    // leaves every file as it was. Standard output first, which a full disk
    // or a closed pipe may refuse, so that standard error then gets nothing.
    for (const Destination to : {Destination::standard_output, Destination::standard_error}) {
        for (const OnStream& s : on_streams) {
            if (s.to != to) continue;
            const StreamWriter& put = to == Destination::standard_output ? streams->output : streams->error;
            if (std::string reason = put(s.output->content); !reason.empty()) {
                remove_temporaries(files);
                return {s.output, std::move(reason)};
            }
        }
    }
    return commit(files);
}

}  // namespace

Destination destination(const std::filesystem::path& path) { return paths::resolve(path).to; }

Streams system_streams() {
    native::guard_standard_descriptors();
    return {[](std::string_view text) { return native::write_stream(1, text); },
            [](std::string_view text) { return native::write_stream(2, text); }};
}

namespace {

// A failure as one line for people that names the file and the reason.
std::string said(const Failure& failed) {
    if (!failed) return {};
    const std::string name = failed.output->path == "-" ? "standard output" : failed.output->path.string();
    return "cannot write " + name + ": " + failed.reason;
}

}  // namespace

std::string write_all(std::span<const Output> outputs, const Streams& streams) { return said(write(outputs, &streams)); }

std::string write_files(std::span<const Output> outputs) { return said(write(outputs, nullptr)); }

std::string write_file(const std::filesystem::path& path, const std::string& content) {
    const Output output{path, content};
    return write(std::span(&output, 1), nullptr).reason;
}

}  // namespace vandrel::files

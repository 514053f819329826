// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes the file writer on a real folder of links, files, folders and FIFOs.
//
// Input: five bytes make the entries a to e (none, file, read-only file,
// folder, link to f, link to folder a, FIFO, link to itself); the first
// byte's top bit makes standard output fail. Then each pair of bytes is one
// output (its name from a to f, "-", "", "a/x", "nodir/x", "./b",
// "a/../c", "/dev/stdout", "/dev/stderr"; its content from the pair's
// index), at most four.
//
// Checks: on success every output reads back its content, through links,
// and links are still links, and the standard streams got theirs; on
// failure nothing that was there has changed and no stream got anything;
// no temporary file is left either way.

#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "vandrel/files/output.h"

namespace {

namespace fs = std::filesystem;

void put(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

std::string read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Everything in the folder, one level down too: kind, link target, content.
std::map<std::string, std::string> snapshot(const fs::path& folder) {
    std::map<std::string, std::string> out;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const fs::path rel = entry.path().lexically_relative(folder);
        const fs::file_status st = fs::symlink_status(entry.path());
        std::string what = std::to_string(static_cast<int>(st.type())) + ":" +
                           std::to_string(static_cast<int>(st.permissions()));
        if (fs::is_symlink(st)) what += "->" + fs::read_symlink(entry.path()).string();
        else if (fs::is_regular_file(st)) what += "=" + read(entry.path());
        out[rel.string()] = what;
    }
    return out;
}

void make(const std::string& name, unsigned char kind) {
    switch (kind % 8) {
    case 0: break;
    case 1: put(name, "old " + name); break;
    case 2:
        put(name, "old " + name);
        fs::permissions(name, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
        break;
    case 3: fs::create_directory(name); break;
    case 4: fs::create_symlink("f", name); break;
    case 5: fs::create_symlink("a", name); break;
    case 6: ::mkfifo(name.c_str(), 0600); break;
    case 7: fs::create_symlink(name, name); break;
    }
}

const char* const names[] = {"a",       "b",       "c",   "d",      "e",           "f",          "-",
                             "",        "a/x",     "nodir/x", "./b", "a/../c", "/dev/stdout", "/dev/stderr"};
constexpr std::size_t name_count = sizeof names / sizeof names[0];

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 5) return 0;
    const fs::path& folder = vandrel::fuzz::private_folder("vandrel-fuzz-files");
    for (const auto& entry : fs::directory_iterator(folder)) {
        std::error_code ignored;
        fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add | fs::perm_options::nofollow, ignored);
        fs::remove_all(entry.path());
    }
    std::string where;
    for (int i = 0; i < 5; ++i) {
        make(names[i], data[i]);
        where += std::to_string(data[i] % 8) + " ";
    }
    std::vector<vandrel::files::Output> outputs;
    for (std::size_t i = 5; i + 1 < size && outputs.size() < 4; i += 2) {
        outputs.push_back({names[data[i] % name_count], "new " + std::to_string(outputs.size())});
        where += std::string("[") + names[data[i] % name_count] + "]";
    }
    const bool output_fails = data[0] & 0x80;
    if (output_fails) where += " (standard output fails)";
    const auto before = snapshot(folder);
    std::string standard_output, standard_error;
    const vandrel::files::Streams streams{
        [&](std::string_view text) {
            if (output_fails) return std::string("No space left on device");
            standard_output += text;
            return std::string();
        },
        [&](std::string_view text) {
            standard_error += text;
            return std::string();
        }};
    const std::string failure = vandrel::files::write_all(outputs, streams);
    const auto after = snapshot(folder);

    for (const auto& [name, what] : after) FUZZ_CHECK(name.find(".vandrel-") == std::string::npos, where + " " + name);
    if (!failure.empty()) {
        FUZZ_CHECK(before == after && standard_output.empty() && standard_error.empty(), where + " " + failure);
        return 0;
    }
    std::string to_standard_output, to_standard_error;
    for (const auto& o : outputs) {
        if (o.path == "-" || o.path == "/dev/stdout") {
            to_standard_output += o.content;
            continue;
        }
        if (o.path == "/dev/stderr") {
            to_standard_error += o.content;
            continue;
        }
        // Two outputs to one file are refused.
        FUZZ_CHECK(read(o.path) == o.content, where + " " + o.path.string());
    }
    FUZZ_CHECK(!output_fails || to_standard_output.empty(), where);
    FUZZ_CHECK(standard_output == to_standard_output && standard_error == to_standard_error, where);
    for (const auto& [name, what] : before)
        if (what.find("->") != std::string::npos) FUZZ_CHECK(after.at(name) == what, where + " link " + name);
    return 0;
}

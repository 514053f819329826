// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes vandrel-solve as a whole: its option handling, Solve, the parts and
// the files it writes, in a folder of its own.
//
// Input: the arguments, one a line (at most 24 of at most 80 bytes). A "/"
// or "\" in an argument becomes "_", so that every file lands in the
// working folder, which is emptied before each run. A line that starts
// with byte 1, then a count and a blank, stands for the text after the
// blank with its last byte repeated up to the count (at most 1,000,000
// bytes): "\x01" "130000 -j" is "-jjj...j", 130,000 bytes.
//
// Checks: the exit status is 0, 1 or 2, never 3 (the program's own
// failure); a run that does not end with 0 leaves the folder empty (all
// files or none); no temporary file is ever left behind.

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz_check.h"

int vandrel_solve_main(int argc, char** argv);

namespace {

namespace fs = std::filesystem;

// One line of the input as an argument: as it is, or a long one written short.
std::string argument_of(std::string_view line) {
    std::size_t count = 0;
    if (!line.empty() && line.front() == '\x01') {
        line.remove_prefix(1);
        while (!line.empty() && line.front() >= '0' && line.front() <= '9') {
            count = std::min<std::size_t>(count * 10 + static_cast<std::size_t>(line.front() - '0'), 1000000);
            line.remove_prefix(1);
        }
        if (!line.empty() && line.front() == ' ') line.remove_prefix(1);
    }
    std::string arg(line.substr(0, 80));
    for (char& c : arg)
        if (c == '/' || c == '\\' || c == '\0') c = '_';
    if (!arg.empty() && arg.size() < count) arg.append(count - arg.size(), arg.back());
    return arg;
}

std::vector<std::string> arguments_of(std::string_view input) {
    std::vector<std::string> args{"vandrel-solve"};
    std::size_t start = 0;
    while (start <= input.size() && args.size() <= 24) {
        const std::size_t end = std::min(input.find('\n', start), input.size());
        args.push_back(argument_of(input.substr(start, end - start)));
        start = end + 1;
    }
    return args;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fs::path& folder = vandrel::fuzz::private_folder("vandrel-fuzz-cli");
    for (const auto& entry : fs::directory_iterator(folder)) fs::remove_all(entry.path());

    std::vector<std::string> args = arguments_of(std::string_view(reinterpret_cast<const char*>(data), size));
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    // The program writes its standard output straight to descriptor 1:
    // the null device meanwhile. Its messages go through std::cerr.
    std::ostringstream err;
    const int saved_out = ::dup(1);
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, 1);
    auto* old_err = std::cerr.rdbuf(err.rdbuf());
    const int status = vandrel_solve_main(static_cast<int>(args.size()), argv.data());
    std::cerr.rdbuf(old_err);
    ::dup2(saved_out, 1);
    ::close(saved_out);
    ::close(null);

    std::string line;
    for (const std::string& a : args)
        line += (a.size() > 100 ? a.substr(0, 100) + "...(" + std::to_string(a.size()) + " bytes)" : a) + " ";
    FUZZ_CHECK(status == 0 || status == 1 || status == 2, line + "=> " + std::to_string(status) + " " + err.str());
    bool empty = true;
    for (const auto& entry : fs::directory_iterator(folder)) {
        empty = false;
        FUZZ_CHECK(!entry.path().filename().string().starts_with(".vandrel-"), line + entry.path().string());
    }
    FUZZ_CHECK(status == 0 || empty, line + "=> " + std::to_string(status) + " left files");
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The safe writer from the outside: which names are the standard streams,
// two names of one file refused whether it exists or not, and the streams
// written before any file is put in place, so that a failing stream
// changes no file.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "vandrel/files/output.h"

namespace {

namespace fs = std::filesystem;
using vandrel::files::Destination;
using vandrel::files::Output;
using vandrel::files::Streams;

std::string read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void put(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// Every entry of the folder, one level down too, with a file's content.
std::map<std::string, std::string> listing(const fs::path& folder) {
    std::map<std::string, std::string> out;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const std::string name = entry.path().lexically_relative(folder).string();
        out[name] = fs::is_symlink(entry.symlink_status())   ? "-> " + fs::read_symlink(entry.path()).string()
                    : fs::is_regular_file(entry.status()) ? read(entry.path())
                                                          : "folder";
    }
    return out;
}

// A fresh working folder for each test, with a folder "sub" and links to it,
// to /dev/stdout and to a file "x" that is not there.
class Writer : public ::testing::Test {
protected:
    void SetUp() override {
        char name[] = "/tmp/vandrel-files-test-XXXXXX";
        ASSERT_NE(::mkdtemp(name), nullptr);
        folder_ = fs::canonical(name);
        before_ = fs::current_path();
        fs::current_path(folder_);
        fs::create_directory("sub");
        fs::create_directory_symlink("sub", "to-sub");
        fs::create_symlink("/dev/stdout", "to-stdout");
        fs::create_symlink("to-stdout", "to-to-stdout");
        fs::create_symlink("x", "to-x");
    }
    void TearDown() override {
        fs::current_path(before_);
        fs::remove_all(folder_);
    }
    // The streams, each kept in a string; standard output fails with
    // "No space left on device" when `output_fails`.
    Streams streams(bool output_fails = false) {
        return {[this, output_fails](std::string_view text) {
                    if (output_fails) return std::string("No space left on device");
                    out_ += text;
                    return std::string();
                },
                [this](std::string_view text) {
                    err_ += text;
                    return std::string();
                }};
    }
    fs::path folder_, before_;
    std::string out_, err_;
};

TEST_F(Writer, TellsTheStandardStreamsByAnyOfTheirNames) {
    const std::string pid = std::to_string(::getpid());
    const struct {
        std::string path;
        Destination to;
    } cases[] = {
        {"-", Destination::standard_output},
        {"/dev/stdout", Destination::standard_output},
        {"/dev/stderr", Destination::standard_error},
        {"/proc/self/fd/1", Destination::standard_output},
        {"/dev/fd/2", Destination::standard_error},
        {"/proc/self/fd/../fd/1", Destination::standard_output},
        {"/proc/thread-self/fd/2", Destination::standard_error},
        {"/proc/" + pid + "/fd/1", Destination::standard_output},
        {"to-stdout", Destination::standard_output},
        {"to-to-stdout", Destination::standard_output},
        {"x", Destination::file},
        {"./-", Destination::file},
        {"/dev/fd/01", Destination::file},
        {"/dev/stdin", Destination::file},
        {"/proc/1/fd/1", Destination::file},
    };
    for (const auto& c : cases) EXPECT_EQ(vandrel::files::destination(c.path), c.to) << c.path;
}

TEST_F(Writer, RefusesTwoNamesOfOneFileWhetherItIsThereOrNot) {
    const std::string whole = (folder_ / "x").string();
    const struct {
        const char* name;
        std::string first, second;
        bool existing;  // "x" is there before
        std::string message;
    } cases[] = {
        {"x and ./x", "x", "./x", false, "cannot write ./x: the same file is named for two outputs"},
        {"x and its whole path", "x", whole, false, "cannot write " + whole + ": the same file is named for two outputs"},
        {"x and sub/../x", "x", "sub/../x", false, "cannot write sub/../x: the same file is named for two outputs"},
        {"x and a folder not there", "x", "nosub/../x", false,
         "cannot write nosub/../x: the same file is named for two outputs"},
        {"through a linked folder", "sub/y", "to-sub/y", false,
         "cannot write to-sub/y: the same file is named for two outputs"},
        {"through a link to it", "x", "to-x", false, "cannot write to-x: the same file is named for two outputs"},
        {"x there, and ./x", "x", "./x", true, "cannot write ./x: the same file is named for two outputs"},
        {"two files", "x", "sub/x", false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove("x");
        fs::remove("sub/x");
        fs::remove("sub/y");
        if (c.existing) put("x", "old");
        const auto before = listing(folder_);
        const std::vector<Output> outputs{{c.first, "one"}, {c.second, "two"}};
        EXPECT_EQ(vandrel::files::write_all(outputs, streams()), c.message);
        if (!c.message.empty()) {
            EXPECT_EQ(listing(folder_), before);
        }
    }
    EXPECT_EQ(read("x"), "one");
    EXPECT_EQ(read("sub/x"), "two");
}

TEST_F(Writer, GivesEachStandardStreamOneOutput) {
    const struct {
        const char* name;
        std::vector<Output> outputs;
        bool output_fails;
        std::string message, out, err;
        std::map<std::string, std::string> files;  // what f and g hold after, "" for none
    } cases[] = {
        {"a file and standard output", {{"f", "new f"}, {"-", "report"}}, false, "", "report", "", {{"f", "new f"}}},
        {"/dev/stdout", {{"/dev/stdout", "netlist"}}, false, "", "netlist", "", {{"f", "old f"}}},
        {"/dev/stderr beside -", {{"/dev/stderr", "table"}, {"-", "report"}}, false, "", "report", "table", {}},
        {"- and /dev/stdout",
         {{"-", "one"}, {"/dev/stdout", "two"}},
         false,
         "cannot write /dev/stdout: standard output takes one output only, and another goes there already",
         "",
         "",
         {}},
        {"- twice", {{"-", "one"}, {"-", "two"}}, false,
         "cannot write standard output: standard output takes one output only, and another goes there already",
         "", "", {}},
        {"two names of standard error",
         {{"/dev/stderr", "one"}, {"/proc/self/fd/2", "two"}},
         false,
         "cannot write /proc/self/fd/2: standard error takes one output only, and another goes there already",
         "",
         "",
         {}},
        {"/dev/stdin", {{"/dev/stdin", "x"}}, false,
         "cannot write /dev/stdin: it names descriptor 0 of this program, which is neither standard output nor "
         "standard error",
         "", "", {}},
        {"/dev/fd/7", {{"g", "new g"}, {"/dev/fd/7", "x"}}, false,
         "cannot write /dev/fd/7: it names descriptor 7 of this program, which is neither standard output nor "
         "standard error",
         "", "", {{"g", ""}}},
        {"standard output fails",
         {{"f", "new f"}, {"g", "new g"}, {"-", "report"}},
         true,
         "cannot write standard output: No space left on device",
         "",
         "",
         {{"f", "old f"}, {"g", ""}}},
        {"standard output fails, output on standard error",
         {{"/dev/stderr", "table"}, {"g", "new g"}, {"/dev/stdout", "netlist"}},
         true,
         "cannot write /dev/stdout: No space left on device",
         "",
         "",
         {{"g", ""}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        put("f", "old f");
        fs::remove("g");
        out_.clear();
        err_.clear();
        EXPECT_EQ(vandrel::files::write_all(c.outputs, streams(c.output_fails)), c.message);
        EXPECT_EQ(out_, c.out);
        EXPECT_EQ(err_, c.err);
        for (const auto& [file, content] : c.files) EXPECT_EQ(read(file), content) << file;
        for (const auto& [name, content] : listing(folder_)) EXPECT_NE(name.rfind(".vandrel-", 0), 0u) << name;
    }
}

TEST_F(Writer, WritesTheStreamsBeforeAnyFileIsInPlace) {
    put("f", "old f");
    std::string f_then, g_then = "?";
    const Streams seen{[&](std::string_view) {
                           f_then = read("f");
                           g_then = fs::exists("g") ? "there" : "not there";
                           return std::string();
                       },
                       [](std::string_view) { return std::string(); }};
    const std::vector<Output> outputs{{"f", "new f"}, {"g", "new g"}, {"-", "report"}};
    EXPECT_EQ(vandrel::files::write_all(outputs, seen), "");
    EXPECT_EQ(f_then, "old f");
    EXPECT_EQ(g_then, "not there");
    EXPECT_EQ(read("f"), "new f");
    EXPECT_EQ(read("g"), "new g");
}

TEST_F(Writer, WritesOnlyFilesWhereNoStreamIsGiven) {
    const struct {
        const char* path;
        std::string reason;
    } cases[] = {
        {"-", "it is standard output, not a file"},
        {"/dev/stdout", "it is standard output, not a file"},
        {"to-stdout", "it is standard output, not a file"},
        {"/dev/stderr", "it is standard error, not a file"},
        {"f", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(vandrel::files::write_file(c.path, "text"), c.reason) << c.path;
    EXPECT_EQ(read("f"), "text");
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status("to-stdout")));
}

}  // namespace

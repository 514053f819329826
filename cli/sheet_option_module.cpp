// SPDX-License-Identifier: GPL-3.0-or-later
// --sheet in a build with Qt: the page is drawn by the build sheet module
// (ui/sheet), loaded only now, so that every other run starts without Qt.

#include "sheet_option.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include <filesystem>
#include <ostream>
#include <system_error>

#include "sheet_module.h"

namespace vandrel::cli {
namespace {

namespace fs = std::filesystem;

// The folder of the running program; empty when it cannot be told.
fs::path program_folder() {
    std::error_code error;
#ifdef _WIN32
    wchar_t path[32768];
    const DWORD length = GetModuleFileNameW(nullptr, path, 32768);
    if (length == 0 || length == 32768) return {};
    return fs::path(std::wstring(path, length)).parent_path();
#else
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : self.parent_path();
#endif
}

// The module's entry point, from the program's folder or the module folder
// beside it; nothing, with the reason in `failure`, when it is in neither
// or will not load.
sheet::WriteSheet load_module(std::string& failure) {
#ifdef _WIN32
    const std::string file = std::string(sheet::sheet_module_name) + ".dll";
#else
    const std::string file = std::string(sheet::sheet_module_name) + ".so";
#endif
    const fs::path own = program_folder();
    std::string places;
    for (const fs::path& folder : {own, (own / VANDREL_SHEET_MODULE_DIR).lexically_normal()}) {
        const fs::path path = folder / file;
        if (!places.empty()) places += " or ";
        places += folder.string();
        std::error_code error;
        if (own.empty() || !fs::exists(path, error)) continue;
        // Never unloaded: Qt, once started, stays until the program ends.
#ifdef _WIN32
        if (HMODULE module = LoadLibraryW(path.c_str()))
            if (const auto entry = reinterpret_cast<sheet::WriteSheet>(
                    reinterpret_cast<void*>(GetProcAddress(module, sheet::write_sheet_symbol))))
                return entry;
        failure = path.string() + " could not be loaded";
#else
        if (void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL))
            if (const auto entry = reinterpret_cast<sheet::WriteSheet>(dlsym(module, sheet::write_sheet_symbol)))
                return entry;
        const char* reason = dlerror();
        failure = reason ? std::string(reason) : path.string() + " could not be loaded";
#endif
        return nullptr;
    }
    failure = file + " was not found in " + (own.empty() ? std::string("the program's folder") : places);
    return nullptr;
}

}  // namespace

CLI::Option* add_sheet_option(CLI::App& app, std::optional<std::string>& file) {
    return app.add_option("--sheet", file, "Write a build sheet to FILE: one A4 page of PDF with the diagram and "
                                           "its parts, the parts to buy, the design, the figures and the response")
        ->type_name("FILE");
}

bool add_sheet(std::vector<files::Output>& outputs, const std::string& file, Mode mode,
               const std::map<Field, std::string>& texts, const as_built::AsBuilt& built,
               const as_built::Levels* levels, std::ostream& errors) {
    std::string failure;
    const sheet::WriteSheet write = load_module(failure);
    std::string pdf;
    if (write && !write(mode, texts, built, levels, pdf)) failure = "the build sheet could not be drawn";
    if (!failure.empty()) {
        errors << "vandrel-solve: no file written: " << failure << "\n";
        return false;
    }
    outputs.push_back({file, std::move(pdf)});
    return true;
}

}  // namespace vandrel::cli

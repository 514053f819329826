// SPDX-License-Identifier: GPL-3.0-or-later
#include "run_output.h"

#include <ostream>

namespace vandrel::cli {
namespace {

using files::Destination;

std::string name_of(const files::Output& output) {
    return output.path == "-" ? std::string("-") : output.path.string();
}

}  // namespace

int write_run(std::vector<files::Output> outputs, const Report& report, int status, const files::Streams& streams,
              std::ostream& errors) {
    const files::Output* on_output = nullptr;
    for (const files::Output& o : outputs)
        if (!on_output && files::destination(o.path) == Destination::standard_output) on_output = &o;
    if (on_output && report.json) {
        errors << "vandrel-solve: --json and the output named " << name_of(*on_output)
               << " would both go to standard output, where nothing could read them apart: name a file for "
                  "the output\n";
        return 2;
    }
    if (!on_output) outputs.push_back({"-", report.text});
    if (const std::string failure = files::write_all(outputs, streams); !failure.empty()) {
        errors << "vandrel-solve: " << failure << "\n";
        return 2;
    }
    if (on_output) {
        if (const std::string failure = streams.error(report.text); !failure.empty()) return 2;
    }
    return status;
}

int print(const std::string& text, int status, const files::Streams& streams, std::ostream& errors) {
    if (const std::string failure = streams.output(text); !failure.empty()) {
        errors << "vandrel-solve: cannot write standard output: " << failure << "\n";
        return 2;
    }
    return status;
}

}  // namespace vandrel::cli

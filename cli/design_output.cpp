// SPDX-License-Identifier: GPL-3.0-or-later
#include "design_output.h"

#include <ostream>
#include <string>

#include "vandrel/texts/exact.h"

namespace vandrel::cli {
namespace {

// The design variables by name, in the order they are listed in Module1.
template <typename Visit>
void for_each_variable(const Module1& d, Visit visit) {
    visit("gain", d.gain);
    visit("cfilter", d.cfilter);
    visit("f0", d.f0);
    visit("q", d.q);
    visit("freq_peak", d.freq_peak);
    visit("peakmag", d.peakmag);
    visit("r_feedback", d.r_feedback);
    visit("r1", d.r1);
    visit("r3", d.r3);
    visit("r4", d.r4);
    visit("xc", d.xc);
    visit("f3", d.f3);
}

}  // namespace

nlohmann::ordered_json design_json(const BatchOutcome& o) {
    nlohmann::ordered_json j;
    j["messages"] = o.messages;
    auto& fields = j["fields"] = nlohmann::ordered_json::object();
    for (Field f : all_fields) fields[std::string(control_name(f))] = o.fields.at(f);
    auto& labels = j["labels"] = nlohmann::ordered_json::object();
    for (auto l : all_result_labels) labels[std::string(control_name(l))] = o.labels.at(l);
    j["graph_drawn"] = o.graph_drawn;
    auto& design = j["design"] = nlohmann::ordered_json::object();
    for_each_variable(o.design, [&](const char* name, double v) { design[name] = v; });
    return j;
}

void print_design(std::ostream& out, Mode mode, const BatchOutcome& o) {
    out << "Mode: " << mode_caption(mode) << "\n\nMessages:\n";
    if (o.messages.empty()) out << "  (none)\n";
    for (const auto& m : o.messages) out << "  " << m << "\n";
    out << "\nFields:\n";
    for (Field f : all_fields)
        out << "  " << control_name(f) << std::string(15 - control_name(f).size(), ' ') << "\"" << o.fields.at(f)
            << "\"\n";
    out << "\nResults:\n";
    for (auto l : all_result_labels) out << "  " << control_name(l) << "  \"" << o.labels.at(l) << "\"\n";
    out << "\nGraph: " << (o.graph_drawn ? "drawn" : "not drawn") << "\n\nDesign variables:\n";
    for_each_variable(o.design, [&](const char* name, double v) {
        out << "  " << name << std::string(12 - std::string(name).size(), ' ') << texts::shortest(v) << "\n";
    });
}

}  // namespace vandrel::cli

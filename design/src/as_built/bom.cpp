// SPDX-License-Identifier: GPL-3.0-or-later
// The parts list in the columns that board-assembly services read.
#include <algorithm>

#include "vandrel/as_built/kicad.h"
#include "vandrel/texts/figures.h"

namespace vandrel::as_built {
namespace {

// A CSV field, quoted when it holds a comma, a quote or a line break.
std::string csv_field(const std::string& text) {
    if (text.find_first_of(",\"\n\r") == std::string::npos) return text;
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

struct Row {
    const BoardPart* first;
    std::vector<std::string> designators;
};

bool same_part(const BoardPart& a, const BoardPart& b) {
    return a.kind == b.kind && a.value == b.value && a.footprint == b.footprint && a.tolerance_pct == b.tolerance_pct;
}

}  // namespace

std::string bom_csv(const AsBuilt& built, Footprints footprints) {
    const std::vector<BoardPart> parts = board_parts(built, footprints);
    std::vector<Row> rows;
    for (const BoardPart& p : parts) {
        const auto row = std::find_if(rows.begin(), rows.end(), [&](const Row& r) { return same_part(*r.first, p); });
        if (row == rows.end())
            rows.push_back({&p, {p.reference}});
        else
            row->designators.push_back(p.reference);
    }
    // Resistors, capacitors, the op-amp; each by rising value.
    std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        if (a.first->kind != b.first->kind) return a.first->kind < b.first->kind;
        return a.first->nominal < b.first->nominal;
    });
    std::string out = "Designator,Comment,Footprint,Quantity,Tolerance,Manufacturer,MPN\n";
    for (const Row& r : rows) {
        std::string designators;
        for (const std::string& d : r.designators) designators += (designators.empty() ? "" : ",") + d;
        const std::string& footprint = r.first->footprint;
        const std::string tolerance = r.first->tolerance_pct ? texts::figure(*r.first->tolerance_pct) + "%" : "";
        out += csv_field(designators) + "," + csv_field(r.first->value) + "," +
               csv_field(footprint.substr(footprint.find(':') + 1)) + "," + std::to_string(r.designators.size()) +
               "," + csv_field(tolerance) + ",,\n";
    }
    return out;
}

}  // namespace vandrel::as_built

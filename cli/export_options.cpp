// SPDX-License-Identifier: GPL-3.0-or-later
#include "export_options.h"

#include <filesystem>

#include "vandrel/as_built/exports.h"
#include "vandrel/as_built/frd.h"
#include "vandrel/speaker/frd.h"

namespace vandrel::cli {
namespace {

constexpr const char* group = "Files for other programs";

}  // namespace

ExportOptions::ExportOptions(CLI::App& app) {
    CLI::Option* parts = app.get_option("--parts");
    app.add_option("--filter-frd", filter_frd_,
                   "Write the filter as built, the whole path into its load, as FRD (Hz, dB, phase) to FILE")
        ->type_name("FILE")
        ->needs(parts)
        ->group(group);
    app.add_flag("--frd-absolute", frd_absolute_,
                 "Levels of --filter-frd with the pass-band gain (default: 0 dB in the pass band)")
        ->group(group);
    app.add_option("--system-frd", system_frd_, "Write the subwoofer's SPL with the filter as FRD to FILE")
        ->type_name("FILE")
        ->group(group);
    app.add_option("--kicad", kicad_, "Write the circuit as built as a KiCad 6 schematic to FILE (.kicad_sch)")
        ->type_name("FILE")
        ->needs(parts)
        ->group(group);
    app.add_option("--kicad-netlist", netlist_, "Write the KiCad netlist for Pcbnew to FILE (.net)")
        ->type_name("FILE")
        ->needs(parts)
        ->group(group);
    app.add_option("--bom", bom_, "Write the parts list for board assembly to FILE as CSV")
        ->type_name("FILE")
        ->needs(parts)
        ->group(group);
    app.add_option_function<std::string>(
           "--footprints",
           [this](const std::string& name) { footprints_ = *as_built::footprints_from_name(name); },
           "Footprints of --kicad, --kicad-netlist and --bom: tht (0207 resistors, film capacitors at 5 mm, DIP-8; "
           "the default) or smd (0805, SOIC-8)")
        ->type_name("KIND")
        ->check([](const std::string& name) {
            return as_built::footprints_from_name(name) ? std::string() : "--footprints must be tht or smd, not " + name;
        })
        ->group(group);
}

std::string ExportOptions::prepare(bool speaker_requested) const {
    if (frd_absolute_ && !filter_frd_) return "--frd-absolute needs --filter-frd";
    if (system_frd_ && !speaker_requested)
        return "--system-frd needs a driver and a box: give --driver (or --fs, --qes...) and --vb";
    return {};
}

void ExportOptions::add_outputs(std::vector<files::Output>& outputs, Mode mode, const BatchOutcome& outcome,
                                const as_built::AsBuilt* built, const SpeakerReport* report) const {
    if (built) {
        const Module1& d = outcome.design;
        if (filter_frd_) outputs.push_back({*filter_frd_, as_built::filter_frd(d, mode, *built, frd_absolute_)});
        // The netlist names the schematic beside it, or one of its own name.
        const std::filesystem::path schematic =
            kicad_ ? std::filesystem::path(*kicad_).filename()
                   : std::filesystem::path(netlist_ ? *netlist_ : "vandrel").filename().replace_extension(".kicad_sch");
        if (kicad_) outputs.push_back({*kicad_, as_built::kicad_schematic(d, mode, *built, footprints_)});
        if (netlist_)
            outputs.push_back(
                {*netlist_, as_built::kicad_netlist(d, mode, *built, footprints_, schematic.generic_string())});
        if (bom_) outputs.push_back({*bom_, as_built::bom_csv(*built, footprints_)});
    }
    if (report && system_frd_)
        outputs.push_back({*system_frd_, speaker::system_frd(report->inputs, report->analysis,
                                                             speaker::system_description(report->inputs, report->filter_parts))});
}

}  // namespace vandrel::cli

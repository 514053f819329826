// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// vandrel-solve's files for other programs: FRD curves of the filter and
// of the subwoofer, and a KiCad schematic, netlist and parts list.

#include <CLI/CLI.hpp>

#include <optional>
#include <string>
#include <vector>

#include "speaker_options.h"
#include "vandrel/as_built/kicad.h"
#include "vandrel/as_built/report.h"
#include "vandrel/batch.h"
#include "vandrel/files/output.h"

namespace vandrel::cli {

class ExportOptions {
public:
    /// Adds the options to `app`, which has --parts already.
    explicit ExportOptions(CLI::App& app);

    /// After parsing: "" or, for exit status 2, what is missing.
    std::string prepare(bool speaker_requested) const;

    /// Whether a file was asked for.
    bool writes_files() const { return filter_frd_ || system_frd_ || kicad_ || netlist_ || bom_; }

    /// Adds the files asked for to `outputs`: the filter's with `built`, the
    /// subwoofer's with `report`.
    void add_outputs(std::vector<files::Output>& outputs, Mode mode, const BatchOutcome& outcome,
                     const as_built::AsBuilt* built, const SpeakerReport* report) const;

private:
    std::optional<std::string> filter_frd_, system_frd_, kicad_, netlist_, bom_;
    bool frd_absolute_ = false;
    as_built::Footprints footprints_ = as_built::Footprints::through_hole;
};

}  // namespace vandrel::cli

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// vandrel-solve's subwoofer options: the driver (a file and single
// values), the box, the drive, the suggestion, a measurement and the
// system-response table; and the analysis they ask for.

#include <CLI/CLI.hpp>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "vandrel/as_built/report.h"
#include "vandrel/files/output.h"
#include "vandrel/module1.h"
#include "vandrel/speaker/analysis.h"
#include "vandrel/speaker/suggest.h"

namespace vandrel::cli {

/// What the subwoofer options asked for and what came of it.
struct SpeakerReport {
    speaker::Inputs inputs;
    std::optional<double> watts;                   ///< as given with --watts
    std::string filter_parts;                      ///< "exact", or the --parts source ("E24")
    speaker::Analysis analysis;
    std::optional<speaker::Suggestion> suggestion; ///< with --suggest
    std::vector<std::string> warnings;             ///< the inputs' and files', then the analysis'
};

/// What the rest of the command line adds to a subwoofer run.
struct SpeakerRunExtras {
    std::optional<double> amp_volts;                 ///< the amplifier's most, V rms; none: the drive
    double port_limit = speaker::default_port_limit; ///< m/s peak
    std::optional<speaker::Build> build;             ///< how the suggestion builds its designs
    std::vector<std::string> warnings;               ///< the limits' warnings
};

class SpeakerOptions {
public:
    /// Adds the options to `app`, in a group of their own.
    explicit SpeakerOptions(CLI::App& app);

    /// Whether a driver or box option was given, which makes the analysis run.
    bool requested() const;

    /// Whether the driver alone is asked for: --save-driver without a box
    /// or anything else that needs one. The driver is checked and written;
    /// there is no analysis.
    bool driver_only() const;

    /// After parsing: reads the driver file and the measurement and checks
    /// every value. Returns "" or, for exit status 2, a message naming the
    /// option, the file and its line.
    std::string prepare();

    /// Analyses the driver with the filter when `design_ready` (the parts
    /// of `built`, or without them the exact design of `design` into
    /// `load_kohm`). False, after saying why on standard error, when the
    /// filter lies beyond the range of the calculation.
    bool run(bool design_ready, const Module1& design, const as_built::AsBuilt* built, double load_kohm,
             const SpeakerRunExtras& extras = {});

    /// The driver, the box and the drive once prepare() succeeded.
    const speaker::Driver& driver() const { return driver_; }
    const speaker::Box& box() const { return box_; }
    double volts() const { return volts_value_; }

    /// The report of the last run, or null.
    const SpeakerReport* report() const { return report_ ? &*report_ : nullptr; }

    /// Whether a file was asked for.
    bool writes_files() const { return system_response_file_.has_value() || save_driver_file_.has_value(); }

    /// Adds the files asked for to `outputs` (nothing without a report, but
    /// the driver file when the driver alone is asked for).
    void add_outputs(std::vector<files::Output>& outputs) const;

private:
    std::string prepare_driver();
    std::string prepare_box();

    CLI::App& app_;
    std::optional<std::string> driver_file_;
    std::map<std::string, std::optional<std::string>> driver_texts_;  // "fs" -> the --fs text
    std::optional<std::string> box_type_, vb_, fb_, ql_, port_;
    std::optional<std::string> volts_, watts_;
    bool suggest_ = false;
    std::optional<std::string> measurement_file_, system_response_file_, save_driver_file_;
    bool box_given() const;

    speaker::Driver driver_;
    speaker::Box box_;
    double volts_value_ = speaker::default_volts;
    std::optional<double> watts_value_;
    std::optional<speaker::Measurement> measurement_;
    std::vector<std::string> warnings_;
    std::optional<SpeakerReport> report_;
};

}  // namespace vandrel::cli

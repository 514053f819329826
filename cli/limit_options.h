// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// vandrel-solve's options for what limits the subwoofer (the amplifier's
// most, the port's air) and for the filter's levels (the source's full
// scale, the op-amps' rails, the amplifier's input sensitivity).

#include <CLI/CLI.hpp>

#include <optional>
#include <string>
#include <vector>

#include "vandrel/as_built/levels.h"
#include "vandrel/speaker/analysis.h"

namespace vandrel::cli {

class SpeakerOptions;

class LimitOptions {
public:
    /// Adds the options to `app`, in two groups of their own.
    explicit LimitOptions(CLI::App& app);

    /// After the subwoofer options are prepared: reads and checks every
    /// value. Returns "" or, for exit status 2, a message naming the option.
    std::string prepare(const SpeakerOptions& speaker);

    /// The amplifier's most, V rms (none: the drive), and the port's limit, m/s.
    std::optional<double> amp_volts() const { return amp_volts_value_; }
    double port_limit() const { return port_limit_value_; }

    const as_built::LevelInputs& levels() const { return levels_; }
    /// The subwoofer limits' warnings, and the levels'.
    const std::vector<std::string>& speaker_warnings() const { return speaker_warnings_; }
    const std::vector<std::string>& level_warnings() const { return level_warnings_; }

private:
    std::string prepare_levels();
    std::optional<std::string> amp_volts_, amp_watts_, port_limit_;
    std::optional<std::string> source_volts_, supply_, amp_sensitivity_;
    std::optional<double> amp_volts_value_;
    double port_limit_value_ = speaker::default_port_limit;
    as_built::LevelInputs levels_;
    std::vector<std::string> speaker_warnings_, level_warnings_;
};

}  // namespace vandrel::cli

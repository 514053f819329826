// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the Parts window shows, worked out from a design and the user's
// choices. Plain C++; the window only puts it on screen.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "vandrel/as_built/levels.h"
#include "vandrel/as_built/report.h"
#include "vandrel/module1.h"
#include "vandrel/texts/units.h"
#include "vandrel/window_model.h"
#include "widgets/entry_check.h"

namespace vandrel::ui {

/// The choices the window offers: where the resistors come from, how two
/// are joined, the capacitors bought, the tolerances and the load.
struct PartsChoices {
    as_built::PartSource source;
    as_built::Combine combine = as_built::Combine::single;
    as_built::CapSeries capacitor = as_built::CapSeries::typed;
    double r_pct = 1;      ///< resistor tolerance, +- %
    double c_pct = 5;      ///< capacitor tolerance, +- %
    double load_kohm = 10;
    double source_v = as_built::default_source_volts;  ///< the source's full scale, V rms
    double supply_v = as_built::default_supply_volts;  ///< the op-amps' rails, +- V
    std::optional<double> amp_sensitivity_v;          ///< the amplifier's input for full output, V rms

    friend bool operator==(const PartsChoices&, const PartsChoices&) = default;
};

/// The fields of the filter's levels, with the engine's bounds: the
/// source's full scale and the amplifier's sensitivity (which may be left
/// empty), V rms; the op-amps' rails, +- V (exactly 1.5 V, where an op-amp
/// has no swing left, is refused with the engine's reason).
inline constexpr EntryRange source_volts_entry{"Source full scale", "V", as_built::source_volts_range.lo,
                                               as_built::source_volts_range.hi, false, &texts::volts};
inline constexpr EntryRange supply_entry{"Supply", "V", as_built::supply_range.lo, as_built::supply_range.hi, false,
                                         &texts::volts};
inline constexpr EntryRange amp_sensitivity_entry{"Amplifier sensitivity", "V", as_built::amp_sensitivity_range.lo,
                                                  as_built::amp_sensitivity_range.hi, true, &texts::volts};

/// The sources offered, in the order the window lists them, with their
/// names: "E3" ... "E192", "exact", "as shown".
struct SourceChoice {
    std::string_view name;
    as_built::PartSource source;
};
extern const std::array<SourceChoice, 9> source_choices;

/// The name the window gives a source; "" for one it does not offer.
std::string_view source_choice_name(as_built::PartSource source);
/// The source a name stands for; nothing for any other text.
std::optional<as_built::PartSource> source_choice(std::string_view name);

/// The capacitor choices offered, in order: "as typed", "nearest E6",
/// "nearest E12".
struct CapacitorChoice {
    std::string_view name;
    as_built::CapSeries from;
};
extern const std::array<CapacitorChoice, 3> capacitor_choices;

/// Points a decade of the tolerance band, which is drawn, never read as a
/// number: 40 a decade follow a peak of Q 5 smoothly.
inline constexpr int band_per_decade = 40;
/// Runs the band is taken from: the first 2,000 of the tolerance runs, a
/// fair sample of them (each is drawn on its own), whose 5th and 95th
/// percentiles lie within about half a percentile of all 10,000 runs'. It
/// takes the band from some 36 ms to 7, so the window follows a Solve at
/// once; the figures in the tables use every run.
inline constexpr std::size_t band_runs = 2000;

/// Everything the window shows for one design and one set of choices.
struct PartsFigures {
    Module1 design;
    Mode mode = Mode::butterworth;
    PartsChoices choices;
    /// The parts and what they do; none when they cannot be built.
    std::optional<as_built::AsBuilt> built;
    /// Why there is nothing built ("R3 would be 0k: ...").
    std::string failure;
    /// The response, 1 Hz to 1 kHz, 200 points a decade (as the CSV file).
    std::vector<as_built::ResponseRow> rows;
    /// The tolerance band of the path's level at band_hz (from band_runs runs),
    /// for drawing.
    std::vector<double> band_hz;
    std::vector<as_built::Band> band;
    /// The levels inside the parts at full scale, their inputs' unusual
    /// values among the warnings first; none without parts, or where the
    /// inputs cannot be (then `levels_failure` says why).
    std::optional<as_built::Levels> levels;
    std::string levels_failure;
};

/// Works out the figures for `design`, solved in `mode`, with `choices`.
PartsFigures work_out(const Module1& design, Mode mode, const PartsChoices& choices);

/// The response table with its context, as "Save response as CSV" writes
/// it: the band at every row, over band_runs of the tolerance runs (all of
/// them would take some 200 ms).
std::string response_csv_file(const PartsFigures& figures);

}  // namespace vandrel::ui

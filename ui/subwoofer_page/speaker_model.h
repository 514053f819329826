// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the Parts window's Subwoofer page shows, worked out from its inputs
// and the filter of the first page. Plain C++; the page only puts it on
// screen.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "widgets/entry_check.h"
#include "vandrel/as_built/report.h"
#include "vandrel/module1.h"
#include "vandrel/window_model.h"
#include "vandrel/speaker/analysis.h"
#include "vandrel/speaker/driver_file.h"
#include "vandrel/speaker/suggest.h"
#include "vandrel/texts/units.h"

namespace vandrel::ui {

/// A field of the page for a value the engine limits to `limits`, named
/// `symbol` as the page shows it, in `unit`, reading the units of
/// `quantity` (those speaker::quantity_of gives the parameter); every one
/// may be left empty (not given).
constexpr EntryRange speaker_entry(const speaker::Limits& limits, std::string_view symbol, std::string_view unit,
                                   const texts::Quantity& quantity) {
    return {symbol, unit, limits.lo, limits.hi, true, &quantity};
}

inline constexpr EntryRange fs_entry = speaker_entry(speaker::fs_limits, "fs", "Hz", texts::hertz);
inline constexpr EntryRange qes_entry = speaker_entry(speaker::qes_limits, "Qes", "", texts::ratio);
inline constexpr EntryRange qms_entry = speaker_entry(speaker::qms_limits, "Qms", "", texts::ratio);
inline constexpr EntryRange qts_entry = speaker_entry(speaker::qts_limits, "Qts", "", texts::ratio);
inline constexpr EntryRange vas_entry = speaker_entry(speaker::vas_limits, "Vas", "L", texts::litres);
inline constexpr EntryRange re_entry = speaker_entry(speaker::re_limits, "Re", "\u03a9", texts::ohms);
inline constexpr EntryRange sd_entry = speaker_entry(speaker::sd_limits, "Sd", "cm\u00b2", texts::square_centimetres);
inline constexpr EntryRange xmax_entry = speaker_entry(speaker::xmax_limits, "Xmax", "mm", texts::millimetres);
inline constexpr EntryRange le_entry = speaker_entry(speaker::le_limits, "Le", "mH", texts::millihenries);
inline constexpr EntryRange pe_entry = speaker_entry(speaker::pe_limits, "Pe", "W", texts::watts);
inline constexpr EntryRange vb_entry = speaker_entry(speaker::vb_limits, "Vb", "L", texts::litres);
inline constexpr EntryRange fb_entry = speaker_entry(speaker::fb_limits, "fb", "Hz", texts::hertz);
inline constexpr EntryRange ql_entry = speaker_entry(speaker::ql_limits, "Ql", "", texts::ratio);
inline constexpr EntryRange port_entry = speaker_entry(speaker::port_limits, "Port diameter", "cm", texts::centimetres);
inline constexpr EntryRange volts_entry = speaker_entry(speaker::volts_limits, "Volts", "V", texts::volts);
inline constexpr EntryRange watts_entry = speaker_entry(speaker::watts_limits, "Watts", "W", texts::watts);
inline constexpr EntryRange amp_volts_entry = speaker_entry(speaker::amp_volts_limits, "Amp volts", "V", texts::volts);
inline constexpr EntryRange amp_watts_entry = speaker_entry(speaker::amp_watts_limits, "Amp watts", "W", texts::watts);
/// The port's air velocity limit: m/s only, which no other field reads.
inline constexpr EntryRange port_limit_entry{"Port air limit", "m/s", speaker::port_limit_limits.lo,
                                             speaker::port_limit_limits.hi, true, nullptr};

/// How the drive is given.
enum class DriveUnit { volts, watts };

/// The leakage Q a box has unless the user gives another: 7 for a vented
/// box, none (no leakage) for a sealed one, as on the command line.
std::optional<double> default_ql(speaker::Box::Type box);

/// The page's inputs as its fields hold them; a value not given is none.
struct SpeakerInputs {
    speaker::DriverValues driver;
    speaker::Box::Type box = speaker::Box::Type::vented;
    std::optional<double> vb;                                  ///< litres
    std::optional<double> fb;                                  ///< Hz, vented only
    std::optional<double> ql = speaker::default_vented_ql;     ///< none: no leakage
    /// Ql as the user typed it, kept whatever the box; else it follows the
    /// box's default.
    bool ql_typed = false;
    std::optional<double> port;                                ///< cm, vented only; none: no port velocity
    DriveUnit drive = DriveUnit::volts;
    std::optional<double> volts = speaker::default_volts;      ///< V rms
    std::optional<double> watts;                               ///< W into Re
    /// The amplifier's most output, given as volts or as watts into Re;
    /// neither given: the drive.
    DriveUnit amp = DriveUnit::volts;
    std::optional<double> amp_volts;                           ///< V rms
    std::optional<double> amp_watts;                           ///< W into Re
    /// The port's air velocity not to exceed, m/s peak; used with a port
    /// diameter only, and none is the default.
    std::optional<double> port_limit = speaker::default_port_limit;
};

/// The filter ahead of the amplifier: the signal path of the parts chosen
/// on the first page, and the design it was built for.
struct SpeakerFilter {
    as_built::PathParts path;
    std::string parts;  ///< where its resistors come from: "E24", "exact"
    Module1 design;
    Mode mode = Mode::butterworth;
    std::string failure;  ///< why there is no path: not even the exact design can be built
    /// How the first page builds it (its series, combination, capacitors,
    /// load and tolerances): the suggestion builds its designs so.
    as_built::Options options;
};

/// Everything the page shows for its inputs and a filter.
struct SpeakerFigures {
    std::optional<speaker::Inputs> system;      ///< the checked inputs with the filter; none while some are missing or wrong
    std::optional<speaker::Analysis> analysis;  ///< with `system`
    std::optional<double> watts;                ///< the drive as given in watts
    std::optional<double> amp_watts;            ///< the amplifier's most as given in watts
    std::string filter_parts;                   ///< "E24", "exact"
    std::vector<std::string> problems;          ///< why there is no analysis, a sentence each
    std::vector<std::string> warnings;          ///< unusual values, then the analysis' warnings
};

/// Checks the inputs and analyses the system with `filter` (and a
/// measurement, if any).
SpeakerFigures work_out_speaker(const SpeakerInputs& inputs, const SpeakerFilter& filter,
                                const speaker::Measurement* measurement);

/// A driver file's values for the page: the values, or what is wrong with
/// them on the line that gives them. Values that cannot exist are refused;
/// missing ones are not (the page says what is missing).
struct DriverLoad {
    std::optional<speaker::DriverValues> values;
    speaker::FileProblem problem;
    std::vector<std::string> warnings;  ///< the file's own ("line 9: ..."), for people
};
DriverLoad driver_for_page(const speaker::DriverFile& file);

/// Whether a driver file gives any of the driver's values (fs ... Pe; a
/// name alone is none).
bool gives_driver_values(const speaker::DriverValues& values);

/// What opening driver file `file_name` did to the driver's fields, which
/// held `before`: "d.txt gave fs and Vas; the name, Qes, Qms, Re, Sd, Xmax
/// and Le are empty now." Empty where it emptied no field.
std::string driver_file_note(std::string_view file_name, const speaker::DriverValues& before,
                             const speaker::DriverValues& after);

/// What the Ql field says of a value typed that differs from the box's
/// default: "Ql 12 as typed; the sealed box's default is none."
std::string typed_ql_note(std::optional<double> ql, speaker::Box::Type box);

/// A sealed box's resonance and Q with the driver in it: "Sealed box: fc
/// 38.57 Hz, Qtc 0.7061"; empty for a vented box.
std::string sealed_box_text(const speaker::Inputs& system);
/// The form "Save driver…" writes: by the name's suffix, in any case (a
/// WinISD file for ".wdr", name = value lines for ".txt"), else by the
/// filter chosen in the dialog.
speaker::DriverFormat driver_save_format(std::string_view file_name, bool wdr_filter_chosen);

/// An engine's sentence with the parameters written as the page shows them,
/// and a capital first: "qes (or qts) is missing" -> "Qes (or Qts) is
/// missing".
std::string page_sentence(const speaker::Issue& issue);
/// The same for any of the engine's texts.
std::string page_words(std::string text);

/// One row of the figures table: its name on the page, then the texts
/// without and with the filter.
struct FigureRow {
    const char* key;  ///< "f3", "spl20", "spl30", "spl40", "excursion", "port"
    std::string without;
    std::string with;
};
std::vector<FigureRow> figure_rows(const speaker::Analysis& analysis);

/// "110.2 dB SPL at 1 m at 30 V (272.7 W into Re); filter: E24 parts".
std::string passband_text(const SpeakerFigures& figures);

/// Where the filtered cone goes beyond Xmax: "Beyond Xmax (12.5 mm) with
/// the filter: up to 21.44 Hz", or "...: never".
std::string unsafe_text(const speaker::Analysis& analysis, double xmax_mm);

/// A suggested design as one line: "SOS User-specified, 27.1 Hz, Q 1.13:
/// f3 25.01 Hz, peak excursion 12.48 mm at 38.15 Hz".
std::string design_text(const speaker::Design& design);

/// Whether the filter is the suggested design (its mode, frequency and Q).
bool is_design(const SpeakerFilter& filter, const speaker::Design& design);

/// "Example 12-inch in a 70 L vented box tuned to 27 Hz, 30 V", for captions.
std::string system_caption(const speaker::Inputs& system);

/// The caption of a saved plot: the program, the system and the filter
/// ("Vandrel 1.01: ... 30 V; filter Butterworth, f0 17 Hz, Q 0.707, E24
/// parts").
std::string plot_caption(const SpeakerFigures& figures, const SpeakerFilter& filter);

/// The page's plots in words, for screen readers: their key figures, or
/// why there is nothing to plot.
std::string spl_summary(const SpeakerFigures& figures);
std::string excursion_summary(const SpeakerFigures& figures);
std::string port_summary(const SpeakerFigures& figures);

/// The value of a table (on speaker::grid_hz()) at `hz`, straight between
/// its points in log f; the end point's beyond them.
double table_at(const std::vector<double>& values, double hz);

}  // namespace vandrel::ui

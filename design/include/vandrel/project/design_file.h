// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A design file (.vandrel): one JSON object with a version number that
// holds every input of a design as its text, as typed in the windows or
// given on the command line: the main window's mode and fields, the parts
// choices, the driver, the box, the drive, the limits and the path of a
// measurement.
//
// {"format": "vandrel-design", "version": 1,
//  "filter": {"mode": "sos", "cfilter": "1.0", "gain": "6", "freq": "17", "q": ".707"},
//  "parts": {"series": "E24", "combine": "single", "r_tol": 1, "c_tol": 5, "load": 10, "cap_series": "typed"},
//  "driver": {"name": "...", "fs": 26, "qes": 0.48, ...}, "box": {"type": "vented", "vb": 70, "fb": 27},
//  "drive": {"volts": 2.83}, "limits": {"amp_volts": 20, ...}, "measurement": "room.frd"}
//
// Units are those of the windows and of vandrel-solve's options of the same
// names (litres, cm^2, mm, mH, kOhm, %). Every section and value may be
// left out. A value is a string or a number, kept as text; its meaning is
// checked where it is used, as a typed value is.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vandrel::project {

/// The version this program writes and reads.
inline constexpr int design_version = 1;
/// Largest design file read, bytes.
inline constexpr std::size_t max_design_bytes = 1 << 20;
/// Longest text of one value, bytes.
inline constexpr std::size_t max_value_bytes = 4096;

using Text = std::optional<std::string>;

struct FilterInputs {
    Text mode;  ///< "butterworth", "sos" or "peaking"
    Text cfilter, gain, freq, q, freq_peak, peakmag;  ///< the main window's fields as typed
};

struct PartsInputs {
    Text series;      ///< "exact", "shown" or a series ("E24"); none: no parts chosen
    Text combine;     ///< "single", "series" or "parallel"
    Text r_tol, c_tol;  ///< %
    Text load;        ///< kOhm
    Text cap_series;  ///< "typed", "E6" or "E12"
};

struct DriverInputs {
    Text name;
    Text fs, qes, qms, qts, vas, re, sd, xmax, le, pe;  ///< Hz, -, -, -, litres, ohms, cm^2, mm, mH, W
};

struct BoxInputs {
    Text type;  ///< "sealed" or "vented"
    Text vb, fb, ql, port_diameter;  ///< litres, Hz, Q or "none", cm
};

struct DriveInputs {
    Text volts, watts;  ///< V rms, W into Re
};

struct LimitInputs {
    Text amp_volts, amp_watts, port_limit, source_volts, supply, amp_sensitivity;  ///< V, W, m/s, V, V, V
};

/// Every input of one design.
struct Design {
    FilterInputs filter;
    PartsInputs parts;
    DriverInputs driver;
    BoxInputs box;
    DriveInputs drive;
    LimitInputs limits;
    Text measurement;  ///< the path of the measurement in use
};

/// One value of a design by its place in the file.
struct Entry {
    std::string_view section;  ///< "filter", "parts"...; "" for the measurement
    std::string_view key;      ///< "cfilter", "r_tol"...; "measurement"
    Text* value = nullptr;
};

/// Every value of `design`, in the file's order.
std::vector<Entry> entries(Design& design);

/// What a reader made of a design file.
struct DesignRead {
    std::optional<Design> design;
    std::string problem;  ///< when there is none: one sentence naming what is wrong
};

/// Reads a design from its text. Refused with what is wrong: text that is
/// not JSON or not an object, a "format" other than "vandrel-design", a
/// missing or non-integer version, a version newer or older than
/// design_version, an unknown section or key, a value that is not a string
/// or number (the mode, series, combine, cap_series and box type: not one
/// of their names), a value longer than max_value_bytes, nesting deeper
/// than a section's object, more than max_design_bytes.
DesignRead parse_design(std::string_view text);

/// Reads a design file (a regular file of at most max_design_bytes).
DesignRead read_design(const std::filesystem::path& path);

/// The design file's text: every value given, numbers where the text is a
/// plain decimal number, else strings; two-space indents, a final line break.
std::string design_text(const Design& design);

}  // namespace vandrel::project

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The build sheet: one A4 page to take to the bench, with the circuit
// annotated with the parts chosen, the parts to buy, the design as typed,
// the figures and their spread from tolerance, and the response; and, where
// a subwoofer is given, a second page with the driver, the box, what the
// filter does to it and the suggestion used. It needs Qt Gui only, and a
// QGuiApplication, which may run on the "offscreen" platform.

#include <QByteArray>
#include <QSizeF>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "vandrel/as_built/levels.h"
#include "vandrel/as_built/report.h"
#include "vandrel/speaker/analysis.h"
#include "vandrel/speaker/suggest.h"
#include "vandrel/window_model.h"

class QPainter;

namespace vandrel::sheet {

/// The design as the user gave it.
struct TypedDesign {
    Mode mode = Mode::butterworth;
    std::map<Field, std::string> texts;  ///< the six field texts of the solved design, UTF-8
};

/// The subwoofer behind the filter, for the second page.
struct SubwooferSheet {
    speaker::Inputs system;                     ///< the driver, the box, the drive and the filter's path
    speaker::Analysis analysis;
    std::string filter;                         ///< the filter's design: "Butterworth, f0 17 Hz, Q 0.707"
    std::string filter_parts;                   ///< where the filter's resistors come from: "E24", "exact"
    std::optional<speaker::Design> suggestion;  ///< the suggested design the filter is, if it is one
    std::vector<std::string> warnings;          ///< for people, a sentence each
};

/// The page, A4, in points.
inline constexpr QSizeF page_size{595.276, 841.89};

/// The title the PDF carries.
inline constexpr char sheet_title[] = "Vandrel build sheet";

/// Paints the sheet onto a painter whose unit is the point, from the top left
/// corner of the page; with `levels`, the filter's levels at full scale too.
void paint_sheet(QPainter& painter, const TypedDesign& design, const as_built::AsBuilt& built,
                 const as_built::Levels* levels = nullptr);

/// Paints the second page, as paint_sheet does the first.
void paint_subwoofer_sheet(QPainter& painter, const SubwooferSheet& subwoofer);

/// The sheet as a PDF of one A4 page, or two with `subwoofer`, titled
/// sheet_title, with the levels where given. With
/// SOURCE_DATE_EPOCH set (seconds since 1970) the file carries that creation
/// date, so that a sheet drawn again is the same file byte for byte; else the
/// time of drawing. Empty when it could not be drawn.
QByteArray build_sheet_pdf(const TypedDesign& design, const as_built::AsBuilt& built, const as_built::Levels* levels,
                           const SubwooferSheet* subwoofer = nullptr);

}  // namespace vandrel::sheet

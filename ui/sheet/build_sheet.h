// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The build sheet: one A4 page to take to the bench, with the circuit
// annotated with the parts chosen, the parts to buy, the design as typed,
// the figures and their spread from tolerance, and the response. It needs Qt
// Gui only, and a QGuiApplication, which may run on the "offscreen"
// platform.

#include <QByteArray>
#include <QSizeF>

#include <map>
#include <string>

#include "vandrel/as_built/report.h"
#include "vandrel/window_model.h"

class QPainter;

namespace vandrel::sheet {

/// The design as the user gave it.
struct TypedDesign {
    Mode mode = Mode::butterworth;
    std::map<Field, std::string> texts;  ///< the six field texts of the solved design, UTF-8
};

/// The page, A4, in points.
inline constexpr QSizeF page_size{595.276, 841.89};

/// The title the PDF carries.
inline constexpr char sheet_title[] = "Vandrel build sheet";

/// Paints the sheet onto a painter whose unit is the point, from the top left
/// corner of the page.
void paint_sheet(QPainter& painter, const TypedDesign& design, const as_built::AsBuilt& built);

/// The sheet as a PDF of one A4 page, titled sheet_title. With
/// SOURCE_DATE_EPOCH set (seconds since 1970) the file carries that creation
/// date, so that a sheet drawn again is the same file byte for byte; else the
/// time of drawing. Empty when it could not be drawn.
QByteArray build_sheet_pdf(const TypedDesign& design, const as_built::AsBuilt& built);

}  // namespace vandrel::sheet

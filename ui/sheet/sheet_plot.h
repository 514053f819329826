// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The build sheet's two plots, drawn with QPainter from the response of the
// parts: the levels from 1 Hz to 1 kHz (the exact design's section, dashed;
// the section and the whole path as built; the band in which 90 % of builds
// of the path lie) and the path's group delay.

#include <QRectF>

#include <span>
#include <vector>

#include "vandrel/as_built/report.h"

class QPainter;

namespace vandrel::sheet {

/// The band of the path's level: the 5th and 95th percentile over the
/// tolerance runs at each frequency.
struct LevelBand {
    std::vector<double> hz;
    std::vector<as_built::Band> levels;
};

/// The band of `built` from all of its tolerance runs, 40 points a decade
/// from 1 Hz to 1 kHz.
LevelBand level_band(const as_built::AsBuilt& built);

/// The level plot, frame, labels and legend inside `area` (points).
void paint_levels(QPainter& painter, const QRectF& area, std::span<const as_built::ResponseRow> rows,
                  const LevelBand& band);

/// The group delay plot inside `area` (points).
void paint_group_delay(QPainter& painter, const QRectF& area, std::span<const as_built::ResponseRow> rows);

}  // namespace vandrel::sheet

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The magnitude-response graph of the high-pass section.

#include <cstdint>
#include <string_view>

namespace vandrel {

/// A colour as red, green, blue, 0 to 255 each.
struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

/// A picture box that draws in a user coordinate scale whose left and top
/// are 0: x runs from 0 to the scale width across the inside of the
/// surface, y from 0 at the top to the scale height at the bottom.
/// Drawing past an edge is cut off.
class PictureSurface {
public:
    virtual ~PictureSurface() = default;

    /// Height of the user scale, in user units.
    virtual void ScaleHeight(float height) = 0;
    /// Width of the user scale, in user units.
    virtual void ScaleWidth(float width) = 0;
    /// Fills the surface with its background colour; the current position
    /// moves to (0, 0).
    virtual void Cls() = 0;
    /// Pen width for Line and PSet, in logical pixels.
    virtual void DrawWidth(int pixels) = 0;
    /// Colour used by Line, PSet and Print.
    virtual void ForeColor(Rgb colour) = 0;
    /// Straight line between two points of the user scale.
    virtual void Line(float x1, float y1, float x2, float y2) = 0;
    /// Sets one point and makes it the current position.
    virtual void PSet(float x, float y) = 0;
    /// Draws text with the top-left corner of its first character cell at
    /// the current position.
    virtual void Print(std::string_view text) = 0;
};

namespace graph_colours {
inline constexpr Rgb light_grid{240, 240, 240};
inline constexpr Rgb dark_grid{196, 196, 196};
inline constexpr Rgb zero_db_line{96, 96, 96};  ///< also the labels and their points
inline constexpr Rgb minus_3db_line{255, 96, 96};
inline constexpr Rgb curve{55, 106, 240};
}  // namespace graph_colours

/// Number of samples of the response curve (1 Hz to just under 99 Hz in
/// steps of 0.1 Hz).
inline constexpr int graph_curve_points = 981;

/// Level of the high-pass section at frequency f, in dB (0 dB in the pass
/// band), for natural frequency f0 (Hz) and quality factor q (non-zero).
double response_level_db(double f, double f0, double q);

/// Draws the whole graph: user scale 20 high and ln 100 wide, grid,
/// 0 dB and -3 dB lines, frequency and level labels, and the response curve
/// for natural frequency f0 (Hz) and quality factor q (non-zero), sampled
/// from 1 Hz to 99 Hz every 0.1 Hz.
void draw_graph(PictureSurface& surface, double f0, double q);

}  // namespace vandrel

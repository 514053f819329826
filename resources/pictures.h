// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Vandrel's pictures: the two circuit diagrams, the About window's logo and
// separator line, and the two window icons.
//
// The diagrams, the logo and the separator are drawn by the program for the
// device pixel ratio of the screen they go on, so they stay sharp at any
// scale factor. At a ratio of 1 the diagrams are drawn without smoothing, in
// exactly their five colours; above 1 they are drawn smoothed at the screen's
// own resolution. The icons come from the SVG sources in icons/, rendered to
// PNG at several sizes when the program is built.

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QStringList>

class QPainter;

namespace vandrel::pictures {

/// Logical sizes: what each picture covers at a scale factor of 1.
inline constexpr QSize diagram_size{395, 197};
inline constexpr QSize logo_size{81, 81};
inline constexpr QSize separator_size{748, 2};

/// The five colours of the circuit diagrams.
namespace diagram_colour {
inline constexpr QColor background{0xE0, 0xE0, 0xE0};
/// Wires, symbols, values, connector, op-amp and supply labels, captions.
inline constexpr QColor ink{0x00, 0x84, 0xDE};
/// The designators of the parts the window deals with: R1, R3, R4, the two C.
inline constexpr QColor designator{0xDE, 0x5A, 0x00};
inline constexpr QColor opamp_fill{0xFF, 0xFF, 0xEF};
/// The - and + at the op-amp inputs.
inline constexpr QColor sign{0xBD, 0x00, 0x21};
}  // namespace diagram_colour

/// The two versions of the circuit: the input buffer with a gain stage
/// (15k, 0.01uf, R1) or as a plain follower. From the buffer's output node
/// onwards (x = 180 and right of it) both are the same picture.
enum class Diagram { with_gain, without_gain };

/// The circuit diagram, diagram_size logical pixels at `device_pixel_ratio`.
/// At a ratio of 1 it is the picture this code drew when the program was
/// built, kept as a resource; at any other ratio it is drawn now.
QPixmap circuit_diagram(Diagram which, qreal device_pixel_ratio);

/// The circuit diagram, drawn now.
QPixmap draw_circuit_diagram(Diagram which, qreal device_pixel_ratio);

/// Lines written beside the parts of a diagram, as a build sheet annotates
/// it with the parts chosen: under R1 (or under the follower, which has no
/// R1), R3 and R4, and under each C. An empty list writes nothing.
struct DiagramNotes {
    QStringList r1;
    QStringList r3;
    QStringList r4;
    QStringList c;
};

/// Paints the circuit diagram with `notes`, smoothed, onto diagram_size
/// logical pixels from the painter's origin, in the painter's transform: a
/// vector drawing on a PDF page, for instance.
void paint_circuit_diagram(QPainter& painter, Diagram which, const DiagramNotes& notes);

/// The About window's logo: a high-pass magnitude response with its
/// passband level (blue) and -3 dB level (red), logo_size logical pixels.
QPixmap about_logo(qreal device_pixel_ratio);

/// The About window's etched line: a grey row over a white one,
/// separator_size logical pixels.
QPixmap separator(qreal device_pixel_ratio);

/// The main window's icon: a blue response curve crossed by an orange-red line.
QIcon main_icon();
/// The About window's icon: an orange-red "i" in a blue ring.
QIcon about_icon();

}  // namespace vandrel::pictures

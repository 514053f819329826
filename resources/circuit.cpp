// SPDX-License-Identifier: GPL-3.0-or-later
// The two circuit diagrams: input buffer (with gain stage or as a follower),
// the Sallen-Key high-pass, the series 200 ohm and the connectors.
//
// Coordinates are the diagram's logical pixels: a point (x, y) is the pixel
// in column x and row y; lines are one pixel wide. Unsmoothed (ratio 1) the
// painter puts a one-pixel line at (x, y) on exactly that pixel; smoothed,
// points go to pixel centres, (x + 0.5, y + 0.5), so a line covers the same
// area whatever the scale.

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <initializer_list>
#include <utility>

#include "canvas.h"
#include "pictures.h"

namespace vandrel::pictures {
namespace {

namespace colour = diagram_colour;

// Rows and columns of the schematic.
constexpr int y_top_wire = 14;  // R3 to the high-pass op-amp's output
constexpr int y_ground = 170;   // ground wire along the bottom
constexpr int y_caption = 184;  // centre line of the stage captions
constexpr int y_shunt = 145;    // middle of the resistors down to ground

constexpr int y_in = 116;  // input wire = buffer's non-inverting input
constexpr int x_in = 12;   // input connector
constexpr int x_node = 58; // node after the coupling capacitor
constexpr int x_inv1 = 100;  // vertical wire of the buffer's inverting input
constexpr int x_out1 = 176;  // buffer output node (feedback returns here)
constexpr int y_fb_c = 24;   // feedback capacitor branch
constexpr int y_fb_r = 50;   // feedback resistor branch (plain wire without gain)

constexpr int x_c1 = 192;
constexpr int x_junction = 212;  // between the two C; R3 goes up from here
constexpr int x_c2 = 230;
constexpr int x_r4 = 250;
constexpr int x_inv2 = 256;
constexpr int y_tie2 = 38;  // inverting input tied to the output over the top
constexpr int x_out2 = 332;
constexpr int x_out = 382;  // output connector

struct OpAmp {
    int left, tip, centre;
};
constexpr OpAmp buffer{110, 164, 104};
constexpr OpAmp high_pass{266, 320, 92};

// The build sheet's notes beside the parts: near black, smaller than the
// designators.
constexpr QColor note_ink{0x20, 0x20, 0x20};
constexpr int note_pixel_size = 8;

// Where a text sits against its reference point: horizontally left, centre
// or right; vertically on the baseline, below the top, or centred.
enum class Across { left, centre, right };
enum class Down { baseline, top, middle };

class Schematic {
public:
    Schematic(QPainter& painter, bool smooth) : p_(painter), offset_(smooth ? 0.5 : 0.0) {
        p_.setRenderHint(QPainter::Antialiasing, smooth);
        p_.setRenderHint(QPainter::TextAntialiasing, smooth);
        QPen pen(colour::ink, 1.0, Qt::SolidLine, smooth ? Qt::RoundCap : Qt::SquareCap, Qt::RoundJoin);
        p_.setPen(pen);
        const auto font = [smooth](bool bold) {
            QFont f(QStringLiteral("DejaVu Sans"));
            f.setStyleHint(QFont::SansSerif);
            f.setPixelSize(10);
            f.setBold(bold);
            f.setStyleStrategy(smooth ? QFont::PreferAntialias : QFont::NoAntialias);
            return f;
        };
        normal_ = font(false);
        bold_ = font(true);
        note_ = normal_;
        note_.setPixelSize(note_pixel_size);
    }

    QPointF at(int x, int y) const { return {x + offset_, y + offset_}; }

    void wire(std::initializer_list<QPoint> points) { line(points, colour::ink); }

    void line(std::initializer_list<QPoint> points, const QColor& c) {
        QPolygonF polyline;
        for (const QPoint& q : points) polyline << at(q.x(), q.y());
        p_.setPen(pen(c));
        p_.drawPolyline(polyline);
    }

    // A filled rectangle of whole pixels, columns x0..x1 and rows y0..y1.
    void block(int x0, int y0, int x1, int y1) { p_.fillRect(QRectF(x0, y0, x1 - x0 + 1, y1 - y0 + 1), colour::ink); }

    void dot(int x, int y) {
        p_.setPen(pen(colour::ink));
        p_.setBrush(colour::ink);
        p_.drawEllipse(at(x, y), 2.0, 2.0);
        p_.setBrush(Qt::NoBrush);
    }

    void ring(int x, int y, int r) {
        p_.setPen(pen(colour::ink));
        p_.drawEllipse(at(x, y), r, r);
    }

    void text(int x, int y, const QString& s, Across across, Down down, bool designator = false) {
        const QFont& f = designator ? bold_ : normal_;
        const QFontMetricsF m(f);
        qreal left = x;
        if (across == Across::centre) left -= m.horizontalAdvance(s) / 2;
        if (across == Across::right) left -= m.horizontalAdvance(s);
        qreal baseline = y;
        if (down == Down::top) baseline += m.ascent();
        if (down == Down::middle) baseline += (m.ascent() - m.descent()) / 2;
        p_.setFont(f);
        p_.setPen(designator ? colour::designator : colour::ink);
        p_.drawText(QPointF(left + offset_, baseline + offset_), s);
    }

    // The width of a note's longest line.
    qreal note_width(const QStringList& lines) const {
        const QFontMetricsF m(note_);
        qreal widest = 0;
        for (const QString& line : lines) widest = std::max(widest, m.horizontalAdvance(line));
        return widest;
    }

    // Lines of a note, the first one's top at `top`.
    void note(int x, int top, const QStringList& lines, Across across) {
        const QFontMetricsF m(note_);
        p_.setFont(note_);
        p_.setPen(note_ink);
        qreal baseline = top + m.ascent();
        for (const QString& line : lines) {
            qreal left = x;
            if (across == Across::centre) left -= m.horizontalAdvance(line) / 2;
            if (across == Across::right) left -= m.horizontalAdvance(line);
            // On the background, so that a long one crossing a wire stays readable.
            p_.fillRect(QRectF(left + offset_ - 1, baseline + offset_ - m.ascent(), m.horizontalAdvance(line) + 2,
                               m.ascent() + m.descent()),
                        colour::background);
            p_.drawText(QPointF(left + offset_, baseline + offset_), line);
            baseline += m.ascent() + m.descent();
        }
    }

    // Ring with a centre dot; the label above it.
    void connector(int x, int y, const QString& label) {
        ring(x, y, 5);
        block(x - 1, y - 1, x + 1, y + 1);
        text(x, y - 8, label, Across::centre, Down::baseline);
    }

    // A zigzag of six strokes, `body` long, centred between x0 and x1.
    int resistor_h(int x0, int x1, int y, int body = 24) {
        const int mid = (x0 + x1) / 2;
        zigzag(mid - body / 2, mid + body / 2, [y](int along, int side) { return QPoint(along, y + side); });
        wire({{x0, y}, {mid - body / 2, y}});
        wire({{mid + body / 2, y}, {x1, y}});
        return mid;
    }

    int resistor_v(int x, int y0, int y1, int mid) {
        constexpr int body = 24;
        zigzag(mid - body / 2, mid + body / 2, [x](int along, int side) { return QPoint(x - side, along); });
        wire({{x, y0}, {x, mid - body / 2}});
        wire({{x, mid + body / 2}, {x, y1}});
        return mid;
    }
    int resistor_v(int x, int y0, int y1) { return resistor_v(x, y0, y1, (y0 + y1) / 2); }

    // Two plates at xc in a horizontal wire.
    void capacitor_h(int x0, int x1, int y, int xc) {
        wire({{x0, y}, {xc - 2, y}});
        wire({{xc + 2, y}, {x1, y}});
        for (int px : {xc - 3, xc + 2}) block(px, y - 6, px + 1, y + 6);
    }

    // The triangle with its input marks, type and supply pins; returns the
    // rows of the inverting and non-inverting inputs.
    std::pair<int, int> opamp(const OpAmp& o) {
        const int half = (o.tip - o.left) * 30 / 54;
        const int top = o.centre - half;
        const int bottom = o.centre + half;
        p_.setPen(pen(colour::ink));
        p_.setBrush(colour::opamp_fill);
        p_.drawPolygon(QPolygonF{at(o.left, top), at(o.left, bottom), at(o.tip, o.centre)});
        p_.setBrush(Qt::NoBrush);
        const int y_minus = o.centre - 12;
        const int y_plus = o.centre + 12;
        line({{o.left + 3, y_minus}, {o.left + 7, y_minus}}, colour::sign);
        line({{o.left + 3, y_plus}, {o.left + 7, y_plus}}, colour::sign);
        line({{o.left + 5, y_plus - 2}, {o.left + 5, y_plus + 2}}, colour::sign);
        text(o.left + 10, o.centre, QStringLiteral("TL072"), Across::left, Down::middle);
        // Supply pins: short leads from the sides to small rings.
        const int xs = o.left + 22;
        const int inset = (half * (xs - o.left) + (o.tip - o.left) / 2) / (o.tip - o.left);
        const int ring_top = top - 8;
        const int ring_bottom = bottom + 8;
        wire({{xs, top + inset}, {xs, ring_top + 3}});
        wire({{xs, bottom - inset}, {xs, ring_bottom - 3}});
        ring(xs, ring_top, 3);
        ring(xs, ring_bottom, 3);
        text(xs + 6, ring_top, QStringLiteral("+15V"), Across::left, Down::middle);
        text(xs + 6, ring_bottom, QStringLiteral("-15V"), Across::left, Down::middle);
        return {y_minus, y_plus};
    }

    // The input wire's hop over a crossing vertical wire at x.
    void hop(int x, int y) {
        p_.setPen(pen(colour::ink));
        const QPointF c = at(x, y);
        p_.drawArc(QRectF(c.x() - 5, c.y() - 5, 10, 10), 0, 180 * 16);
    }

private:
    QPen pen(const QColor& c) const {
        QPen pen = p_.pen();
        pen.setColor(c);
        return pen;
    }

    // Six strokes from `from` to `to` along the part, alternating 3 pixels
    // to each side; `place(along, side)` turns them into points.
    template <class Place>
    void zigzag(int from, int to, Place place) {
        const double step = (to - from) / 6.0;
        QPolygonF points{at(place(from, 0).x(), place(from, 0).y())};
        for (int i = 0; i < 6; ++i) {
            const QPoint q = place(from + static_cast<int>(step * (i + 0.5) + 0.5), i % 2 == 0 ? -3 : 3);
            points << at(q.x(), q.y());
        }
        points << at(place(to, 0).x(), place(to, 0).y());
        p_.setPen(pen(colour::ink));
        p_.drawPolyline(points);
    }

    QPainter& p_;
    qreal offset_;
    QFont normal_;
    QFont bold_;
    QFont note_;
};

void draw(Schematic& s, bool with_gain, const DiagramNotes& notes = {}) {
    // Input connector; its shield goes down to the ground wire, which runs
    // along the bottom to the output connector's shield.
    s.connector(x_in, y_in, QStringLiteral("IN"));
    s.wire({{x_in, y_in + 5}, {x_in, y_ground}, {x_out, y_ground}});

    // Coupling capacitor and the 47k to ground.
    s.capacitor_h(x_in + 1, x_node, y_in, 36);
    s.text(36, y_in + 9, QStringLiteral("1.0uf"), Across::centre, Down::top);
    s.dot(x_node, y_in);
    s.resistor_v(x_node, y_in, y_ground, y_shunt);
    s.dot(x_node, y_ground);
    s.text(x_node + 6, y_shunt, QStringLiteral("47k"), Across::left, Down::middle);

    // Input buffer.
    const auto [y_minus, y_plus] = s.opamp(buffer);
    s.wire({{buffer.tip, buffer.centre}, {x_out1, buffer.centre}});
    s.dot(x_out1, buffer.centre);
    s.wire({{x_inv1, y_minus}, {buffer.left, y_minus}});
    if (with_gain) {
        // The input wire hops over the inverting input's wire down to R1.
        s.wire({{x_node, y_plus}, {x_inv1 - 5, y_plus}});
        s.hop(x_inv1, y_plus);
        s.wire({{x_inv1 + 5, y_plus}, {buffer.left, y_plus}});
        // 15k in parallel with 0.01uf from the output back to the inverting
        // input; R1 from the inverting input to ground.
        s.wire({{x_inv1, y_fb_c}, {x_inv1, y_minus}});
        s.wire({{x_out1, y_fb_c}, {x_out1, buffer.centre}});
        constexpr int x_mid = (x_inv1 + x_out1) / 2;
        s.capacitor_h(x_inv1, x_out1, y_fb_c, x_mid);
        s.text(x_mid, y_fb_c - 9, QStringLiteral("0.01uf"), Across::centre, Down::baseline);
        s.resistor_h(x_inv1, x_out1, y_fb_r);
        s.text(x_mid, y_fb_r - 6, QStringLiteral("15k"), Across::centre, Down::baseline);
        s.dot(x_inv1, y_fb_r);
        s.dot(x_out1, y_fb_r);
        s.dot(x_inv1, y_minus);
        s.resistor_v(x_inv1, y_minus, y_ground, y_shunt);
        s.dot(x_inv1, y_ground);
        s.text(x_inv1 + 6, y_shunt, QStringLiteral("R1"), Across::left, Down::middle, true);
        s.note(x_inv1 + 6, y_shunt + 5, notes.r1, Across::left);
        s.text(95, y_caption, QStringLiteral("Input Buffer with gain"), Across::centre, Down::middle);
    } else {
        // Follower: the inverting input straight to the output over the top.
        s.wire({{x_node, y_plus}, {buffer.left, y_plus}});
        s.wire({{x_inv1, y_minus}, {x_inv1, y_fb_r}, {x_out1, y_fb_r}, {x_out1, buffer.centre}});
        s.text(95, y_caption, QStringLiteral("Input Buffer"), Across::centre, Down::middle);
        s.note(x_inv1 + 6, y_shunt + 5, notes.r1, Across::left);
    }

    // High-pass stage: C, C in series, R3 from their junction up to the top
    // wire that returns from the output, R4 to ground.
    const int y_sig = buffer.centre;
    s.capacitor_h(x_out1, x_junction, y_sig, x_c1);
    s.capacitor_h(x_junction, x_r4, y_sig, x_c2);
    s.text(x_c1, y_sig - 9, QStringLiteral("C"), Across::centre, Down::baseline, true);
    s.text(x_c2, y_sig - 9, QStringLiteral("C"), Across::centre, Down::baseline, true);
    s.dot(x_junction, y_sig);
    const int r3_mid = s.resistor_v(x_junction, y_top_wire, y_sig);
    s.text(x_junction + 6, r3_mid, QStringLiteral("R3"), Across::left, Down::middle, true);
    s.note(x_junction + 6, r3_mid + 5, notes.r3, Across::left);
    // Under each C, or once between them where two would run into each other.
    if (s.note_width(notes.c) <= x_c2 - x_c1 - 4) {
        s.note(x_c1, y_sig + 8, notes.c, Across::centre);
        s.note(x_c2, y_sig + 8, notes.c, Across::centre);
    } else {
        s.note(x_junction, y_sig + 8, notes.c, Across::centre);
    }
    s.wire({{x_junction, y_top_wire}, {x_out2, y_top_wire}, {x_out2, high_pass.centre}});

    const auto [y_minus2, y_plus2] = s.opamp(high_pass);
    s.wire({{x_r4, y_plus2}, {high_pass.left, y_plus2}});
    s.dot(x_r4, y_sig);
    s.resistor_v(x_r4, y_sig, y_ground, y_shunt);
    s.dot(x_r4, y_ground);
    s.text(x_r4 - 6, y_shunt, QStringLiteral("R4"), Across::right, Down::middle, true);
    s.note(x_r4 - 6, y_shunt + 5, notes.r4, Across::right);
    // Unity gain: the inverting input tied to the output.
    s.wire({{high_pass.left, y_minus2}, {x_inv2, y_minus2}, {x_inv2, y_tie2}, {x_out2, y_tie2}});
    s.dot(x_out2, y_tie2);
    s.wire({{high_pass.tip, high_pass.centre}, {x_out2, high_pass.centre}});
    s.dot(x_out2, high_pass.centre);
    s.text((x_c1 + high_pass.tip) / 2, y_caption, QStringLiteral("High-Pass"), Across::centre, Down::middle);

    // Series 200 ohm to the output connector.
    const int x_r = s.resistor_h(x_out2, x_out, high_pass.centre, 20);
    s.text(x_r, high_pass.centre + 6, QStringLiteral("200"), Across::centre, Down::top);
    s.connector(x_out, high_pass.centre, QStringLiteral("OUT"));
    s.wire({{x_out, high_pass.centre + 5}, {x_out, y_ground}});
}

}  // namespace

QPixmap circuit_diagram(Diagram which, qreal device_pixel_ratio) {
    if (device_pixel_ratio == 1) {
        const QPixmap drawn_when_built(which == Diagram::with_gain ? QStringLiteral(":/circuit/gain.png")
                                                                    : QStringLiteral(":/circuit/nogain.png"));
        if (drawn_when_built.size() == diagram_size) return drawn_when_built;
    }
    return draw_circuit_diagram(which, device_pixel_ratio);
}

QPixmap draw_circuit_diagram(Diagram which, qreal device_pixel_ratio) {
    QImage image = canvas(diagram_size, device_pixel_ratio, colour::background);
    {
        QPainter painter(&image);
        Schematic schematic(painter, image.devicePixelRatio() != 1.0);
        draw(schematic, which == Diagram::with_gain);
    }
    return QPixmap::fromImage(std::move(image));
}

void paint_circuit_diagram(QPainter& painter, Diagram which, const DiagramNotes& notes) {
    painter.save();
    painter.fillRect(QRectF(QPointF(0, 0), QSizeF(diagram_size)), colour::background);
    Schematic schematic(painter, true);
    draw(schematic, which == Diagram::with_gain, notes);
    painter.restore();
}

}  // namespace vandrel::pictures

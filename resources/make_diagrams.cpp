// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the two circuit diagrams at a scale factor of 1 into PNG files when
// the program is built, so that the program need not draw them at start-up.
// Usage: make_diagrams WITH_GAIN.png WITHOUT_GAIN.png

#include <QGuiApplication>
#include <QPixmap>

#include <cstdio>

#include "pictures.h"

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);  // the fonts need it
    if (argc != 3) {
        std::fputs("usage: make_diagrams WITH_GAIN.png WITHOUT_GAIN.png\n", stderr);
        return 2;
    }
    using vandrel::pictures::Diagram;
    const bool saved = vandrel::pictures::draw_circuit_diagram(Diagram::with_gain, 1).save(argv[1], "PNG") &&
                       vandrel::pictures::draw_circuit_diagram(Diagram::without_gain, 1).save(argv[2], "PNG");
    if (!saved) std::fputs("make_diagrams: could not write the pictures\n", stderr);
    return saved ? 0 : 1;
}

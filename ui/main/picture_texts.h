// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the main window's pictures are called and what they show, in words,
// for screen readers: the circuit diagram with or without the gain stage,
// and the response graph of the design last solved.

#include <QString>

#include "vandrel/module1.h"

namespace vandrel::pictures {
enum class Diagram;
}

namespace vandrel::ui {

struct PictureText {
    QString name;
    QString description;
};

/// The circuit diagram: "Circuit diagram with the gain stage" or "... without ...".
PictureText diagram_text(vandrel::pictures::Diagram which);

/// The graph of a solved design: "Magnitude response, f3 17 Hz", and its
/// range, f0, Q and f3.
PictureText graph_text(const vandrel::Module1& design);

}  // namespace vandrel::ui

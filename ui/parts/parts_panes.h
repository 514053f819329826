// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Parts window's two panes, the report and the plot: beside each other
// or one above the other with a splitter between them, or on two tabs. The
// report's pane is as wide as its content beside the plot, or wider where
// the user dragged the splitter so; the place dragged to is kept in the
// settings for each direction.

#include <QWidget>

#include "parts_placement.h"

class QScrollArea;
class QSplitter;
class QStackedLayout;
class QTabWidget;

namespace vandrel::ui {

class PartsPanes final : public QWidget {
public:
    /// Holds `report` (a scroll area around the report) and `plot`.
    PartsPanes(QScrollArea* report, QWidget* plot, QWidget* parent = nullptr);

    void set_arrangement(Arrangement arrangement);
    Arrangement arrangement() const { return arrangement_; }
    /// Gives the report's pane `width` (the report's own, scroll bar
    /// included) beside the plot; above it, `height` where the plot keeps a
    /// comfortable height, else half the panes.
    /// A size the user dragged the splitter to wins where larger (beside)
    /// or wherever it is (above).
    void fit_report(int width, int height);

    QSplitter* splitter() const { return splitter_; }
    QTabWidget* tabs() const { return tabs_; }

private:
    void splitter_moved();

    QScrollArea* report_;
    QWidget* plot_;
    QStackedLayout* stack_;
    QSplitter* splitter_;
    QTabWidget* tabs_;
    Arrangement arrangement_ = Arrangement::beside;
    int report_width_ = 0;
    int report_height_ = 0;
};

}  // namespace vandrel::ui

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Two panes of a page of the Parts window, the figures (the report, or the
// Subwoofer page's inputs) and the plot: beside each other or one above the
// other with a splitter between them, or on two tabs. The first pane is as
// wide as its content beside the plot, or wider where the user dragged the
// splitter so; the place dragged to is kept in the settings for each
// direction.

#include <QWidget>

#include "arrangement.h"

class QScrollArea;
class QSplitter;
class QStackedLayout;
class QTabWidget;

namespace vandrel::ui {

/// The tabs' captions and the name the splitter's place is kept under.
struct PaneNames {
    QString first_tab;   ///< "&Figures"
    QString second_tab;  ///< "Pl&ot"
    QString settings;    ///< "report"
    /// The height the plot below the first pane is comfortable at, and the
    /// share of the height it may take at most to have it.
    int plot_height = 440;
    double plot_share = 0.5;
};

class PartsPanes final : public QWidget {
public:
    /// Holds `report` (a scroll area around the report or the inputs) and `plot`.
    PartsPanes(QScrollArea* report, QWidget* plot, const PaneNames& names, QWidget* parent = nullptr);
    /// Holds `first`, a pane with the scroll area `scroll` in it, and `plot`.
    PartsPanes(QWidget* first, QScrollArea* scroll, QWidget* plot, const PaneNames& names, QWidget* parent = nullptr);

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
    /// On tabs, shows the other tab (`step` 1 or -1) and says so; else does
    /// nothing.
    bool step_tab(int step);

private:
    void splitter_moved();

    QWidget* report_;
    QScrollArea* scroll_;
    PaneNames names_;
    QWidget* plot_;
    QStackedLayout* stack_;
    QSplitter* splitter_;
    QTabWidget* tabs_;
    Arrangement arrangement_ = Arrangement::beside;
    int report_width_ = 0;
    int report_height_ = 0;
};

}  // namespace vandrel::ui

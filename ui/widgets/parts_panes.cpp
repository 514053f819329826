// SPDX-License-Identifier: GPL-3.0-or-later
#include "parts_panes.h"

#include <QScrollArea>
#include <QSplitter>
#include <QStackedLayout>
#include <QTabWidget>

#include <algorithm>

#include "user_settings.h"

namespace vandrel::ui {
namespace {

// The least height of the report's pane above the plot.
constexpr int report_least_height = 120;

}  // namespace

PartsPanes::PartsPanes(QScrollArea* report, QWidget* plot, const PaneNames& names, QWidget* parent)
    : PartsPanes(report, report, plot, names, parent) {}

PartsPanes::PartsPanes(QWidget* first, QScrollArea* scroll, QWidget* plot, const PaneNames& names, QWidget* parent)
    : QWidget(parent), report_(first), scroll_(scroll), names_(names), plot_(plot), stack_(new QStackedLayout(this)),
      splitter_(new QSplitter(Qt::Horizontal)), tabs_(new QTabWidget) {
    splitter_->setObjectName(QStringLiteral("splitter"));
    splitter_->setAccessibleName(QStringLiteral("Figures and plot"));
    splitter_->setChildrenCollapsible(false);
    tabs_->setObjectName(QStringLiteral("tabs"));
    tabs_->setAccessibleName(QStringLiteral("Figures and plot"));
    tabs_->setDocumentMode(true);
    // Tab reaches its tab bar where the frame puts it, not the tab widget
    // again after the last command.
    tabs_->setFocusPolicy(Qt::NoFocus);
    stack_->addWidget(splitter_);
    stack_->addWidget(tabs_);
    splitter_->addWidget(report_);
    splitter_->addWidget(plot_);
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    connect(splitter_, &QSplitter::splitterMoved, this, &PartsPanes::splitter_moved);
    arrangement_ = Arrangement::stacked;
    set_arrangement(Arrangement::beside);
}

void PartsPanes::set_arrangement(Arrangement arrangement) {
    if (arrangement == arrangement_) return;
    arrangement_ = arrangement;
    if (arrangement == Arrangement::tabs) {
        tabs_->addTab(report_, names_.first_tab);
        tabs_->addTab(plot_, names_.second_tab);
        stack_->setCurrentWidget(tabs_);
        report_->setMinimumWidth(0);
    } else {
        splitter_->setOrientation(arrangement == Arrangement::beside ? Qt::Horizontal : Qt::Vertical);
        splitter_->insertWidget(0, report_);
        splitter_->insertWidget(1, plot_);
        splitter_->setStretchFactor(0, 0);
        splitter_->setStretchFactor(1, 1);
        report_->show();
        plot_->show();
        stack_->setCurrentWidget(splitter_);
    }
    scroll_->setHorizontalScrollBarPolicy(arrangement == Arrangement::beside ? Qt::ScrollBarAlwaysOff
                                                                              : Qt::ScrollBarAsNeeded);
}

bool PartsPanes::step_tab(int step) {
    if (arrangement_ != Arrangement::tabs) return false;
    const int count = tabs_->count();
    tabs_->setCurrentIndex(((tabs_->currentIndex() + step) % count + count) % count);
    return true;
}

void PartsPanes::fit_report(int width, int height) {
    report_width_ = width;
    report_height_ = height;
    if (arrangement_ == Arrangement::tabs) return;
    const bool beside = arrangement_ == Arrangement::beside;
    const int total = beside ? splitter_->width() : splitter_->height();
    int pane = 0;
    if (beside) {
        report_->setMinimumSize(width, 0);
        pane = std::max(width, load_pane_size(names_.settings, Qt::Horizontal));
    } else {
        report_->setMinimumSize(0, report_least_height);
        const int chosen = load_pane_size(names_.settings, Qt::Vertical);
        // All of the report where the plot keeps a comfortable height,
        // else what the plot's share leaves.
        const int least = static_cast<int>(total * (1 - names_.plot_share));
        pane = chosen > 0 ? chosen : std::min(height, std::max(least, total - names_.plot_height));
    }
    splitter_->setSizes({pane, std::max(1, total - pane - splitter_->handleWidth())});
}

void PartsPanes::splitter_moved() {
    const Qt::Orientation orientation = splitter_->orientation();
    save_pane_size(names_.settings, orientation, splitter_->sizes().value(0));
}

}  // namespace vandrel::ui

// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot_heights.h"

#include <QAbstractAxis>
#include <QChart>
#include <QChartView>
#include <QFontMetrics>
#include <QScrollArea>

#include <algorithm>

namespace vandrel::ui {
namespace {

bool titled(const QAbstractAxis* axis) { return axis->isTitleVisible() && !axis->titleText().isEmpty(); }

}  // namespace

int least_chart_height(const QChartView* view) {
    const QChart* chart = view->chart();
    // Along the plot area: the title written upwards, and room for labels
    // at two ticks at least.
    int along = 0;
    for (const QAbstractAxis* axis : chart->axes(Qt::Vertical)) {
        if (titled(axis)) along = std::max(along, QFontMetrics(axis->titleFont()).horizontalAdvance(axis->titleText()));
        along = std::max(along, 3 * QFontMetrics(axis->labelsFont()).height());
    }
    // Below it: the ticks and their labels, then the title.
    int below = 0;
    for (const QAbstractAxis* axis : chart->axes(Qt::Horizontal)) {
        below += QFontMetrics(axis->labelsFont()).height() + 10;
        if (titled(axis)) below += QFontMetrics(axis->titleFont()).height() + 6;
    }
    // The top label stands half above the plot area.
    int above = 0;
    for (const QAbstractAxis* axis : chart->axes(Qt::Vertical))
        above = std::max(above, QFontMetrics(axis->labelsFont()).height() / 2 + 2);
    const QMargins m = chart->margins();
    return m.top() + above + along + 12 + below + m.bottom();
}

QScrollArea* plot_scroll(QWidget* charts, const QString& name, const QString& accessible) {
    auto* scroll = new QScrollArea;
    scroll->setObjectName(name);
    scroll->setAccessibleName(accessible);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Tab goes to the plots, not to the area around them.
    scroll->setFocusPolicy(Qt::NoFocus);
    // White behind the charts where the area is higher than they are.
    scroll->viewport()->setAutoFillBackground(true);
    QPalette white = scroll->viewport()->palette();
    white.setColor(QPalette::Window, Qt::white);
    scroll->viewport()->setPalette(white);
    scroll->setWidget(charts);
    return scroll;
}

}  // namespace vandrel::ui

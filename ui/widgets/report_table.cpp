// SPDX-License-Identifier: GPL-3.0-or-later
#include "report_table.h"

#include <QGridLayout>
#include <QLabel>

#include <algorithm>
#include <cstring>

#include "accessibility.h"

namespace vandrel::ui {
namespace {

// Column headings indented under their row's heading in the form.
constexpr int form_indent = 12;

// What a screen reader says a cell is, before its value; and its name
// while it is empty.
constexpr char caption_property[] = "vandrel_caption";
constexpr char empty_name_property[] = "vandrel_empty_name";

// "Without the filter" as it goes after a row's heading.
QString lower_first(QString text) {
    if (!text.isEmpty()) text[0] = text[0].toLower();
    return text;
}

QLabel* heading(QWidget* parent, const QString& text, bool bold) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(bold);
    label->setFont(font);
    return label;
}

int hint_width(const QLabel* label) { return label->sizeHint().width(); }

}  // namespace

ReportTable::ReportTable(const QString& title, const char* name, const Names& columns, const Names& rows,
                         std::map<QString, QLabel*>& cells, QWidget* parent)
    : QGroupBox(title, parent), grid_(new QGridLayout(this)) {
    setObjectName(QLatin1String(name));
    grid_->setHorizontalSpacing(14);
    grid_->setVerticalSpacing(3);
    headless_ = columns.size() == 1 && columns[0].second.isEmpty();
    for (const auto& [key, text] : columns) column_headings_.push_back(heading(this, text, true));
    for (const auto& [row_key, row_text] : rows) {
        row_names_.push_back(row_key);
        row_headings_.push_back(heading(this, row_text, true));
        values_.emplace_back();
        form_headings_.emplace_back();
        for (const auto& [column_key, column_text] : columns) {
            auto* value = new QLabel(this);
            const QString id = QStringLiteral("%1_%2_%3").arg(QLatin1String(name), QLatin1String(row_key),
                                                              QLatin1String(column_key));
            value->setObjectName(id);
            value->setTextInteractionFlags(Qt::TextSelectableByMouse);
            const QString caption = column_text.isEmpty() ? row_text : row_text + QLatin1Char(' ') + lower_first(column_text);
            value->setProperty(caption_property, caption);
            value->setProperty(empty_name_property, caption);
            value->setAccessibleName(caption);
            values_.back().push_back(value);
            form_headings_.back().push_back(heading(this, column_text, false));
            form_headings_.back().back()->setIndent(form_indent);
            cells[id] = value;
        }
    }
    arrange();
}

QLabel* ReportTable::add_note(const char* row, const char* name) {
    auto* label = new QLabel(this);
    label->setObjectName(QLatin1String(name));
    // Named by its text while it has one.
    label->setAccessibleName(title() + QStringLiteral(" note"));
    label->setProperty(caption_property, QString());
    label->setProperty(empty_name_property, label->accessibleName());
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    int at = -1;
    for (std::size_t r = 0; row && r < row_names_.size(); ++r)
        if (std::strcmp(row_names_[r], row) == 0) at = static_cast<int>(r);
    notes_.push_back({at, label});
    arrange();
    return label;
}

void ReportTable::show(QLabel* cell, const QString& text) {
    set_spoken_text(cell, cell->property(caption_property).toString(), text);
    if (text.isEmpty()) cell->setAccessibleName(cell->property(empty_name_property).toString());
}

void ReportTable::set_form(bool form) {
    if (form == form_) return;
    form_ = form;
    arrange();
}

void ReportTable::arrange() {
    for (QObject* child : children())
        if (auto* w = qobject_cast<QWidget*>(child)) grid_->removeWidget(w);
    for (int c = 0; c < grid_->columnCount(); ++c) grid_->setColumnStretch(c, 0);
    const bool form = form_ && !headless_;
    const int columns = static_cast<int>(column_headings_.size());

    int line = 0;
    if (!form && !headless_) {
        for (int c = 0; c < columns; ++c) grid_->addWidget(column_headings_[static_cast<std::size_t>(c)], line, c + 1);
        ++line;
    }
    for (QLabel* h : column_headings_) h->setVisible(!form && !headless_);
    const auto notes_below = [&](int row) {
        for (const Note& n : notes_)
            if (n.row == row) grid_->addWidget(n.label, line++, 0, 1, form ? 2 : columns + 1);
    };
    for (std::size_t r = 0; r < values_.size(); ++r) {
        if (form) {
            grid_->addWidget(row_headings_[r], line++, 0, 1, 2);
            for (std::size_t c = 0; c < values_[r].size(); ++c) {
                grid_->addWidget(form_headings_[r][c], line, 0);
                grid_->addWidget(values_[r][c], line++, 1);
            }
        } else {
            grid_->addWidget(row_headings_[r], line, 0);
            for (std::size_t c = 0; c < values_[r].size(); ++c)
                grid_->addWidget(values_[r][c], line, static_cast<int>(c) + 1);
            ++line;
        }
        for (QLabel* h : form_headings_[r]) h->setVisible(form);
        notes_below(static_cast<int>(r));
    }
    notes_below(-1);
    grid_->setColumnStretch(form ? 2 : columns + 1, 1);
}

int ReportTable::margins() const {
    const QMargins box = contentsMargins(), inner = grid_->contentsMargins();
    return box.left() + box.right() + inner.left() + inner.right();
}

int ReportTable::grid_width() const {
    int width = 0;
    for (const QLabel* h : row_headings_) width = std::max(width, hint_width(h));
    for (std::size_t c = 0; c < column_headings_.size(); ++c) {
        int column = headless_ ? 0 : hint_width(column_headings_[c]);
        for (const auto& row : values_) column = std::max(column, hint_width(row[c]));
        width += grid_->horizontalSpacing() + column;
    }
    return std::max(width, fontMetrics().horizontalAdvance(title()) + 20) + margins();
}

int ReportTable::form_width() const {
    if (headless_) return grid_width();
    int headings = 0, values = 0, rows = 0;
    for (std::size_t r = 0; r < values_.size(); ++r) {
        rows = std::max(rows, hint_width(row_headings_[r]));
        for (std::size_t c = 0; c < values_[r].size(); ++c) {
            headings = std::max(headings, hint_width(form_headings_[r][c]));
            values = std::max(values, hint_width(values_[r][c]));
        }
    }
    return std::max({rows, headings + grid_->horizontalSpacing() + values,
                     fontMetrics().horizontalAdvance(title()) + 20}) + margins();
}

}  // namespace vandrel::ui

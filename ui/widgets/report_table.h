// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One table of the Parts window's report: a titled box of labels, each
// value named "<table>_<row>_<column>" ("parts_r3_chosen"). It is laid out
// as a grid (a heading row, then a row of values a row) or, where the
// window is narrow, as a form: each row's heading, then a line a column
// with the column's heading and the value.

#include <QGroupBox>
#include <QString>

#include <map>
#include <utility>
#include <vector>

class QGridLayout;
class QLabel;

namespace vandrel::ui {

class ReportTable final : public QGroupBox {
public:
    /// Names and headings of columns or rows: {"chosen", "Chosen"}.
    using Names = std::vector<std::pair<const char*, QString>>;

    /// A table `name` of `rows` by `columns`; each value label goes into
    /// `cells` by its name. A single column with no heading has none in
    /// either layout.
    ReportTable(const QString& title, const char* name, const Names& columns, const Names& rows,
                std::map<QString, QLabel*>& cells, QWidget* parent = nullptr);

    /// A line of text across the table below row `row` (nullptr: below the
    /// last row), named `name`, wrapped where it is long.
    QLabel* add_note(const char* row, const char* name);
    /// Shows `text` in a value or a note of a table; a screen reader reads a
    /// value with its row and column ("f3 without the filter: 25.17 Hz"), a
    /// note as it reads.
    static void show(QLabel* cell, const QString& text);
    /// As a form (true) or a grid.
    void set_form(bool form);
    bool is_form() const { return form_; }
    /// The width it takes as a grid, and as a form, from its texts.
    int grid_width() const;
    int form_width() const;

private:
    struct Note {
        int row;  // below this row; -1: below the last
        QLabel* label;
    };
    void arrange();
    int margins() const;

    QGridLayout* grid_;
    std::vector<QLabel*> column_headings_;
    std::vector<QLabel*> row_headings_;
    std::vector<std::vector<QLabel*>> values_;          // [row][column]
    std::vector<std::vector<QLabel*>> form_headings_;   // [row][column], shown in the form only
    std::vector<Note> notes_;
    std::vector<const char*> row_names_;
    bool headless_ = false;  // one column without a heading
    bool form_ = false;
};

}  // namespace vandrel::ui

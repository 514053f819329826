// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A number field of the Parts window that never changes what was typed: a
// text it cannot take is kept, shown refused (a reddish background) and
// said why as it is typed, while the last value it took stays in effect. A
// text it can take is taken on Enter or when the field is left. The
// arrows, Up, Down, Page Up and Page Down step from the value in effect,
// within the range, and take the step at once. A value typed in a unit of
// another system is taken converted, and the field then shows it in its own.

#include <QAbstractSpinBox>

#include <optional>

#include "entry_check.h"

namespace vandrel::ui {

class ValueBox final : public QAbstractSpinBox {
    Q_OBJECT
public:
    /// A field for `range`, stepping by `step`.
    ValueBox(const EntryRange& range, double step, QWidget* parent = nullptr);

    /// The last value taken (of a field left empty: the one before).
    double value() const { return value_; }
    /// The last value taken, or none for a field left empty.
    std::optional<double> entry() const { return empty_ ? std::nullopt : std::optional<double>(value_); }
    /// Shows `value` (put within the range), without a signal.
    void set_value(double value);
    /// Shows `value`, or an empty field for none where the range may be
    /// empty, without a signal.
    void set_entry(std::optional<double> value);
    /// Why the text is refused; "" when it is taken.
    QString problem() const { return problem_; }
    /// The value last taken as it was typed, where that was in another unit
    /// and converted ("2.4 ft³"); "" otherwise.
    QString converted_from() const { return converted_from_; }
    const EntryRange& range() const { return range_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    /// A new value (or none) was typed, and Enter pressed or the field
    /// left, or stepped to.
    void value_changed(double value);
    /// The text became refused, or taken again.
    void problem_changed(const QString& problem);

protected:
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;
    void stepBy(int steps) override;
    void wheelEvent(QWheelEvent* event) override;
    StepEnabled stepEnabled() const override;

private:
    void text_changed(const QString& text);
    void take_typed();
    void show_refused(bool refused);

    EntryRange range_;
    double step_;
    double value_;
    std::optional<double> typed_;  // what the text reads as, if anything
    bool empty_ = false;           // the field was left empty, where it may be
    QString problem_;
    QString typed_from_;      // what the text converts from, if anything
    QString converted_from_;  // what the value in effect was converted from
    bool typed_anew_ = false;  // a text typed since the last one taken
    QColor normal_base_;
    bool setting_ = false;
};

}  // namespace vandrel::ui

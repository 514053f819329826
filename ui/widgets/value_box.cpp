// SPDX-License-Identifier: GPL-3.0-or-later
#include "value_box.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

#include "qtext.h"
#include "vandrel/texts/figures.h"

namespace vandrel::ui {
namespace {

// The longest text a field holds: enough for any number people type.
constexpr int longest_text = 64;

QString number_text(double v) { return to_qstring(vandrel::texts::figure(v, 6)); }

}  // namespace

ValueBox::ValueBox(const EntryRange& range, double step, QWidget* parent)
    : QAbstractSpinBox(parent), range_(range), step_(step), value_(range.low) {
    // Every text is kept as typed: nothing is corrected when the field is left.
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    setKeyboardTracking(false);
    // The wheel does not bring the focus, nor step a field without it.
    setFocusPolicy(Qt::StrongFocus);
    lineEdit()->setMaxLength(longest_text);
    normal_base_ = lineEdit()->palette().color(QPalette::Base);
    connect(lineEdit(), &QLineEdit::textChanged, this, &ValueBox::text_changed);
    // Enter, or leaving the field.
    connect(this, &QAbstractSpinBox::editingFinished, this, &ValueBox::take_typed);
    set_value(range.low);
}

void ValueBox::set_value(double value) {
    value_ = std::clamp(value, range_.low, range_.high);
    typed_ = value_;
    empty_ = false;
    setting_ = true;
    lineEdit()->setText(number_text(value_));
    setting_ = false;
    problem_.clear();
    typed_from_.clear();
    converted_from_.clear();
    typed_anew_ = false;
    show_refused(false);
}

void ValueBox::set_entry(std::optional<double> value) {
    if (value || !range_.may_be_empty) {
        set_value(value.value_or(value_));
        return;
    }
    typed_.reset();
    empty_ = true;
    setting_ = true;
    lineEdit()->clear();
    setting_ = false;
    problem_.clear();
    typed_from_.clear();
    converted_from_.clear();
    typed_anew_ = false;
    show_refused(false);
}

QValidator::State ValueBox::validate(QString&, int&) const { return QValidator::Acceptable; }

void ValueBox::fixup(QString&) const {}

// Said at once while typing; taken when the typing is done.
void ValueBox::text_changed(const QString& text) {
    if (setting_) return;
    const EntryCheck check = check_entry(text.toStdString(), range_);
    const QString problem = to_qstring(check.problem);
    typed_ = check.value;
    typed_from_ = to_qstring(check.converted_from);
    typed_anew_ = true;
    if (problem != problem_) {
        problem_ = problem;
        emit problem_changed(problem_);
    }
    show_refused(!problem_.isEmpty());
}

void ValueBox::take_typed() {
    if (!problem_.isEmpty()) return;
    if (!typed_) {
        typed_anew_ = false;
        converted_from_.clear();
        // Left empty, where that means no value.
        if (range_.may_be_empty && !empty_) {
            empty_ = true;
            emit value_changed(value_);
        }
        return;
    }
    // What the value was converted from changes only with a text typed.
    const bool typed = typed_anew_;
    typed_anew_ = false;
    const bool changed = empty_ || *typed_ != value_ || (typed && typed_from_ != converted_from_);
    if (typed) converted_from_ = typed_from_;
    if (!typed_from_.isEmpty()) {
        // Shown in the field's own unit from now on.
        typed_from_.clear();
        setting_ = true;
        lineEdit()->setText(number_text(*typed_));
        setting_ = false;
    }
    if (!changed) return;
    value_ = *typed_;
    empty_ = false;
    emit value_changed(value_);
}

void ValueBox::show_refused(bool refused) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::Base, refused ? QColor(255, 222, 222) : normal_base_);
    lineEdit()->setPalette(palette);
    setAccessibleDescription(problem_);
}

void ValueBox::stepBy(int steps) {
    // From what is typed where it reads as a value, else from the value in effect.
    const double stepped = std::clamp(typed_.value_or(value_) + steps * step_, range_.low, range_.high);
    // Six digits, so that 1 + 3 x 0.1 is 1.3 and not 1.3000000000000003.
    const double shown = check_entry(number_text(stepped).toStdString(), range_).value.value_or(stepped);
    const bool changed = shown != value_ || empty_ || !problem_.isEmpty();
    set_value(shown);
    lineEdit()->selectAll();
    if (changed) {
        emit problem_changed(problem_);
        emit value_changed(value_);
    }
}

void ValueBox::wheelEvent(QWheelEvent* event) {
    if (!hasFocus()) {
        event->ignore();  // to the scroll area around, if any
        return;
    }
    QAbstractSpinBox::wheelEvent(event);
}

QAbstractSpinBox::StepEnabled ValueBox::stepEnabled() const {
    StepEnabled enabled = StepNone;
    if (value_ > range_.low) enabled |= StepDownEnabled;
    if (value_ < range_.high) enabled |= StepUpEnabled;
    return enabled;
}

// Wide enough for the largest value of the range, and a little more.
QSize ValueBox::sizeHint() const {
    ensurePolished();
    const QFontMetrics metrics(font());
    const int text = metrics.horizontalAdvance(number_text(range_.high) + QStringLiteral("0.0"));
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    const QSize inner(text + 4, lineEdit()->sizeHint().height());
    return style()->sizeFromContents(QStyle::CT_SpinBox, &option, inner, this);
}

QSize ValueBox::minimumSizeHint() const { return sizeHint(); }

}  // namespace vandrel::ui

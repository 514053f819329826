// SPDX-License-Identifier: GPL-3.0-or-later
#include "parts_settings.h"

#include <memory>

#include "qtext.h"
#include "user_settings.h"
#include "widgets/entry_check.h"

namespace vandrel::ui {
namespace {

// A saved number within the range, else `fallback`.
double number_in(const QSettings& s, const QString& key, double fallback, const EntryRange& range) {
    bool ok = false;
    const double v = s.value(key).toDouble(&ok);
    return ok && v >= range.low && v <= range.high ? v : fallback;
}

}  // namespace

PartsChoices load_choices() {
    const std::unique_ptr<QSettings> saved = user_settings();
    const QSettings& s = *saved;
    PartsChoices c;
    if (auto source = source_choice(s.value(QStringLiteral("parts/series")).toString().toStdString())) c.source = *source;
    if (auto combine = as_built::combine_from_name(s.value(QStringLiteral("parts/combine")).toString().toStdString()))
        c.combine = *combine;
    if (auto from = as_built::cap_series_from_name(s.value(QStringLiteral("parts/capacitor")).toString().toStdString()))
        c.capacitor = *from;
    c.r_pct = number_in(s, QStringLiteral("parts/r_tol_pct"), c.r_pct, r_tol_range);
    c.c_pct = number_in(s, QStringLiteral("parts/c_tol_pct"), c.c_pct, c_tol_range);
    c.load_kohm = number_in(s, QStringLiteral("parts/load_kohm"), c.load_kohm, load_range);
    c.source_v = number_in(s, QStringLiteral("levels/source_v"), c.source_v, source_volts_entry);
    c.supply_v = number_in(s, QStringLiteral("levels/supply_v"), c.supply_v, supply_entry);
    // Left empty, the sensitivity is saved as an empty text, which reads as 0.
    if (const double v = number_in(s, QStringLiteral("levels/amp_sensitivity_v"), 0, amp_sensitivity_entry); v > 0)
        c.amp_sensitivity_v = v;
    return c;
}

void save_choices(const PartsChoices& c) {
    const std::unique_ptr<QSettings> s = user_settings();
    s->setValue(QStringLiteral("parts/series"), to_qstring(source_choice_name(c.source)));
    s->setValue(QStringLiteral("parts/combine"), to_qstring(as_built::combine_name(c.combine)));
    s->setValue(QStringLiteral("parts/capacitor"), to_qstring(as_built::cap_series_name(c.capacitor)));
    s->setValue(QStringLiteral("parts/r_tol_pct"), c.r_pct);
    s->setValue(QStringLiteral("parts/c_tol_pct"), c.c_pct);
    s->setValue(QStringLiteral("parts/load_kohm"), c.load_kohm);
    s->setValue(QStringLiteral("levels/source_v"), c.source_v);
    s->setValue(QStringLiteral("levels/supply_v"), c.supply_v);
    s->setValue(QStringLiteral("levels/amp_sensitivity_v"),
                c.amp_sensitivity_v ? QVariant(*c.amp_sensitivity_v) : QVariant(QString()));
}

}  // namespace vandrel::ui

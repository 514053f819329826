// SPDX-License-Identifier: GPL-3.0-or-later
#include "speaker_settings.h"

#include <memory>
#include <utility>

#include "qtext.h"
#include "user_settings.h"

namespace vandrel::ui {
namespace {

namespace sp = speaker;

QString key(const char* name) { return QStringLiteral("subwoofer/") + QLatin1String(name); }

// Every number the page keeps: its key, its field's range, and where it goes.
using Member = std::optional<double> SpeakerInputs::*;
using DriverMember = std::optional<double> sp::DriverValues::*;
struct DriverNumber {
    const char* key;
    const EntryRange* range;
    DriverMember member;
};
struct Number {
    const char* key;
    const EntryRange* range;
    Member member;
};
const DriverNumber driver_numbers[] = {
    {"fs", &fs_entry, &sp::DriverValues::fs},       {"qes", &qes_entry, &sp::DriverValues::qes},
    {"qms", &qms_entry, &sp::DriverValues::qms},    {"qts", &qts_entry, &sp::DriverValues::qts},
    {"vas", &vas_entry, &sp::DriverValues::vas},    {"re", &re_entry, &sp::DriverValues::re},
    {"sd", &sd_entry, &sp::DriverValues::sd},       {"xmax", &xmax_entry, &sp::DriverValues::xmax},
    {"le", &le_entry, &sp::DriverValues::le},       {"pe", &pe_entry, &sp::DriverValues::pe},
};
const Number numbers[] = {
    {"vb", &vb_entry, &SpeakerInputs::vb},     {"fb", &fb_entry, &SpeakerInputs::fb},
    {"ql", &ql_entry, &SpeakerInputs::ql},     {"port", &port_entry, &SpeakerInputs::port},
    {"volts", &volts_entry, &SpeakerInputs::volts}, {"watts", &watts_entry, &SpeakerInputs::watts},
    {"amp_volts", &amp_volts_entry, &SpeakerInputs::amp_volts}, {"amp_watts", &amp_watts_entry, &SpeakerInputs::amp_watts},
    {"port_limit", &port_limit_entry, &SpeakerInputs::port_limit},
};

// A kept value: "" for none; `fallback` for anything else that is no
// number within the range, or for nothing kept at all.
std::optional<double> number(const QSettings& s, const char* name, const EntryRange& range,
                             std::optional<double> fallback) {
    const QVariant v = s.value(key(name));
    if (!v.isValid()) return fallback;
    const QString text = v.toString();
    if (text.isEmpty()) return std::nullopt;
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok && value >= range.low && value <= range.high ? std::optional<double>(value) : fallback;
}

QString number_text(const std::optional<double>& v) { return v ? QString::number(*v, 'g', 17) : QString(); }

}  // namespace

SpeakerInputs load_speaker_inputs() {
    const std::unique_ptr<QSettings> saved = user_settings();
    const QSettings& s = *saved;
    SpeakerInputs in;
    const QString name = s.value(key("name")).toString();
    const QByteArray utf8 = name.toUtf8();
    bool clean = utf8.size() <= static_cast<qsizetype>(sp::max_driver_name);
    for (QChar c : name) clean = clean && c.unicode() >= 0x20 && c.unicode() != 0x7f;
    if (clean) in.driver.name = utf8.toStdString();
    for (const DriverNumber& n : driver_numbers) in.driver.*n.member = number(s, n.key, *n.range, std::nullopt);
    for (const Number& n : numbers) in.*n.member = number(s, n.key, *n.range, in.*n.member);
    const QString box = s.value(key("box")).toString();
    if (box == QLatin1String("sealed")) in.box = sp::Box::Type::sealed;
    const QString drive = s.value(key("drive")).toString();
    if (drive == QLatin1String("watts")) in.drive = DriveUnit::watts;
    if (s.value(key("amp")).toString() == QLatin1String("watts")) in.amp = DriveUnit::watts;
    // Ql follows the box unless it was typed; kept without saying which, a
    // value other than the box's default was typed.
    const QVariant typed = s.value(key("ql_typed"));
    const std::optional<double> box_default = default_ql(in.box);
    in.ql = number(s, "ql", ql_entry, box_default);
    in.ql_typed = typed.isValid() ? typed.toString() == QLatin1String("true") : in.ql != box_default;
    if (!in.ql_typed) in.ql = box_default;
    return in;
}

void save_speaker_inputs(const SpeakerInputs& in) {
    const std::unique_ptr<QSettings> s = user_settings();
    s->setValue(key("name"), to_qstring(in.driver.name));
    for (const DriverNumber& n : driver_numbers) s->setValue(key(n.key), number_text(in.driver.*n.member));
    for (const Number& n : numbers) s->setValue(key(n.key), number_text(in.*n.member));
    s->setValue(key("box"), in.box == sp::Box::Type::sealed ? QStringLiteral("sealed") : QStringLiteral("vented"));
    s->setValue(key("drive"), in.drive == DriveUnit::watts ? QStringLiteral("watts") : QStringLiteral("volts"));
    s->setValue(key("amp"), in.amp == DriveUnit::watts ? QStringLiteral("watts") : QStringLiteral("volts"));
    s->setValue(key("ql_typed"), in.ql_typed ? QStringLiteral("true") : QStringLiteral("false"));
}

QString load_driver_path() { return user_settings()->value(key("driver_file")).toString(); }
void save_driver_path(const QString& path) { user_settings()->setValue(key("driver_file"), path); }
QString load_measurement_path() { return user_settings()->value(key("measurement_file")).toString(); }
void save_measurement_path(const QString& path) { user_settings()->setValue(key("measurement_file"), path); }

}  // namespace vandrel::ui

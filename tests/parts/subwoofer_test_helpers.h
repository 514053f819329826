// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the Subwoofer page's tests share: the README's 12-inch driver, the
// settings of a window that has been used, files, typing, and a Parts
// window on its Subwoofer page.

#include <QFile>
#include <QLineEdit>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <map>
#include <memory>

#include "parts_test_helpers.h"
#include "subwoofer_page/subwoofer_page.h"
#include "widgets/value_box.h"

inline constexpr char twelve_inch[] =
    "name = Example 12-inch\nfs = 26 Hz\nqes = 0.48\nqms = 6.2\nvas = 68 L\nre = 3.3 ohm\nsd = 480 cm2\n"
    "xmax = 12.5 mm\nle = 1.6 mH\n";

// Settings of a window that has been used: exact parts, the box and the
// drive of the example, and a driver of which only fs is given.
inline void keep(const std::map<QString, QString>& more = {}) {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("vandrel"), QStringLiteral("vandrel"));
    std::map<QString, QString> values{{"parts/series", "exact"},     {"subwoofer/fs", "31"},
                                      {"subwoofer/box", "vented"},   {"subwoofer/vb", "70"},
                                      {"subwoofer/fb", "27"},        {"subwoofer/port", "15"},
                                      {"subwoofer/drive", "volts"},  {"subwoofer/volts", "30"}};
    for (const auto& [key, value] : more) values[key] = value;
    for (const auto& [key, value] : values) s.setValue(key, value);
}

inline QString write(const QTemporaryDir& dir, const QString& name, const QByteArray& text) {
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) qFatal("cannot write %s", qPrintable(name));
    return file.fileName();
}

// Types `text` into a field and presses Enter, as a user does.
inline void type(QWidget* field, const QString& text) {
    field->setFocus();
    if (auto* box = qobject_cast<vandrel::ui::ValueBox*>(field)) box->selectAll();
    if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
}

inline QString cell(const vandrel::ui::SubwooferPage& page, const char* name) {
    return page.cell(QLatin1String(name))->text();
}

// A Parts window on its Subwoofer page, showing `design`.
inline std::unique_ptr<frm_parts> on_subwoofer_page(const vandrel::Module1& design, vandrel::Mode mode) {
    auto w = std::make_unique<frm_parts>(nullptr);
    w->show_design(design, mode);
    w->pages->setCurrentWidget(w->subwoofer);
    w->show();
    return w;
}


// SPDX-License-Identifier: GPL-3.0-or-later
#include "user_settings.h"

#include <QDir>

namespace vandrel::ui {
namespace {

QString pane_key(const QString& pane, Qt::Orientation orientation) {
    return QStringLiteral("parts/") + pane +
           (orientation == Qt::Horizontal ? QStringLiteral("_width") : QStringLiteral("_height"));
}

}  // namespace

std::unique_ptr<QSettings> user_settings() {
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("vandrel"),
                                       QStringLiteral("vandrel"));
}

QByteArray load_geometry() { return user_settings()->value(QStringLiteral("parts/geometry")).toByteArray(); }

void save_geometry(const QByteArray& geometry) { user_settings()->setValue(QStringLiteral("parts/geometry"), geometry); }

int load_pane_size(const QString& pane, Qt::Orientation orientation) {
    bool ok = false;
    const int size = user_settings()->value(pane_key(pane, orientation)).toInt(&ok);
    return ok && size > 0 && size < 100000 ? size : 0;
}

void save_pane_size(const QString& pane, Qt::Orientation orientation, int size) {
    user_settings()->setValue(pane_key(pane, orientation), size);
}

QString load_directory() {
    return user_settings()->value(QStringLiteral("parts/directory"), QDir::homePath()).toString();
}

void save_directory(const QString& directory) { user_settings()->setValue(QStringLiteral("parts/directory"), directory); }

}  // namespace vandrel::ui

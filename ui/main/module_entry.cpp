// SPDX-License-Identifier: GPL-3.0-or-later
#include "module_entry.h"

#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace vandrel::ui {

QFunctionPointer module_entry(const char* name, const char* symbol, const QStringList& directories,
                              const QString& what, QString* failure) {
#ifdef Q_OS_WIN
    const QString file = QLatin1String(name) + QStringLiteral(".dll");
#else
    const QString file = QLatin1String(name) + QStringLiteral(".so");
#endif
    for (const QString& directory : directories) {
        const QString path = QDir(directory).filePath(file);
        if (!QFileInfo::exists(path)) continue;
        // Never unloaded: what it made must stay while it lives.
        QLibrary module(path);
        if (const QFunctionPointer entry = module.resolve(symbol)) return entry;
        *failure = QStringLiteral("%1 could not be loaded: %2").arg(what, module.errorString());
        return nullptr;
    }
    QStringList places;
    for (const QString& directory : directories) places << QDir::toNativeSeparators(directory);
    *failure = QStringLiteral("%1 could not be loaded: %2 was not found in %3.")
                   .arg(what, file, places.join(QStringLiteral(" or ")));
    return nullptr;
}

}  // namespace vandrel::ui

// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's loader of the print module.
#include "print_module.h"

#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace vandrel::ui {

PrintPicture load_print_module(const QStringList& directories, QString* failure) {
#ifdef Q_OS_WIN
    const QString file = QLatin1String(print_module_name) + QStringLiteral(".dll");
#else
    const QString file = QLatin1String(print_module_name) + QStringLiteral(".so");
#endif
    for (const QString& directory : directories) {
        const QString path = QDir(directory).filePath(file);
        if (!QFileInfo::exists(path)) continue;
        // Never unloaded: loaded once, it serves every later "Print".
        QLibrary module(path);
        if (const auto print = reinterpret_cast<PrintPicture>(module.resolve(print_picture_symbol))) return print;
        *failure = QStringLiteral("Printing could not be loaded: %1").arg(module.errorString());
        return nullptr;
    }
    QStringList places;
    for (const QString& directory : directories) places << QDir::toNativeSeparators(directory);
    *failure = QStringLiteral("Printing could not be loaded: %1 was not found in %2.")
                   .arg(file, places.join(QStringLiteral(" or ")));
    return nullptr;
}

}  // namespace vandrel::ui

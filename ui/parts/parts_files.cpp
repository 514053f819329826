// SPDX-License-Identifier: GPL-3.0-or-later
#include "parts_files.h"

#include <QDir>
#include <QFileDialog>
#include <QRegularExpression>
#include <QSaveFile>

namespace vandrel::ui {
namespace {

SaveDialog installed;

// The first suffix a filter names: "png" for "PNG image (*.png)".
QString suffix_of(const QString& filter) {
    static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
    return pattern.match(filter).captured(1);
}

QString qt_dialog(QWidget* parent, const SaveRequest& request) {
    QFileDialog dialog(parent, request.caption, request.suggested);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(request.filters);
    // A name typed without a suffix takes the chosen filter's.
    dialog.setDefaultSuffix(suffix_of(request.filters.value(0)));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& filter) { dialog.setDefaultSuffix(suffix_of(filter)); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

}  // namespace

void set_save_dialog(SaveDialog dialog) { installed = std::move(dialog); }

QString ask_save_path(QWidget* parent, const SaveRequest& request) {
    return installed ? installed(parent, request) : qt_dialog(parent, request);
}

QString write_whole(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    const auto failure = [&path](const QString& reason) {
        return QStringLiteral("Could not save %1: %2. Nothing was written.").arg(QDir::toNativeSeparators(path), reason);
    };
    if (!file.open(QIODevice::WriteOnly)) return failure(file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return failure(reason);
    }
    if (!file.commit()) return failure(file.errorString());
    return {};
}

}  // namespace vandrel::ui

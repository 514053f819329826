// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QRegularExpression>

#include <filesystem>
#include <string>

#include "vandrel/files/output.h"

namespace vandrel::ui {
namespace {

SaveDialog installed;
OpenDialog installed_open;

// The first suffix a filter names: "png" for "PNG image (*.png)".
QString suffix_of(const QString& filter) {
    static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
    return pattern.match(filter).captured(1);
}

QString qt_dialog(QWidget* parent, const SaveRequest& request) {
    QFileDialog dialog(parent, request.caption, request.suggested);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(request.filters);
    const bool preselected = request.chosen_filter && request.filters.contains(*request.chosen_filter);
    if (preselected) dialog.selectNameFilter(*request.chosen_filter);
    // A name typed without a suffix takes the chosen filter's.
    dialog.setDefaultSuffix(suffix_of(preselected ? *request.chosen_filter : request.filters.value(0)));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& filter) { dialog.setDefaultSuffix(suffix_of(filter)); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    if (request.chosen_filter) *request.chosen_filter = dialog.selectedNameFilter();
    return dialog.selectedFiles().constFirst();
}

QString qt_open_dialog(QWidget* parent, const OpenRequest& request) {
    QFileDialog dialog(parent, request.caption, request.start);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(request.filters);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

}  // namespace

void set_open_dialog(OpenDialog dialog) { installed_open = std::move(dialog); }

QString ask_open_path(QWidget* parent, const OpenRequest& request) {
    return installed_open ? installed_open(parent, request) : qt_open_dialog(parent, request);
}

std::filesystem::path native_path(const QString& path) {
    const QByteArray utf8 = path.toUtf8();
    return std::filesystem::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.constData()),
                                               static_cast<std::size_t>(utf8.size())));
}

void set_save_dialog(SaveDialog dialog) { installed = std::move(dialog); }

QString ask_save_path(QWidget* parent, const SaveRequest& request) {
    return installed ? installed(parent, request) : qt_dialog(parent, request);
}

QString write_whole(const QString& path, const QByteArray& bytes) {
    const std::string reason = files::write_file(native_path(path), bytes.toStdString());
    if (reason.empty()) return {};
    return QStringLiteral("Could not save %1: %2. Nothing was written.").arg(QDir::toNativeSeparators(path), QString::fromStdString(reason));
}

}  // namespace vandrel::ui

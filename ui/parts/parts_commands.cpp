// SPDX-License-Identifier: GPL-3.0-or-later
// The Parts window's commands: the parts list to the clipboard, and the
// netlist, the response table and the plot to files.
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>

#include "frm_parts.h"
#include "message_sink.h"
#include "parts_files.h"
#include "parts_settings.h"
#include "parts_sheet.h"
#include "plot_export.h"
#include "qtext.h"
#include "vandrel/as_built/parts_text.h"

using vandrel::ui::to_qstring;
namespace ab = vandrel::as_built;

void frm_parts::cmd_copy_Click() {
    if (figures_.built) QApplication::clipboard()->setText(to_qstring(ab::parts_list_text(*figures_.built)));
}

void frm_parts::save(const QString& caption, const QString& name, const QStringList& filters,
                     const std::function<std::optional<QByteArray>(const QString&)>& bytes) {
    if (!figures_.built) return;
    const QString path = vandrel::ui::ask_save_path(
        this, {caption, QDir(vandrel::ui::load_directory()).filePath(name), filters});
    if (path.isEmpty()) return;
    const std::optional<QByteArray> content = bytes(path);
    if (!content) return;
    const QString failure = vandrel::ui::write_whole(path, *content);
    if (!failure.isEmpty()) {
        vandrel::ui::message_sink().warning(this, failure);
        return;
    }
    vandrel::ui::save_directory(QFileInfo(path).absolutePath());
}

void frm_parts::cmd_spice_Click() {
    save(QStringLiteral("Save SPICE netlist"), QStringLiteral("vandrel.cir"),
         {QStringLiteral("SPICE netlist (*.cir)"), QStringLiteral("All files (*)")}, [this](const QString&) {
             return QByteArray::fromStdString(ab::spice_netlist(figures_.design, figures_.mode, *figures_.built));
         });
}

void frm_parts::cmd_csv_Click() {
    save(QStringLiteral("Save response as CSV"), QStringLiteral("vandrel-response.csv"),
         {QStringLiteral("CSV table (*.csv)"), QStringLiteral("All files (*)")},
         [this](const QString&) { return QByteArray::fromStdString(vandrel::ui::response_csv_file(figures_)); });
}

void frm_parts::cmd_plot_Click() {
    save(QStringLiteral("Save plot as image"), QStringLiteral("vandrel-response.png"),
         {QStringLiteral("PNG image (*.png)"), QStringLiteral("JPEG image (*.jpg *.jpeg)"),
          QStringLiteral("SVG drawing (*.svg)")},
         [this](const QString& path) -> std::optional<QByteArray> {
             const auto format = vandrel::ui::plot_format_of(path);
             if (!format) {
                 vandrel::ui::message_sink().warning(
                     this, QStringLiteral("The plot is saved as PNG (.png), JPEG (.jpg or .jpeg) or SVG (.svg), as "
                                          "the name ends; %1 ends in none of these. Nothing was written.")
                               .arg(QFileInfo(path).fileName()));
                 return std::nullopt;
             }
             return vandrel::ui::plot_file(figures_, *format);
         });
}

void frm_parts::cmd_sheet_Click() {
    if (!figures_.built) return;
    // Drawn before the dialog, so that a drawing that fails never leaves a file.
    const QByteArray pdf = vandrel::ui::build_sheet(figures_);
    if (pdf.isEmpty()) {
        vandrel::ui::message_sink().warning(this,
                                            QStringLiteral("The build sheet could not be drawn. Nothing was written."));
        return;
    }
    save(QStringLiteral("Save build sheet as PDF"), QStringLiteral("vandrel-build-sheet.pdf"),
         {QStringLiteral("PDF document (*.pdf)"), QStringLiteral("All files (*)")},
         [&pdf](const QString&) -> std::optional<QByteArray> { return pdf; });
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The Parts window's commands: the parts list to the clipboard, and the
// netlist, the response table, the plot and the build sheet to files; on
// the Subwoofer page the table and the plot are the subwoofer's.
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>

#include "frm_parts.h"
#include "message_sink.h"
#include "file_dialogs.h"
#include "user_settings.h"
#include "parts_page/parts_model.h"
#include "parts_sheet.h"
#include "parts_page/response_plot.h"
#include "plots/plot_export.h"
#include "qtext.h"
#include "subwoofer_page/speaker_plot.h"
#include "subwoofer_page/subwoofer_page.h"
#include "vandrel/as_built/parts_text.h"

using vandrel::ui::to_qstring;
namespace ab = vandrel::as_built;

void frm_parts::cmd_copy_Click() {
    if (figures().built) QApplication::clipboard()->setText(to_qstring(ab::parts_list_text(*figures().built)));
}

void frm_parts::save(const QString& caption, const QString& name, const QStringList& filters,
                     const std::function<std::optional<QByteArray>(const QString&)>& bytes, QString* chosen_filter) {
    const QString path = vandrel::ui::ask_save_path(
        this, {caption, QDir(vandrel::ui::load_directory()).filePath(name), filters, chosen_filter});
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
    if (!figures().built) return;
    save(QStringLiteral("Save SPICE netlist"), QStringLiteral("vandrel.cir"),
         {QStringLiteral("SPICE netlist (*.cir)"), QStringLiteral("All files (*)")}, [this](const QString&) {
             return QByteArray::fromStdString(ab::spice_netlist(figures().design, figures().mode, *figures().built));
         });
}

void frm_parts::cmd_csv_Click() {
    if (on_subwoofer_page()) {
        subwoofer->bring_up_to_date();
        const vandrel::ui::SpeakerFigures& f = subwoofer->figures();
        if (!f.analysis) return;
        const QByteArray table = QByteArray::fromStdString(vandrel::speaker::system_response_csv(*f.analysis));
        save(QStringLiteral("Save system response as CSV"), QStringLiteral("vandrel-system-response.csv"),
             {QStringLiteral("CSV table (*.csv)"), QStringLiteral("All files (*)")},
             [&table](const QString&) -> std::optional<QByteArray> { return table; });
        return;
    }
    if (!figures().built) return;
    save(QStringLiteral("Save response as CSV"), QStringLiteral("vandrel-response.csv"),
         {QStringLiteral("CSV table (*.csv)"), QStringLiteral("All files (*)")},
         [this](const QString&) { return QByteArray::fromStdString(vandrel::ui::response_csv_file(figures())); });
}

void frm_parts::cmd_plot_Click() {
    const bool speaker = on_subwoofer_page();
    if (speaker) subwoofer->bring_up_to_date();
    if (speaker ? !subwoofer->figures().analysis : !figures().built) return;
    save(speaker ? QStringLiteral("Save subwoofer plots as image") : QStringLiteral("Save plot as image"),
         speaker ? QStringLiteral("vandrel-subwoofer.png") : QStringLiteral("vandrel-response.png"),
         {QStringLiteral("PNG image (*.png)"), QStringLiteral("JPEG image (*.jpg *.jpeg)"),
          QStringLiteral("SVG drawing (*.svg)")},
         [this, speaker](const QString& path) -> std::optional<QByteArray> {
             const auto format = vandrel::ui::plot_format_of(path);
             if (!format) {
                 vandrel::ui::message_sink().warning(
                     this, QStringLiteral("The plot is saved as PNG (.png), JPEG (.jpg or .jpeg) or SVG (.svg), as "
                                          "the name ends; %1 ends in none of these. Nothing was written.")
                               .arg(QFileInfo(path).fileName()));
                 return std::nullopt;
             }
             if (speaker)
                 return vandrel::ui::speaker_plot_file(subwoofer->figures(), subwoofer->filter(), *format);
             return vandrel::ui::plot_file(figures(), *format);
         });
}

void frm_parts::cmd_sheet_Click() {
    if (!figures().built) return;
    // Drawn before the dialog, so that a drawing that fails never leaves a file.
    // With the subwoofer's page where its page shows a subwoofer.
    subwoofer->bring_up_to_date();
    const QByteArray pdf = vandrel::ui::build_sheet(figures(), &subwoofer->figures(), subwoofer->suggestion());
    if (pdf.isEmpty()) {
        vandrel::ui::message_sink().warning(this,
                                            QStringLiteral("The build sheet could not be drawn. Nothing was written."));
        return;
    }
    save(QStringLiteral("Save build sheet as PDF"), QStringLiteral("vandrel-build-sheet.pdf"),
         {QStringLiteral("PDF document (*.pdf)"), QStringLiteral("All files (*)")},
         [&pdf](const QString&) -> std::optional<QByteArray> { return pdf; });
}

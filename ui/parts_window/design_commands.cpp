// SPDX-License-Identifier: GPL-3.0-or-later
// "Open design…" and "Save design…": a design file (.vandrel) holds every
// input of both windows; opening one puts each value in its field and
// solves it, or changes nothing and says why.
#include <QDir>
#include <QFileInfo>

#include "design_model.h"
#include "file_dialogs.h"
#include "frm_parts.h"
#include "message_sink.h"
#include "parts_page/parts_page.h"
#include "parts_page/parts_settings.h"
#include "qtext.h"
#include "subwoofer_page/subwoofer_page.h"
#include "user_settings.h"

using vandrel::ui::to_qstring;
namespace project = vandrel::project;

namespace {

const QString design_filter = QStringLiteral("Vandrel design (*.vandrel)");
const QString all_files = QStringLiteral("All files (*)");

// The folder design files were last opened from or saved in; the folder
// files were last saved in at first.
QString design_folder() {
    return vandrel::ui::user_settings()
        ->value(QStringLiteral("parts/design_directory"), vandrel::ui::load_directory())
        .toString();
}

void keep_design_folder(const QString& path) {
    vandrel::ui::user_settings()->setValue(QStringLiteral("parts/design_directory"), QFileInfo(path).absolutePath());
}

QString sentence(std::string text) {
    if (!text.empty() && text.back() != '.') text += '.';
    return to_qstring(text);
}

}  // namespace

void frm_parts::mnu_open_design_Click() {
    if (!main_design_) return;
    const QString path = vandrel::ui::ask_open_path(
        this, {QStringLiteral("Open design"), design_folder(), {design_filter, all_files}});
    if (!path.isEmpty()) open_design(path);
}

void frm_parts::open_design(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const project::DesignRead read = project::read_design(vandrel::ui::native_path(path));
    const std::filesystem::path folder = vandrel::ui::native_path(QFileInfo(path).absolutePath());
    vandrel::ui::WindowDesignRead taken;
    if (read.design)
        taken = vandrel::ui::window_design(*read.design, folder);
    else
        taken.problem = read.problem;
    if (!taken.window) {
        vandrel::ui::message_sink().warning(
            this, QStringLiteral("%1 cannot be opened as a design: %2 Nothing was changed.")
                      .arg(name, sentence(taken.problem)));
        return;
    }
    keep_design_folder(path);
    const vandrel::ui::WindowDesign& w = *taken.window;
    parts->set_choices(w.choices);
    vandrel::ui::save_choices(w.choices);
    subwoofer->put_inputs(w.speaker);
    QString measurement_failure;
    if (!w.measurement.empty())
        subwoofer->use_measurement(to_qstring(vandrel::ui::utf8_of(w.measurement)), &measurement_failure);
    else if (subwoofer->has_measurement())
        subwoofer->cmd_clear_measurement_Click();
    // The main window solves, and this window follows; where Solve stops
    // early, the choices still change what this window shows.
    const int shown = designs_shown_;
    main_design_->solve_fields(w.mode, w.fields);
    if (designs_shown_ == shown) update_figures();
    if (!measurement_failure.isEmpty())
        vandrel::ui::message_sink().warning(
            this, QStringLiteral("The design in %1 is open, but not its measurement: %2 No measurement is shown.")
                      .arg(name, measurement_failure));
}

void frm_parts::mnu_save_design_Click() {
    if (!main_design_) return;
    vandrel::ui::WindowDesign w;
    w.mode = main_design_->mode_now();
    for (vandrel::Field f : vandrel::all_fields) w.fields[f] = main_design_->field_now(f);
    w.choices = parts->choices();
    w.speaker = subwoofer->inputs();
    if (subwoofer->has_measurement()) w.measurement = vandrel::ui::native_path(subwoofer->measurement_path());

    const QString path = vandrel::ui::ask_save_path(
        this, {QStringLiteral("Save design"), QDir(design_folder()).filePath(QStringLiteral("vandrel-design.vandrel")),
               {design_filter, all_files}});
    if (path.isEmpty()) return;
    const std::filesystem::path folder = vandrel::ui::native_path(QFileInfo(path).absolutePath());
    const std::string text = project::design_text(vandrel::ui::design_of(w, folder));
    // Written only where it reads back: a field may hold what a design file
    // cannot (a control character, more than 4096 bytes).
    if (const project::DesignRead back = project::parse_design(text); !back.design) {
        vandrel::ui::message_sink().warning(
            this, QStringLiteral("The design cannot be saved: %1 Nothing was written.").arg(sentence(back.problem)));
        return;
    }
    const QString failure = vandrel::ui::write_whole(path, QByteArray::fromStdString(text));
    if (!failure.isEmpty()) {
        vandrel::ui::message_sink().warning(this, failure);
        return;
    }
    keep_design_folder(path);
}

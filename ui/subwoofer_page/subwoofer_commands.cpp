// SPDX-License-Identifier: GPL-3.0-or-later
// The Subwoofer page's commands: driver files and measurements opened and
// saved, the suggestion searched and put into the main window.
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

#include "accessibility.h"
#include "message_sink.h"
#include "file_dialogs.h"
#include "user_settings.h"
#include "qtext.h"
#include "speaker_settings.h"
#include "subwoofer_page.h"
#include "suggest_runner.h"
#include "vandrel/texts/figures.h"
#include "vandrel/speaker/driver_file.h"

namespace vandrel::ui {
namespace {

namespace sp = speaker;

// A problem of a file as a sentence: "line 3: fs must be a number (in Hz), not "x"."
QString sentence(const sp::FileProblem& problem) {
    QString text = to_qstring(problem.message());
    if (!text.endsWith(QLatin1Char('.'))) text += QLatin1Char('.');
    return text;
}

// Where a dialog starts: the file last used, else the folder last saved in.
QString start_at(const QString& last, const QString& name) {
    return last.isEmpty() ? QDir(load_directory()).filePath(name) : last;
}

}  // namespace

void SubwooferPage::cmd_open_driver_Click() {
    const QString path = ask_open_path(
        this, {QStringLiteral("Open driver file"), start_at(load_driver_path(), QString()),
               {QStringLiteral("Driver files (*.txt *.json *.wdr)"), QStringLiteral("All files (*)")}});
    if (path.isEmpty()) return;
    const sp::Parsed<sp::DriverFile> read = sp::read_driver_file(native_path(path));
    DriverLoad load;
    if (read.value)
        load = driver_for_page(*read.value);
    else
        load.problem = read.problem;
    const QString file_name = QFileInfo(path).fileName();
    if (!load.values) {
        message_sink().warning(this, QStringLiteral("%1 cannot be used as a driver file: %2 The driver's values are "
                                                    "as they were.")
                                         .arg(file_name, sentence(load.problem)));
        return;
    }
    // A file that gives none (an empty one, or another program's) would
    // only empty the fields.
    if (!gives_driver_values(*load.values)) {
        message_sink().warning(this, QStringLiteral("%1 cannot be used as a driver file: it gives none of the driver's "
                                                    "values (fs, qes, qms, qts, vas, re, sd, xmax, le, pe). The "
                                                    "driver's values are as they were.")
                                         .arg(file_name));
        return;
    }
    SpeakerInputs in = inputs();
    const sp::DriverValues before = in.driver;
    in.driver = *load.values;
    set_inputs(in);
    save_driver_path(path);
    // What it emptied said plainly, then what the file itself is warned of.
    QStringList notes;
    if (const std::string emptied = driver_file_note(file_name.toStdString(), before, in.driver); !emptied.empty())
        notes << to_qstring(emptied);
    for (const std::string& w : load.warnings) notes << file_name + QStringLiteral(", ") + to_qstring(w);
    set_spoken_text(lbl_driver_note, QStringLiteral("Driver file note"), notes.join(QLatin1Char('\n')));
    lbl_driver_note->setVisible(!notes.isEmpty());
    input_Change();
}

void SubwooferPage::cmd_save_driver_Click() {
    const sp::DriverValues values = inputs().driver;
    if (sp::driver_file_text(values).empty()) {
        message_sink().warning(this, QStringLiteral("The driver has no values yet: type them, or open a driver file. "
                                                    "Nothing was written."));
        return;
    }
    const QString text_filter = QStringLiteral("Driver file, name = value lines (*.txt)");
    const QString wdr_filter = QStringLiteral("WinISD driver file (*.wdr)");
    // The form of the file last used, at first.
    const QString last = load_driver_path();
    const bool last_wdr = driver_save_format(last.toStdString(), false) == sp::DriverFormat::wdr;
    QString name = values.name.empty() ? QStringLiteral("driver") : to_qstring(values.name);
    name = name.replace(QLatin1Char('/'), QLatin1Char('-')) + (last_wdr ? QStringLiteral(".wdr") : QStringLiteral(".txt"));
    QString chosen = last_wdr ? wdr_filter : text_filter;
    const QString path = ask_save_path(
        this, {QStringLiteral("Save driver file"), start_at(last, name),
               {text_filter, wdr_filter, QStringLiteral("All files (*)")}, &chosen});
    if (path.isEmpty()) return;
    const sp::DriverFormat format = driver_save_format(QFileInfo(path).fileName().toStdString(), chosen == wdr_filter);
    const QString failure = write_whole(path, QByteArray::fromStdString(sp::driver_file_text(values, format)));
    if (!failure.isEmpty()) {
        message_sink().warning(this, failure);
        return;
    }
    save_driver_path(path);
    save_directory(QFileInfo(path).absolutePath());
}

bool SubwooferPage::load_measurement(const QString& path, QString* failure) {
    const sp::Parsed<sp::Measurement> read = sp::read_measurement(native_path(path));
    const QString name = QFileInfo(path).fileName();
    if (!read.value) {
        *failure = QStringLiteral("%1 cannot be used as a measurement: %2").arg(name, sentence(read.problem));
        return false;
    }
    measurement_ = *read.value;
    measurement_path_ = path;
    const sp::Measurement& m = *measurement_;
    set_spoken_text(lbl_measurement, QStringLiteral("Measurement"),
                    QStringLiteral("%1: %2 from %3 to %4 Hz")
                        .arg(name, to_qstring(vandrel::texts::count_text(m.hz.size(), "point", "points")),
                             to_qstring(vandrel::texts::figure(m.hz.front())),
                             to_qstring(vandrel::texts::figure(m.hz.back()))));
    return true;
}

void SubwooferPage::cmd_open_measurement_Click() {
    const QString path = ask_open_path(
        this, {QStringLiteral("Open measurement"), start_at(measurement_path_, QString()),
               {QStringLiteral("Measurements (*.frd *.txt *.csv)"), QStringLiteral("All files (*)")}});
    if (path.isEmpty()) return;
    QString failure;
    if (!load_measurement(path, &failure)) {
        message_sink().warning(this, failure + (measurement_ ? QStringLiteral(" The measurement shown is as it was.")
                                                             : QStringLiteral(" No measurement is shown.")));
        return;
    }
    save_measurement_path(path);
    update_figures();
}

void SubwooferPage::cmd_clear_measurement_Click() {
    measurement_.reset();
    measurement_path_.clear();
    save_measurement_path({});
    set_spoken_text(lbl_measurement, QStringLiteral("Measurement"), no_measurement_text());
    update_figures();
}

void SubwooferPage::cmd_suggest_Click() {
    if (!figures_.system) return;
    suggestion_.reset();
    // Disabled while it searches, the button gives the focus away (to the
    // commands below); it goes to what is to be done next once the search
    // ends, also after Alt+F, which leaves it where it was.
    refocus_after_search_ = true;
    // Built as "Use this design" would build it: the main window's fields
    // with the design's frequency and Q, the parts as the first page chooses them.
    std::optional<sp::Build> build;
    if (main_) {
        build.emplace();
        for (Field f : all_fields) build->fields[f] = main_->field_now(f);
        build->options = filter_.options;
    }
    runner_->start(*figures_.system, build);
    show_suggestion();
}

void SubwooferPage::cmd_use_Click() {
    if (!main_ || !suggestion_ || !suggestion_->design) return;
    const sp::Design& d = *suggestion_->design;
    // The main window solves, and the Parts window follows with both pages.
    main_->solve_design(d.mode, d.freq_text, d.q_text);
}

void SubwooferPage::cmd_back_Click() {
    if (!main_ || !main_->has_previous_design()) return;
    // The main window solves, and the Parts window follows with both pages;
    // the button is enabled again for what the main window has then.
    main_->back_to_previous_design();
    show_suggestion();
}

}  // namespace vandrel::ui

// SPDX-License-Identifier: GPL-3.0-or-later
// The Parts window's files for other programs: the response as an FRD curve
// (the filter's on the page of parts, the subwoofer's on its page), and the
// three KiCad files of the filter as built; and the commands of the design
// file's menu.
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPushButton>

#include <vector>

#include "file_dialogs.h"
#include "frm_parts.h"
#include "message_sink.h"
#include "qtext.h"
#include "subwoofer_page/subwoofer_page.h"
#include "user_settings.h"
#include "vandrel/as_built/frd.h"
#include "vandrel/as_built/kicad.h"
#include "vandrel/files/output.h"
#include "vandrel/speaker/frd.h"

namespace ab = vandrel::as_built;

namespace {

const QString relative_frd = QStringLiteral("FRD curve, 0 dB in the pass band (*.frd)");
const QString absolute_frd = QStringLiteral("FRD curve, with the path's gain (*.frd)");
const QString system_frd = QStringLiteral("FRD curve, dB SPL at 1 m (*.frd)");
const QString tht_schematic = QStringLiteral("KiCad schematic, through-hole parts (*.kicad_sch)");
const QString smd_schematic = QStringLiteral("KiCad schematic, SMD parts (*.kicad_sch)");
const QString all_files = QStringLiteral("All files (*)");

QPushButton* command(const char* name, const QString& text, const QString& accessible, const QString& tip) {
    auto* b = new QPushButton(text);
    b->setObjectName(QLatin1String(name));
    b->setAccessibleName(accessible);
    b->setToolTip(tip);
    b->setAutoDefault(true);
    return b;
}

QString footprints_key() { return QStringLiteral("parts/footprints"); }

}  // namespace

void frm_parts::build_file_commands() {
    cmd_frd = command("cmd_frd", QStringLiteral("Save response as FR&D\u2026"), QStringLiteral("Save response as FRD"),
                      {});
    cmd_kicad = command("cmd_kicad", QStringLiteral("Export for &KiCad\u2026"), QStringLiteral("Export for KiCad"),
                        QStringLiteral("The circuit with these parts as a KiCad 6 schematic, with its netlist for "
                                       "Pcbnew and the parts list for board assembly beside it: name.kicad_sch, "
                                       "name.net and name.csv, all three or none. Through-hole or SMD footprints, "
                                       "as the dialog's file type says."));
    cmd_design = command("cmd_design", QStringLiteral("Desi&gn file"), QStringLiteral("Design file"),
                         QStringLiteral("Open a design file (Ctrl+O), which puts its design into both windows "
                                        "and solves it, or save the whole design to one (Ctrl+S): the main "
                                        "window's fields and mode, the parts chosen, the driver, the box, the "
                                        "drive and the measurement, as vandrel-solve --design reads it."));
    auto* menu = new QMenu(cmd_design);
    menu->setObjectName(QStringLiteral("design_menu"));
    menu->setAccessibleName(QStringLiteral("Design file"));
    menu->setToolTipsVisible(true);
    mnu_open_design = menu->addAction(QStringLiteral("&Open design\u2026"));
    mnu_open_design->setObjectName(QStringLiteral("mnu_open_design"));
    mnu_open_design->setShortcut(QKeySequence::Open);
    mnu_open_design->setToolTip(QStringLiteral("Reads a design file (.vandrel) into both windows and solves it"));
    mnu_save_design = menu->addAction(QStringLiteral("&Save design\u2026"));
    mnu_save_design->setObjectName(QStringLiteral("mnu_save_design"));
    mnu_save_design->setShortcut(QKeySequence::Save);
    mnu_save_design->setToolTip(QStringLiteral("Writes the whole design to a design file (.vandrel)"));
    cmd_design->setMenu(menu);
    // The keys work with the menu closed too.
    for (QAction* a : {mnu_open_design, mnu_save_design}) {
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a);
        a->setEnabled(main_design_ != nullptr);
    }
    cmd_design->setEnabled(main_design_ != nullptr);
    connect(cmd_frd, &QPushButton::clicked, this, &frm_parts::cmd_frd_Click);
    connect(cmd_kicad, &QPushButton::clicked, this, &frm_parts::cmd_kicad_Click);
    connect(mnu_open_design, &QAction::triggered, this, &frm_parts::mnu_open_design_Click);
    connect(mnu_save_design, &QAction::triggered, this, &frm_parts::mnu_save_design_Click);
}

void frm_parts::update_file_commands() {
    const bool subwoofer_shown = on_subwoofer_page();
    cmd_frd->setEnabled(subwoofer_shown ? subwoofer->figures().analysis.has_value() : figures().built.has_value());
    cmd_kicad->setEnabled(figures().built.has_value());
    // Its letter is one the page shown leaves free.
    cmd_frd->setText(subwoofer_shown ? QStringLiteral("Save response &as FRD\u2026")
                                     : QStringLiteral("Save response as FR&D\u2026"));
    cmd_frd->setToolTip(subwoofer_shown
                            ? QStringLiteral("The subwoofer's SPL with the filter, dB at 1 m, and its phase from 1 Hz "
                                             "to 1 kHz as an FRD curve for measurement and box programs, the driver, "
                                             "the box and the drive in comment lines")
                            : QStringLiteral("The whole path as built from 1 Hz to 1 kHz, 0 dB in the pass band (or "
                                             "with its gain, as the dialog's file type says), and its phase, as an "
                                             "FRD curve for measurement and box programs"));
}

void frm_parts::cmd_frd_Click() {
    if (on_subwoofer_page()) {
        subwoofer->bring_up_to_date();
        const vandrel::ui::SpeakerFigures& f = subwoofer->figures();
        if (!f.analysis || !f.system) return;
        const QByteArray curve = QByteArray::fromStdString(vandrel::speaker::system_frd(
            *f.system, *f.analysis, vandrel::speaker::system_description(*f.system, f.filter_parts)));
        save(QStringLiteral("Save subwoofer response as FRD"), QStringLiteral("vandrel-subwoofer.frd"),
             {system_frd, all_files}, [&curve](const QString&) -> std::optional<QByteArray> { return curve; });
        return;
    }
    if (!figures().built) return;
    QString chosen = relative_frd;
    save(QStringLiteral("Save response as FRD"), QStringLiteral("vandrel-filter.frd"),
         {relative_frd, absolute_frd, all_files},
         [this, &chosen](const QString&) -> std::optional<QByteArray> {
             return QByteArray::fromStdString(
                 ab::filter_frd(figures().design, figures().mode, *figures().built, chosen == absolute_frd));
         },
         &chosen);
}

void frm_parts::cmd_kicad_Click() {
    if (!figures().built) return;
    const bool smd_before = vandrel::ui::user_settings()->value(footprints_key()).toString() == QLatin1String("smd");
    QString chosen = smd_before ? smd_schematic : tht_schematic;
    const QString path = vandrel::ui::ask_save_path(
        this, {QStringLiteral("Export for KiCad"), QDir(vandrel::ui::load_directory()).filePath(QStringLiteral("vandrel-filter.kicad_sch")),
               {tht_schematic, smd_schematic}, &chosen});
    if (path.isEmpty()) return;
    const ab::Footprints footprints = chosen == smd_schematic ? ab::Footprints::smd : ab::Footprints::through_hole;
    vandrel::ui::user_settings()->setValue(footprints_key(), vandrel::ui::to_qstring(ab::footprints_name(footprints)));

    // name.kicad_sch, name.net and name.csv, side by side.
    const QFileInfo chosen_file(path);
    QString base = chosen_file.absoluteFilePath();
    if (base.endsWith(QStringLiteral(".kicad_sch"), Qt::CaseInsensitive)) base.chop(10);
    const QString schematic = path.endsWith(QStringLiteral(".kicad_sch"), Qt::CaseInsensitive)
                                  ? chosen_file.absoluteFilePath()
                                  : base + QStringLiteral(".kicad_sch");
    const QString netlist = base + QStringLiteral(".net"), bom = base + QStringLiteral(".csv");
    // The dialog asked about the schematic only.
    QStringList there;
    for (const QString& beside : {netlist, bom})
        if (QFileInfo::exists(beside) || QFileInfo(beside).isSymLink()) there << QFileInfo(beside).fileName();
    if (!there.isEmpty() &&
        !vandrel::ui::message_sink().ask_yes_no(
            this, QStringLiteral("Export for KiCad"),
            QStringLiteral("%1 %2 there already beside %3. Replace %4?")
                .arg(there.join(QStringLiteral(" and ")),
                     there.size() == 1 ? QStringLiteral("is") : QStringLiteral("are"),
                     QFileInfo(schematic).fileName(),
                     there.size() == 1 ? QStringLiteral("it") : QStringLiteral("them"))))
        return;

    const ab::KicadFiles files = ab::kicad_files(figures().design, figures().mode, *figures().built, footprints,
                                                 QFileInfo(schematic).fileName().toStdString());
    const std::vector<vandrel::files::Output> outputs{{vandrel::ui::native_path(schematic), files.schematic},
                                                      {vandrel::ui::native_path(netlist), files.netlist},
                                                      {vandrel::ui::native_path(bom), files.bom}};
    const std::string failure = vandrel::files::write_files(outputs);
    if (!failure.empty()) {
        vandrel::ui::message_sink().warning(
            this, QStringLiteral("The KiCad files could not be written: %1. None of the three was written.")
                      .arg(QString::fromStdString(failure)));
        return;
    }
    vandrel::ui::save_directory(chosen_file.absolutePath());
}

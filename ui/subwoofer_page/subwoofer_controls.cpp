// SPDX-License-Identifier: GPL-3.0-or-later
// The Subwoofer page's controls: the driver, the box, the drive, the
// amplifier and limits, and the measurement in groups, the figures, the suggestion, and what each says
// when pointed at.
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QAbstractButton>
#include <QChartView>
#include <QValidator>
#include <QVBoxLayout>

#include "qtext.h"
#include "widgets/report_table.h"
#include "speaker_plot.h"
#include "subwoofer_page.h"
#include "widgets/value_box.h"
#include "widgets/wrap_row.h"

namespace vandrel::ui {
namespace {

// A driver's name as a driver file keeps it: at most max_driver_name bytes,
// no control character ("#" is kept: the file writes such a name in
// quotes). A key that would make it otherwise does nothing.
class NameValidator final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        if (input.toUtf8().size() > static_cast<qsizetype>(speaker::max_driver_name)) return Invalid;
        for (QChar c : input)
            if (c.unicode() < 0x20 || c.unicode() == 0x7f) return Invalid;
        return Acceptable;
    }
};

// Tab reaches a group of options at its chosen one; the arrows move within.
void tab_to_chosen(QButtonGroup* group) {
    const auto update = [group] {
        for (QAbstractButton* b : group->buttons()) b->setFocusPolicy(b->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    };
    update();
    QObject::connect(group, &QButtonGroup::buttonToggled, group, update);
}

QPushButton* button(QWidget* parent, const char* name, const QString& text, const QString& tip) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(tip);
    b->setAutoDefault(true);  // Enter on the focused button presses it
    return b;
}

QLabel* note(QWidget* parent, const char* name, const QString& accessible, const char* colour) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setAccessibleName(accessible);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (colour) label->setStyleSheet(QStringLiteral("QLabel { color: %1; }").arg(QLatin1String(colour)));
    return label;
}

// A number field of `range`, named for screen readers by its symbol, what it
// is and its unit ("fs, free-air resonance, Hz"), on a row of the group's
// grid: its caption (the symbol, or `caption` given), the field, its unit;
// and on the row below, hidden while there is nothing to say, the line
// that says why its text is refused (named "<field>_note").
ValueBox* field(QGridLayout* grid, const char* name, const EntryRange& range, double step, const QString& what,
                const QString& tip, QAbstractButton* caption = nullptr) {
    auto* box = new ValueBox(range, step);
    box->setObjectName(QLatin1String(name));
    const QString symbol = to_qstring(range.name), unit = to_qstring(range.unit);
    box->setAccessibleName(symbol + QStringLiteral(", ") + what + (unit.isEmpty() ? QString() : QStringLiteral(", ") + unit));
    box->setToolTip(tip);
    const int row = grid->rowCount();
    if (caption) {
        grid->addWidget(caption, row, 0);
    } else {
        auto* label = new QLabel(symbol);
        label->setBuddy(box);
        label->setToolTip(tip);
        grid->addWidget(label, row, 0);
    }
    grid->addWidget(box, row, 1);
    grid->addWidget(new QLabel(unit), row, 2);
    auto* note = new QLabel;
    note->setObjectName(QLatin1String(name) + QStringLiteral("_note"));
    note->setWordWrap(true);
    note->setTextInteractionFlags(Qt::TextSelectableByMouse);
    note->hide();
    grid->addWidget(note, row + 1, 1, 1, 3);
    return box;
}

QGroupBox* group(const char* name, const QString& title) {
    auto* g = new QGroupBox(title);
    g->setObjectName(QLatin1String(name));
    return g;
}

QGridLayout* grid_in(QBoxLayout* layout) {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    grid->setColumnStretch(3, 1);
    layout->addLayout(grid);
    return grid;
}

}  // namespace

QGroupBox* SubwooferPage::build_driver() {
    QGroupBox* g = group("driver", QStringLiteral("Driver"));
    auto* layout = new QVBoxLayout(g);
    QGridLayout* grid = grid_in(layout);
    txt_name = new QLineEdit;
    txt_name->setObjectName(QStringLiteral("txt_name"));
    txt_name->setAccessibleName(QStringLiteral("Driver name"));
    txt_name->setValidator(new NameValidator(txt_name));
    txt_name->setToolTip(QStringLiteral("The driver's name, for the build sheet and the driver file (optional; at "
                                        "most 200 bytes)."));
    auto* name_caption = new QLabel(QStringLiteral("Name"));
    name_caption->setBuddy(txt_name);
    grid->addWidget(name_caption, 0, 0);
    grid->addWidget(txt_name, 0, 1, 1, 3);
    const QString q_rule = QStringLiteral(" Give any two of Qes, Qms and Qts (all three: Qes and Qms are used); Qts "
                                          "alone means Qes = Qts and no mechanical loss.");
    spn_fs = field(grid, "spn_fs", fs_entry, 1, QStringLiteral("free-air resonance"),
                   QStringLiteral("The driver's free-air resonance, Hz (usually 10 to 150 for a subwoofer)."));
    spn_qes = field(grid, "spn_qes", qes_entry, 0.01, QStringLiteral("electrical Q"),
                    QStringLiteral("The driver's electrical Q.") + q_rule);
    spn_qms = field(grid, "spn_qms", qms_entry, 0.1, QStringLiteral("mechanical Q"),
                    QStringLiteral("The driver's mechanical Q; empty with Qes alone: no mechanical loss.") + q_rule);
    spn_qts = field(grid, "spn_qts", qts_entry, 0.01, QStringLiteral("total Q"),
                    QStringLiteral("The driver's total Q.") + q_rule);
    spn_vas = field(grid, "spn_vas", vas_entry, 1, QStringLiteral("equivalent air volume"),
                    QStringLiteral("The air volume as stiff as the driver's suspension, litres (or type ft\u00b3, "
                                   "as \u201c2.4 ft3\u201d)."));
    spn_re = field(grid, "spn_re", re_entry, 0.1, QStringLiteral("voice-coil resistance"),
                   QStringLiteral("The voice coil's DC resistance, \u03a9 (usually 1 to 16)."));
    spn_sd = field(grid, "spn_sd", sd_entry, 10, QStringLiteral("cone area"),
                   QStringLiteral("The cone's effective area, cm\u00b2 (about 480 for a 12-inch driver; or type "
                                  "in\u00b2, as \u201c80 in2\u201d)."));
    spn_xmax = field(grid, "spn_xmax", xmax_entry, 0.5, QStringLiteral("linear excursion"),
                     QStringLiteral("How far the cone moves one way and stays linear, mm (peak; or type inches, "
                                    "as \u201c0.5 in\u201d)."));
    spn_le = field(grid, "spn_le", le_entry, 0.1, QStringLiteral("voice-coil inductance"),
                   QStringLiteral("The voice coil's inductance, mH; empty for none."));
    spn_pe = field(grid, "spn_pe", pe_entry, 10, QStringLiteral("thermal power handling"),
                   QStringLiteral("The driver's thermal power handling, W rms into Re (optional), as its data sheet "
                                  "gives it; kept in the driver file."));

    cmd_open_driver = button(g, "cmd_open_driver", QStringLiteral("Open &driver\u2026"),
                             QStringLiteral("Reads the driver's values from a driver file: \"name = value\" lines "
                                            "(fs, qes, qms, qts, vas, re, sd, xmax, le, pe, name), a JSON object or "
                                            "a WinISD .wdr file, as vandrel-solve --driver reads them."));
    cmd_save_driver = button(g, "cmd_save_driver", QStringLiteral("Save d&river\u2026"),
                             QStringLiteral("Writes the driver's values to a driver file that \"Open driver\u2026\" "
                                            "and vandrel-solve --driver read: a WinISD file for a name ending in "
                                            ".wdr, else \"name = value\" lines."));
    auto* row = new WrapRow(6, 6);
    row->add(cmd_open_driver);
    row->add(cmd_save_driver);
    layout->addWidget(row);
    lbl_driver_note = note(g, "lbl_driver_note", QStringLiteral("Driver file note"), "#8a4b00");
    lbl_driver_note->hide();
    layout->addWidget(lbl_driver_note);
    return g;
}

QGroupBox* SubwooferPage::build_box() {
    QGroupBox* g = group("box", QStringLiteral("Box"));
    auto* layout = new QVBoxLayout(g);
    opt_sealed = new QRadioButton(QStringLiteral("&Sealed"));
    opt_sealed->setObjectName(QStringLiteral("opt_sealed"));
    opt_sealed->setToolTip(QStringLiteral("A closed box: its air stiffens the suspension."));
    opt_vented = new QRadioButton(QStringLiteral("V&ented"));
    opt_vented->setObjectName(QStringLiteral("opt_vented"));
    opt_vented->setToolTip(QStringLiteral("A box with a port tuned to fb: below fb the cone is held by nothing, "
                                          "which is what a subsonic filter is for."));
    box_group_ = new QButtonGroup(this);
    box_group_->addButton(opt_sealed);
    box_group_->addButton(opt_vented);
    auto* options = new QHBoxLayout;
    options->addWidget(opt_sealed);
    options->addWidget(opt_vented);
    options->addStretch(1);
    layout->addLayout(options);
    QGridLayout* grid = grid_in(layout);
    spn_vb = field(grid, "spn_vb", vb_entry, 1, QStringLiteral("net box volume"),
                   QStringLiteral("The box's net internal volume, litres (or type ft\u00b3, as \u201c2.5 ft3\u201d)."));
    spn_fb = field(grid, "spn_fb", fb_entry, 1, QStringLiteral("tuning frequency"),
                   QStringLiteral("The vented box's tuning frequency, Hz."));
    spn_ql = field(grid, "spn_ql", ql_entry, 1, QStringLiteral("leakage Q"),
                   QStringLiteral("The box's leakage Q; empty for none. It follows the box (7 vented, none sealed) "
                                  "until you type another value."));
    spn_port = field(grid, "spn_port", port_entry, 0.5, QStringLiteral("one round port"),
                     QStringLiteral("The diameter of the vented box's one round port, cm (or type inches, as "
                                    "\u201c4 in\u201d), for its air velocity; empty for none."));
    return g;
}

QGroupBox* SubwooferPage::build_drive() {
    QGroupBox* g = group("drive", QStringLiteral("Drive in the pass band"));
    auto* layout = new QVBoxLayout(g);
    QGridLayout* grid = grid_in(layout);
    // The captions are the options that choose between the fields.
    const QString volts_tip =
        QStringLiteral("The amplifier's output in the pass band, V rms; 2.83 V is 1 W into 8 \u03a9.");
    const QString watts_tip = QStringLiteral("The amplifier's output in the pass band, as watts into Re.");
    opt_volts = new QRadioButton(QStringLiteral("Volts"));
    opt_volts->setObjectName(QStringLiteral("opt_volts"));
    opt_volts->setToolTip(volts_tip);
    opt_watts = new QRadioButton(QStringLiteral("Watts"));
    opt_watts->setObjectName(QStringLiteral("opt_watts"));
    opt_watts->setToolTip(watts_tip);
    spn_volts = field(grid, "spn_volts", volts_entry, 0.5, QStringLiteral("drive in the pass band"), volts_tip, opt_volts);
    spn_watts = field(grid, "spn_watts", watts_entry, 10, QStringLiteral("drive into Re"), watts_tip, opt_watts);
    drive_group_ = new QButtonGroup(this);
    drive_group_->addButton(opt_volts);
    drive_group_->addButton(opt_watts);
    return g;
}

QGroupBox* SubwooferPage::build_limits() {
    QGroupBox* g = group("limits", QStringLiteral("Amplifier and limits"));
    auto* layout = new QVBoxLayout(g);
    QGridLayout* grid = grid_in(layout);
    // As the drive: the captions are the options that choose between the fields.
    const QString volts_tip = QStringLiteral("The amplifier's most output, V rms; empty: the drive. Full scale "
                                             "through the filter must stay within it.");
    const QString watts_tip = QStringLiteral("The amplifier's most output as watts into Re; empty: the drive.");
    opt_amp_volts = new QRadioButton(QStringLiteral("Amp volts"));
    opt_amp_volts->setObjectName(QStringLiteral("opt_amp_volts"));
    opt_amp_volts->setToolTip(volts_tip);
    opt_amp_watts = new QRadioButton(QStringLiteral("Amp watts"));
    opt_amp_watts->setObjectName(QStringLiteral("opt_amp_watts"));
    opt_amp_watts->setToolTip(watts_tip);
    spn_amp_volts = field(grid, "spn_amp_volts", amp_volts_entry, 1, QStringLiteral("amplifier's most output"),
                          volts_tip, opt_amp_volts);
    spn_amp_watts = field(grid, "spn_amp_watts", amp_watts_entry, 10, QStringLiteral("amplifier's most into Re"),
                          watts_tip, opt_amp_watts);
    amp_group_ = new QButtonGroup(this);
    amp_group_->addButton(opt_amp_volts);
    amp_group_->addButton(opt_amp_watts);
    spn_port_limit = field(grid, "spn_port_limit", port_limit_entry, 1, QStringLiteral("port air velocity limit"),
                           QStringLiteral("The port's air velocity not to exceed, m/s peak (17 unless you type "
                                          "another; empty: 17); needs a port diameter."));
    return g;
}

QGroupBox* SubwooferPage::build_measurement() {
    QGroupBox* g = group("measurement", QStringLiteral("Measurement"));
    auto* layout = new QVBoxLayout(g);
    lbl_measurement = note(g, "lbl_measurement", QStringLiteral("Measurement"), nullptr);
    layout->addWidget(lbl_measurement);
    cmd_open_measurement =
        button(g, "cmd_open_measurement", QStringLiteral("Open &measurement\u2026"),
               QStringLiteral("Reads a measured response to draw without and with the filter: an FRD file or a "
                              "measurement program's text export (Hz, dB, an optional phase)."));
    cmd_clear_measurement = button(g, "cmd_clear_measurement", QStringLiteral("C&lear"),
                                   QStringLiteral("Removes the measurement from the plot."));
    auto* row = new WrapRow(6, 6);
    row->add(cmd_open_measurement);
    row->add(cmd_clear_measurement);
    layout->addWidget(row);
    return g;
}

QGroupBox* SubwooferPage::build_suggestion() {
    QGroupBox* g = group("suggestion", QStringLiteral("Suggested filter"));
    auto* layout = new QVBoxLayout(g);
    cmd_suggest = button(g, "cmd_suggest", QStringLiteral("Suggest a &filter"),
                         QStringLiteral("Searches the Butterworth and SOS User-specified designs for the one with "
                                        "the lowest f3 that keeps every limit at this drive (Xmax, the amplifier, "
                                        "Pe, the port's air), built with the first page's parts and held at their "
                                        "tolerance corners; the capacitors and gain as they are."));
    lbl_suggestion = note(g, "lbl_suggestion", QStringLiteral("Suggestion"), nullptr);
    cmd_use = button(g, "cmd_use", QStringLiteral("&Use this design"),
                     QStringLiteral("Puts the suggested mode, frequency and Q into the main window, leaving the "
                                    "capacitors and the gain as they are, and solves it."));
    cmd_back = button(g, "cmd_back", QStringLiteral("Back to t&he previous design"),
                      QStringLiteral("Puts back the mode, frequency and Q the main window had before \u201cUse this "
                                     "design\u201d, and solves it (Ctrl+Z in the main window)."));
    auto* row = new WrapRow(6, 6);
    row->add(cmd_suggest);
    row->add(cmd_use);
    row->add(cmd_back);
    layout->addWidget(row);
    layout->addWidget(lbl_suggestion);
    return g;
}

void SubwooferPage::build_figures(QWidget* parent) {
    table = new ReportTable(QStringLiteral("What the subwoofer does"), "system",
                            {{"without", QStringLiteral("Without the filter")}, {"with", QStringLiteral("With the filter")}},
                            {{"f3", QStringLiteral("f3")},
                             {"spl20", QStringLiteral("SPL at 20 Hz")},
                             {"spl30", QStringLiteral("SPL at 30 Hz")},
                             {"spl40", QStringLiteral("SPL at 40 Hz")},
                             {"excursion", QStringLiteral("Peak excursion")},
                             {"port", QStringLiteral("Peak port air")},
                             {"loud20", QStringLiteral("Loudest at 20 Hz")},
                             {"loud30", QStringLiteral("Loudest at 30 Hz")},
                             {"loud40", QStringLiteral("Loudest at 40 Hz")}},
                            cells_, parent);
    cells_[QStringLiteral("system_passband")] = table->add_note(nullptr, "system_passband");
    cells_[QStringLiteral("system_unsafe")] = table->add_note(nullptr, "system_unsafe");
    cells_[QStringLiteral("system_box")] = table->add_note(nullptr, "system_box");
    cells_[QStringLiteral("system_limits")] = table->add_note(nullptr, "system_limits");
    cells_[QStringLiteral("system_port")] = table->add_note(nullptr, "system_port");
    lbl_problems = note(parent, "lbl_problems", QStringLiteral("Why nothing is shown"), "#a01010");
    lbl_units = note(parent, "lbl_units", QStringLiteral("Units converted"), nullptr);
    lbl_units->setToolTip(QStringLiteral("Values typed in another unit (ft\u00b3, in\u00b2, in), and what the "
                                         "fields took them as"));
    lbl_units->hide();
    lbl_warnings = note(parent, "lbl_speaker_warnings", QStringLiteral("Subwoofer warnings"), "#8a4b00");
}

std::vector<QWidget*> SubwooferPage::tab_order() const {
    return {txt_name,   spn_fs,  spn_qes, spn_qms, spn_qts,  spn_vas,  spn_re,   spn_sd,  spn_xmax,
            spn_le,     spn_pe,  cmd_open_driver, cmd_save_driver, opt_sealed, opt_vented, spn_vb, spn_fb, spn_ql,
            spn_port,   opt_volts, spn_volts, opt_watts, spn_watts, opt_amp_volts, spn_amp_volts, opt_amp_watts,
            spn_amp_watts, spn_port_limit, cmd_open_measurement, cmd_clear_measurement,
            cmd_suggest, cmd_use, cmd_back, plot->spl_view()};
}

std::vector<ValueBox*> SubwooferPage::number_fields() const {
    return {spn_fs, spn_qes, spn_qms, spn_qts, spn_vas, spn_re, spn_sd, spn_xmax, spn_le, spn_pe,
            spn_vb, spn_fb, spn_ql, spn_port, spn_volts, spn_watts, spn_amp_volts, spn_amp_watts, spn_port_limit};
}

void SubwooferPage::connect_handlers() {
    tab_to_chosen(box_group_);
    tab_to_chosen(drive_group_);
    tab_to_chosen(amp_group_);
    for (ValueBox* box : number_fields()) {
        connect(box, &ValueBox::value_changed, this, box == spn_ql ? &SubwooferPage::ql_Change : &SubwooferPage::input_Change);
        connect(box, &ValueBox::problem_changed, this, &SubwooferPage::input_Problem);
    }
    connect(txt_name, &QLineEdit::editingFinished, this, &SubwooferPage::name_Change);
    connect(box_group_, &QButtonGroup::buttonToggled, this, [this](QAbstractButton*, bool checked) {
        if (checked) box_Change();
    });
    for (QButtonGroup* choice : {drive_group_, amp_group_})
        connect(choice, &QButtonGroup::buttonToggled, this, [this](QAbstractButton*, bool checked) {
            if (checked) input_Change();
        });
    connect(cmd_open_driver, &QPushButton::clicked, this, &SubwooferPage::cmd_open_driver_Click);
    connect(cmd_save_driver, &QPushButton::clicked, this, &SubwooferPage::cmd_save_driver_Click);
    connect(cmd_open_measurement, &QPushButton::clicked, this, &SubwooferPage::cmd_open_measurement_Click);
    connect(cmd_clear_measurement, &QPushButton::clicked, this, &SubwooferPage::cmd_clear_measurement_Click);
    connect(cmd_suggest, &QPushButton::clicked, this, &SubwooferPage::cmd_suggest_Click);
    connect(cmd_use, &QPushButton::clicked, this, &SubwooferPage::cmd_use_Click);
    connect(cmd_back, &QPushButton::clicked, this, &SubwooferPage::cmd_back_Click);
}

}  // namespace vandrel::ui

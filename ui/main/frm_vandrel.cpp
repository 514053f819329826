// SPDX-License-Identifier: GPL-3.0-or-later
#include "frm_vandrel.h"

#include <QAction>
#include <QButtonGroup>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include <iterator>
#include <utility>

#include "accessibility.h"
#include "band_layout.h"
#include "controls.h"
#include "frame_placement.h"
#include "layout.h"
#include "menu_keys.h"
#include "picture_box.h"
#include "pictures.h"
#include "qtext.h"
#include "undo_key.h"

using vandrel::Field;
using vandrel::Mode;
using vandrel::ResultLabel;
using vandrel::ui::dialog_font;
using vandrel::ui::panel_colour;
using vandrel::ui::to_qstring;
using vandrel::ui::twips_rect;
using namespace vandrel::ui::controls;

frm_vandrel::frm_vandrel(QWidget* parent) : QMainWindow(parent) {
    build_controls();
    build_menu();
    set_tab_order();
    connect_handlers();
    Form_Load();
}

frm_vandrel::~frm_vandrel() = default;

void frm_vandrel::build_controls() {
    setWindowIcon(vandrel::pictures::main_icon());
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client_area"));
    client->setFont(dialog_font());
    client->setAutoFillBackground(true);
    set_colour(client, QPalette::Window, panel_colour);
    setCentralWidget(client);

    picture_graph = place(new vandrel::ui::PictureBox(client), "picture_graph", twips_rect(7680, 1200, 612, 492));
    picture_graph->setFocusPolicy(Qt::StrongFocus);
    // Named by each Solve after the design it shows.
    vandrel::ui::make_picture(picture_graph, QAccessible::Graphic, QStringLiteral("Magnitude response"), QString());
    picture_graph->hide();

    frame_controls = frame(client, "frame_controls", twips_rect(120, 3360, 8532, 2532), QFrame::NoFrame);
    QWidget* const panel = frame_controls;
    Command1 = place(new QPushButton(QStringLiteral("Solve"), panel), "Command1", twips_rect(6840, 1920, 1332, 432));
    Command1->setAutoDefault(true);  // Enter on the focused button clicks it
    txt_cfilter = text_box(panel, Field::cfilter, twips_rect(2880, 360, 732, 288));
    txt_gain = text_box(panel, Field::gain, twips_rect(2880, 720, 732, 288));
    opt_sos = vandrel::ui::controls::mode_option(panel, Mode::sos, twips_rect(240, 720, 2292, 252));
    opt_peaking = vandrel::ui::controls::mode_option(panel, Mode::peaking, twips_rect(240, 1080, 2292, 252));
    opt_butterworth = vandrel::ui::controls::mode_option(panel, Mode::butterworth, twips_rect(240, 360, 2292, 252));
    opt_butterworth->setChecked(true);
    txt_q = text_box(panel, Field::q, twips_rect(2880, 1440, 732, 288));
    txt_freq = text_box(panel, Field::freq, twips_rect(2880, 1080, 732, 288));
    set_base(txt_freq, Qt::white);
    txt_freq_peak = text_box(panel, Field::freq_peak, twips_rect(2880, 1800, 732, 288));
    txt_peakmag = text_box(panel, Field::peakmag, twips_rect(2880, 2160, 732, 288));

    Frame2 = frame(panel, "Frame2", twips_rect(120, 1560, 2412, 852), QFrame::Box | QFrame::Sunken);
    opt_showcircuit = option(Frame2, "opt_showcircuit", QStringLiteral("Show circuit"), twips_rect(120, 120, 2052, 252));
    opt_showcircuit->setChecked(true);
    opt_showgraph = option(Frame2, "opt_showgraph", QStringLiteral("Show graph"), twips_rect(120, 480, 2052, 252));

    // Each caption names its field for screen readers.
    lbl_cfilter =
        caption_label(panel, "lbl_cfilter", "Filter Capacitors C (uf)", twips_rect(3840, 360, 2412, 252), txt_cfilter);
    lbl_gain = caption_label(panel, "lbl_gain", "Buffer stage Gain (dB)", twips_rect(3840, 720, 2412, 252), txt_gain);
    lbl_peakmag =
        caption_label(panel, "lbl_peakmag", "Peak magnitude (dB)", twips_rect(3840, 2160, 2412, 252), txt_peakmag);
    lbl_freq_peak = caption_label(panel, "lbl_freq_peak", "Peak frequency (hz)", twips_rect(3840, 1800, 2412, 252),
                                  txt_freq_peak);
    lbl_q = caption_label(panel, "lbl_q", "Filter Q", twips_rect(3840, 1440, 2412, 252), txt_q);
    lbl_freq = caption_label(panel, "lbl_freq", "Design frequency (hz)", twips_rect(3840, 1080, 2412, 252), txt_freq);
    lbl_f3 = vandrel::ui::controls::result_label(panel, ResultLabel::f3, twips_rect(6600, 1440, 1692, 252));
    lbl_r1 = vandrel::ui::controls::result_label(panel, ResultLabel::r1, twips_rect(6600, 360, 1692, 288));
    lbl_r4 = vandrel::ui::controls::result_label(panel, ResultLabel::r4, twips_rect(6600, 1080, 1692, 252));
    lbl_r3 = vandrel::ui::controls::result_label(panel, ResultLabel::r3, twips_rect(6600, 720, 1692, 252));

    // The picture takes its diagram's size; it starts with the with-gain
    // diagram, which matches the design gain "6". The two holders are never
    // seen: both hidden, one right of the client area; each gets its
    // diagram when it is first needed.
    using vandrel::pictures::Diagram;
    picture_circuit = picture(client, "picture_circuit", Diagram::with_gain, {0, 0});
    picture_circuit->setFocusPolicy(Qt::StrongFocus);
    image_nogain = picture(client, "image_nogain", Diagram::without_gain, twips_rect(9720, 4200, 0, 0).topLeft());
    image_nogain->hide();
    image_gain = picture(client, "image_gain", Diagram::with_gain, twips_rect(9840, 240, 0, 0).topLeft());
    image_gain->hide();
    show_diagram(picture_circuit, Diagram::with_gain, diagram(Diagram::with_gain));

    mode_group = new QButtonGroup(this);
    for (QRadioButton* button : {opt_butterworth, opt_sos, opt_peaking}) mode_group->addButton(button);
    view_group = new QButtonGroup(this);
    for (QRadioButton* button : {opt_showcircuit, opt_showgraph}) view_group->addButton(button);
    tab_to_selected_only(mode_group);
    tab_to_selected_only(view_group);
}

void frm_vandrel::build_menu() {
    // The entries act when clicked; there are no drop-down lists.
    menuBar()->setNativeMenuBar(false);
    mnu_print = menuBar()->addAction(QStringLiteral("Print"));
    mnu_print->setObjectName(QStringLiteral("mnu_print"));
    mnu_about = menuBar()->addAction(QStringLiteral("About"));
    mnu_about->setObjectName(QStringLiteral("mnu_about"));
    mnu_parts = menuBar()->addAction(QStringLiteral("Parts"));
    mnu_parts->setObjectName(QStringLiteral("mnu_parts"));
    // The Parts window on its Subwoofer page, Alt+W as there.
    mnu_subwoofer = menuBar()->addAction(QStringLiteral("Sub&woofer"));
    mnu_subwoofer->setObjectName(QStringLiteral("mnu_subwoofer"));
    vandrel::ui::take_menu_bar_on_f10(menuBar());
}

void frm_vandrel::set_tab_order() {
    // Reading order: the picture band (whichever view is shown), then the
    // panel's columns left to right, each top to bottom: the options, the
    // fields, "Solve". Tab passes hidden and disabled fields by, and reaches
    // a group of options at its selected one.
    const std::initializer_list<QWidget*> order{
        picture_circuit, picture_graph, opt_butterworth, opt_sos,       opt_peaking, opt_showcircuit, opt_showgraph,
        txt_cfilter,     txt_gain,      txt_freq,        txt_q,         txt_freq_peak, txt_peakmag,   Command1};
    for (auto it = order.begin(); std::next(it) != order.end(); ++it) setTabOrder(*it, *std::next(it));
}

void frm_vandrel::connect_handlers() {
    const auto on_selected = [this](QRadioButton* button, void (frm_vandrel::*handler)()) {
        connect(button, &QRadioButton::toggled, this, [this, handler](bool checked) {
            if (checked) (this->*handler)();
        });
    };
    on_selected(opt_butterworth, &frm_vandrel::opt_butterworth_Click);
    on_selected(opt_sos, &frm_vandrel::opt_sos_Click);
    on_selected(opt_peaking, &frm_vandrel::opt_peaking_Click);
    on_selected(opt_showcircuit, &frm_vandrel::opt_showcircuit_Click);
    on_selected(opt_showgraph, &frm_vandrel::opt_showgraph_Click);
    connect(Command1, &QPushButton::clicked, this, &frm_vandrel::Command1_Click);
    connect(txt_gain, &QLineEdit::textChanged, this, &frm_vandrel::txt_gain_Change);
    connect(mnu_print, &QAction::triggered, this, &frm_vandrel::mnu_print_Click);
    connect(mnu_about, &QAction::triggered, this, &frm_vandrel::mnu_about_Click);
    connect(mnu_parts, &QAction::triggered, this, &frm_vandrel::mnu_parts_Click);
    connect(mnu_subwoofer, &QAction::triggered, this, &frm_vandrel::mnu_subwoofer_Click);
    // Ctrl+Z: back to the design before the one the Parts window put in.
    vandrel::ui::take_undo_key(
        this, {txt_cfilter, txt_gain, txt_freq, txt_q, txt_freq_peak, txt_peakmag},
        [this] { return has_previous_design(); }, [this] { back_to_previous_design(); });
}

void frm_vandrel::Form_Load() {
    setWindowTitle(QStringLiteral("Vandrel: 2nd-order high-pass filter    version: ") + to_qstring(vandrel::program_version));

    // Size and place from the sizes actually in effect: the panel's and the
    // circuit picture's (the picture's is its diagram's).
    const vandrel::ui::BandLayout band = vandrel::ui::band_layout(frame_controls->size(), picture_circuit->size());
    picture_circuit->move(band.picture);
    frame_controls->move(band.panel);
    centralWidget()->setFixedSize(band.client);
    picture_graph->setGeometry(QRect(QPoint(0, 0), band.graph));
    // The window takes the menu bar plus the client area and cannot be resized.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    layout()->activate();
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);

    // Centred on the screen by the outer size, frame and title bar included.
    vandrel::ui::place_by_frame(this, screen(), [](const QRect& area, const QSize& outer) {
        const float top = static_cast<float>(area.height() - outer.height()) / 2;
        const float left = static_cast<float>(area.width() - outer.width()) / 2;
        return area.topLeft() + QPoint(qRound(left), qRound(top));
    });

    opt_butterworth_Click();
    Command1_Click();
}

QLineEdit* frm_vandrel::field(Field which) const {
    switch (which) {
    case Field::cfilter: return txt_cfilter;
    case Field::gain: return txt_gain;
    case Field::freq: return txt_freq;
    case Field::q: return txt_q;
    case Field::freq_peak: return txt_freq_peak;
    case Field::peakmag: return txt_peakmag;
    }
    return nullptr;
}

QLabel* frm_vandrel::result_label(ResultLabel which) const {
    switch (which) {
    case ResultLabel::r1: return lbl_r1;
    case ResultLabel::r3: return lbl_r3;
    case ResultLabel::r4: return lbl_r4;
    case ResultLabel::f3: return lbl_f3;
    }
    return nullptr;
}

QRadioButton* frm_vandrel::mode_option(Mode which) const {
    switch (which) {
    case Mode::butterworth: return opt_butterworth;
    case Mode::sos: return opt_sos;
    case Mode::peaking: return opt_peaking;
    }
    return nullptr;
}

QPixmap frm_vandrel::diagram(vandrel::pictures::Diagram which) {
    QLabel* holder = which == vandrel::pictures::Diagram::with_gain ? image_gain : image_nogain;
    const qreal ratio = devicePixelRatioF();
    if (holder->pixmap().isNull() || holder->pixmap().devicePixelRatio() != ratio)
        holder->setPixmap(vandrel::pictures::circuit_diagram(which, ratio));
    return holder->pixmap();
}

bool frm_vandrel::event(QEvent* event) {
    // On a screen of another scale the diagram is drawn again for it; the
    // graph's box sees to its own picture.
    if (vandrel::ui::may_change_pixel_ratio(event))
        txt_gain_Change();
    return QMainWindow::event(event);
}

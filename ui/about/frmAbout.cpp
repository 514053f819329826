// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmAbout.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <QUrlQuery>

#include "accessibility.h"
#include "credits.h"
#include "frame_placement.h"
#include "layout.h"
#include "pictures.h"
#include "qtext.h"
#include "sysinfo.h"
#include "vandrel/window_model.h"

namespace vandrel::ui {
namespace {

const QString browse_tip = QStringLiteral("Click link to launch your browser and go to ");
const QColor link_colour{0, 0, 192};

// Client area in twips.
constexpr int client_width = 4896;
constexpr int client_height = 5760;

QPointer<frmAbout> loaded_window;

void set_text_colour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

}  // namespace

frmAbout& frmAbout::instance(QWidget* parent) {
    if (!loaded_window) {
        loaded_window = new frmAbout(parent);
        loaded_window->Form_Load();
    }
    return *loaded_window;
}

bool frmAbout::loaded() { return !loaded_window.isNull(); }

frmAbout::frmAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Vandrel"));
    setWindowIcon(pictures::about_icon());
    setFixedSize(px(client_width), px(client_height));
    setSizeGripEnabled(false);
    setFont(dialog_font());

    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, panel_colour);
    setPalette(palette);
    setAutoFillBackground(true);

    // The buttons first; the keyboard reaches them in reading order, System
    // Info left of OK, and the window opens with OK focused.
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(twips_rect(4080, 5280, 660, 345));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo->setGeometry(twips_rect(2760, 5280, 1245, 345));
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
    setTabOrder(cmdSysInfo, cmdOK);

    auto* Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(twips_rect(240, 240, 972, 972));
    make_picture(Picture1, QAccessible::Graphic, QStringLiteral("Vandrel logo"),
                 QStringLiteral("A high-pass magnitude response on a grid: the curve and its pass-band "
                                "level in blue, its -3 dB level in red."));
    Picture1->setPixmap(pictures::about_logo(devicePixelRatioF()));

    const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignTop;
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignTop;

    // The version goes in at load time.
    Label1 = add_label("Label1", 1800, 240, 3012, 252, QString(), centred);
    Label1->setFont(dialog_font(true));
    set_text_colour(Label1, result_colour);

    add_label("Label10", 1800, 720, 3012, 252, QStringLiteral("Free software by"), centred);
    add_label("Label6", 1800, 1080, 3012, 252, to_qstring(credits::author_line), centred);
    add_label("Label11", 1800, 1440, 3012, 252, to_qstring(credits::equations_line), centred);
    add_label("Label7", 240, 1920, 4092, 252, QStringLiteral("If you have any feedback, you are most welcome to:"),
              left);
    Label8 = add_link("Label8", 240, 2280, 2892, 252, QStringLiteral("send me an email"),
                      QStringLiteral("Click to email ") + to_qstring(credits::feedback_address) + QLatin1Char(' '));
    add_label("Label2", 240, 2880, 4092, 252, QStringLiteral("To check for updates:"), left);
    Label9 = add_link("Label9", 240, 3240, 2412, 252, QStringLiteral("access the Vandrel page"),
                      browse_tip + to_qstring(credits::program_page));
    add_label("Label4", 240, 3840, 4092, 252, to_qstring(credits::programs_line), left);
    add_label("Label3", 240, 4080, 4092, 252, QStringLiteral("and to see my  subwoofer construction pages"), left);
    Label5 = add_link("Label5", 240, 4560, 2412, 252, QStringLiteral("visit my website"),
                      browse_tip + to_qstring(credits::home_page));

    // The etched line starts left of the client area and runs past its right edge.
    auto* Picture2 = new QLabel(this);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    make_picture(Picture2, QAccessible::Graphic, QStringLiteral("Separator"),
                 QStringLiteral("An etched line across the window, above the buttons."));
    Picture2->setGeometry(twips_rect(-1440, 5160, 8976, 24));
    Picture2->setPixmap(pictures::separator(devicePixelRatioF()));
}

QLabel* frmAbout::add_label(const char* name, int left, int top, int width, int height, const QString& text,
                            Qt::Alignment alignment) {
    auto* label = new QLabel(text, this);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(twips_rect(left, top, width, height));
    label->setAlignment(alignment);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLabel* frmAbout::add_link(const char* name, int left, int top, int width, int height, const QString& text,
                           const QString& tooltip) {
    QLabel* label = add_label(name, left, top, width, height, text, Qt::AlignLeft | Qt::AlignTop);
    label->setFont(dialog_font(false, true));
    set_text_colour(label, link_colour);
    label->setCursor(Qt::ArrowCursor);
    label->setToolTip(tooltip);
    label->installEventFilter(this);
    return label;
}

void frmAbout::Form_Load() {
    Label1->setText(to_qstring(credits::version_prefix) + to_qstring(program_version));

    // A quarter of the free height from the top, centred across; the
    // window's outer size counts its title bar and frame.
    QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    place_by_frame(this, screen, [](const QRect& area, const QSize& outer) {
        const float top = static_cast<float>(area.height() - outer.height()) * 0.25f;
        const float left = static_cast<float>(area.width() - outer.width()) * 0.5f;
        return area.topLeft() + QPoint(qRound(left), qRound(top));
    });

    cmdOK->setFocus();
}

bool frmAbout::GetKeyValue(RegRoot KeyRoot, const QString& KeyName, const QString& SubKeyRef, QString& KeyVal) {
    return vandrel::ui::GetKeyValue(system_access().registry(), KeyRoot, KeyName, SubKeyRef, KeyVal);
}

void frmAbout::StartSysInfo() { vandrel::ui::StartSysInfo(system_access(), this); }

void frmAbout::cmdOK_Click() { hide(); }

void frmAbout::cmdSysInfo_Click() { StartSysInfo(); }

void frmAbout::Label5_Click() { QDesktopServices::openUrl(QUrl(to_qstring(credits::home_page))); }

void frmAbout::Label8_Click() {
    // The subject is carried percent-encoded, so the mail client gets it whole.
    QUrl address(QStringLiteral("mailto:") + to_qstring(credits::feedback_address));
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("Subject"), to_qstring(credits::feedback_subject) + to_qstring(program_version));
    address.setQuery(query);
    QDesktopServices::openUrl(address);
}

void frmAbout::Label9_Click() { QDesktopServices::openUrl(QUrl(to_qstring(credits::program_page))); }

void frmAbout::reject() { cmdOK_Click(); }

void frmAbout::closeEvent(QCloseEvent* event) {
    // The close box unloads the window; the next request loads a new one.
    event->accept();
    if (loaded_window == this)
        loaded_window = nullptr;
    deleteLater();
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event) {
    // A click is a press and a release of the left button on the same link.
    // The second press of a double-click also brings a double-click event,
    // which ends the click it began: one activation opens the link once.
    auto* label = qobject_cast<QLabel*>(watched);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        pressed_link_ = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton ? label : nullptr;
        break;
    case QEvent::MouseButtonDblClick:
        pressed_link_ = nullptr;
        break;
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const bool clicked = label && label == pressed_link_ && mouse->button() == Qt::LeftButton &&
                             label->rect().contains(mouse->position().toPoint());
        pressed_link_ = nullptr;
        if (clicked && label == Label5)
            Label5_Click();
        else if (clicked && label == Label8)
            Label8_Click();
        else if (clicked && label == Label9)
            Label9_Click();
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace vandrel::ui

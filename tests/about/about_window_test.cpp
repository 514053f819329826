// SPDX-License-Identifier: GPL-3.0-or-later
// The About window as the user meets it: texts, layout, keys, life cycle and links.
#include <QAccessible>
#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include "fakes.h"
#include "frmAbout.h"

using namespace vandrel::ui;
using namespace vandrel::ui::testing;

namespace {

const QString home = QStringLiteral("https://vandrel.example.org/");

}  // namespace

/// Receives the addresses the window asks the desktop to open.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls.push_back(url); }
};

class AboutWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void geometry_data();
    void geometry();
    void look();
    void tab_order_and_focus();
    void names_for_screen_readers();

    void hiding_keeps_the_window_data();
    void hiding_keeps_the_window();
    void enter_on_system_info_runs_it();
    void close_box_unloads_and_reloads();

    void links_data();
    void links();

private:
    frmAbout& shown();
    template <typename T = QWidget>
    T* control(const char* name) {
        return frmAbout::instance().findChild<T*>(QLatin1String(name));
    }

    RecordingSink sink;
    FakeSystem system;
};

void AboutWindowTest::init() {
    set_message_sink(&sink);
    set_system_access(&system);
    sink.messages.clear();
}

void AboutWindowTest::cleanup() {
    if (frmAbout::loaded())
        delete &frmAbout::instance();
    set_system_access(nullptr);
    set_message_sink(nullptr);
}

frmAbout& AboutWindowTest::shown() {
    frmAbout& about = frmAbout::instance();
    about.show();
    about.activateWindow();
    if (!QTest::qWaitForWindowActive(&about))
        qWarning("About window not active");
    return about;
}

void AboutWindowTest::geometry_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("rect");  // logical pixels
    QTest::newRow("Picture1") << "Picture1" << QRect(20, 20, 81, 81);
    QTest::newRow("Label1") << "Label1" << QRect(150, 20, 251, 21);
    QTest::newRow("Label10") << "Label10" << QRect(150, 60, 251, 21);
    QTest::newRow("Label6") << "Label6" << QRect(150, 90, 251, 21);
    QTest::newRow("Label11") << "Label11" << QRect(150, 120, 251, 21);
    QTest::newRow("Label7") << "Label7" << QRect(20, 160, 341, 21);
    QTest::newRow("Label8") << "Label8" << QRect(20, 190, 241, 21);
    QTest::newRow("Label2") << "Label2" << QRect(20, 240, 341, 21);
    QTest::newRow("Label9") << "Label9" << QRect(20, 270, 201, 21);
    QTest::newRow("Label4") << "Label4" << QRect(20, 320, 341, 21);
    QTest::newRow("Label3") << "Label3" << QRect(20, 340, 341, 21);
    QTest::newRow("Label5") << "Label5" << QRect(20, 380, 201, 21);
    QTest::newRow("Picture2") << "Picture2" << QRect(-120, 430, 748, 2);
    QTest::newRow("cmdSysInfo") << "cmdSysInfo" << QRect(230, 440, 104, 29);
    QTest::newRow("cmdOK") << "cmdOK" << QRect(340, 440, 55, 29);
}

void AboutWindowTest::geometry() {
    QFETCH(QString, name);
    QFETCH(QRect, rect);
    QWidget* widget = control(name.toLatin1().constData());
    QVERIFY(widget);
    QCOMPARE(widget->geometry(), rect);
    // Every text fits its label on one line.
    if (auto* label = qobject_cast<QLabel*>(widget); label && !label->text().isEmpty())
        QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(), qPrintable(label->text()));
}

void AboutWindowTest::look() {
    frmAbout& about = frmAbout::instance();
    QCOMPARE(about.windowTitle(), QStringLiteral("About Vandrel"));
    QCOMPARE(about.size(), QSize(408, 480));
    QCOMPARE(about.minimumSize(), about.maximumSize());
    const Qt::WindowFlags flags = about.windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QCOMPARE(about.palette().color(QPalette::Window), QColor(224, 224, 224));
    QVERIFY(!about.windowIcon().isNull());

    const QList<std::pair<const char*, QString>> texts{
        {"Label1", "Vandrel version 1.01"},
        {"Label10", "Free software by"},
        {"Label7", "If you have any feedback, you are most welcome to:"},
        {"Label8", "send me an email"},
        {"Label2", "To check for updates:"},
        {"Label9", "access the Vandrel page"},
        {"Label4", "To access my \"vandrel-solve\" command-line software"},
        {"Label3", "and to see my  subwoofer construction pages"},
        {"Label5", "visit my website"},
    };
    for (const auto& [name, text] : texts)
        QCOMPARE(control<QLabel>(name)->text(), text);

    QCOMPARE(control<QLabel>("Picture1")->pixmap().size(), QSize(81, 81));
    QCOMPARE(control<QLabel>("Picture2")->pixmap().size(), QSize(748, 2));

    auto* version = control<QLabel>("Label1");
    QVERIFY(version->font().bold());
    QCOMPARE(version->palette().color(QPalette::WindowText), QColor(55, 106, 240));
    QVERIFY(version->alignment() & Qt::AlignHCenter);
    for (const char* name : {"Label10", "Label6", "Label11"})
        QVERIFY(control<QLabel>(name)->alignment() & Qt::AlignHCenter);
    QVERIFY(control<QLabel>("Label11")->text().startsWith(QStringLiteral("Filter equations by ")));

    const QList<std::pair<const char*, QString>> tips{
        {"Label5", "Click link to launch your browser and go to " + home},
        {"Label8", QStringLiteral("Click to email feedback@vandrel.example.org ")},
        {"Label9", "Click link to launch your browser and go to " + home + "vandrel.htm"},
    };
    for (const auto& [name, tip] : tips) {
        auto* link = control<QLabel>(name);
        QCOMPARE(link->toolTip(), tip);
        QVERIFY(link->font().underline());
        QCOMPARE(link->palette().color(QPalette::WindowText), QColor(0, 0, 192));
        QCOMPARE(link->cursor().shape(), Qt::ArrowCursor);
        QVERIFY(link->alignment() & Qt::AlignLeft);
    }
    QCOMPARE(control<QPushButton>("cmdSysInfo")->text(), QStringLiteral("&System Info..."));
    QCOMPARE(control<QPushButton>("cmdOK")->text(), QStringLiteral("OK"));
    QVERIFY(control<QPushButton>("cmdOK")->isDefault());
}

void AboutWindowTest::tab_order_and_focus() {
    frmAbout& about = shown();
    auto* ok = control<QPushButton>("cmdOK");
    auto* sysinfo = control<QPushButton>("cmdSysInfo");
    QCOMPARE(about.focusWidget(), ok);
    QTest::keyClick(&about, Qt::Key_Tab);
    QCOMPARE(about.focusWidget(), sysinfo);
    QTest::keyClick(&about, Qt::Key_Tab);
    QCOMPARE(about.focusWidget(), ok);
}

// What a screen reader is told of each control the keyboard reaches and
// each picture, and that nothing else of the kind is there.
void AboutWindowTest::names_for_screen_readers() {
    struct Expected {
        QAccessible::Role role;
        QString name;
        QString shows;  // a part of the description
    };
    const QMap<QString, Expected> expected{
        {"cmdSysInfo", {QAccessible::Button, "System Info...", ""}},
        {"cmdOK", {QAccessible::Button, "OK", ""}},
        {"Picture1", {QAccessible::Graphic, "Vandrel logo", "A high-pass magnitude response on a grid"}},
        {"Picture2", {QAccessible::Graphic, "Separator", "An etched line"}},
    };
    QStringList seen;
    for (QWidget* widget : frmAbout::instance().findChildren<QWidget*>()) {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
        if (widget->focusPolicy() == Qt::NoFocus && iface->role() != QAccessible::Graphic) continue;
        seen << widget->objectName();
        const Expected want = expected.value(widget->objectName(), {QAccessible::NoRole, "(not expected)", ""});
        QCOMPARE(iface->role(), want.role);
        QCOMPARE(iface->text(QAccessible::Name), want.name);
        QVERIFY(iface->text(QAccessible::Description).contains(want.shows));
    }
    seen.sort();
    QCOMPARE(seen, QStringList({"Picture1", "Picture2", "cmdOK", "cmdSysInfo"}));
}

void AboutWindowTest::hiding_keeps_the_window_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Esc") << "esc";
    QTest::newRow("OK clicked") << "click";
    QTest::newRow("Enter on OK") << "enter";
}

void AboutWindowTest::hiding_keeps_the_window() {
    QFETCH(QString, how);
    frmAbout& about = shown();
    about.move(13, 17);
    control<QLabel>("Label1")->setText(QStringLiteral("changed"));

    if (how == QLatin1String("esc"))
        QTest::keyClick(&about, Qt::Key_Escape);
    else if (how == QLatin1String("click"))
        QTest::mouseClick(control("cmdOK"), Qt::LeftButton);
    else
        QTest::keyClick(&about, Qt::Key_Return);
    QVERIFY(!about.isVisible());
    QVERIFY(frmAbout::loaded());

    // Shown again: the same window, where it was, not loaded anew.
    frmAbout& again = shown();
    QCOMPARE(&again, &about);
    QCOMPARE(again.pos(), QPoint(13, 17));
    QCOMPARE(control<QLabel>("Label1")->text(), QStringLiteral("changed"));
    QVERIFY(sink.messages.empty());
}

void AboutWindowTest::enter_on_system_info_runs_it() {
    frmAbout& about = shown();
    control("cmdSysInfo")->setFocus();
    QTest::keyClick(&about, Qt::Key_Return);
    QVERIFY(about.isVisible());
    QCOMPARE(sink.messages.size(), std::size_t{1});
    QCOMPARE(sink.messages[0].first, &about);
    QCOMPARE(sink.messages[0].second, QStringLiteral("System Information Is Unavailable At This Time"));
}

void AboutWindowTest::close_box_unloads_and_reloads() {
    frmAbout* first = &shown();
    first->move(13, 17);
    QPointer<frmAbout> watch = first;
    QVERIFY(first->close());
    QVERIFY(!frmAbout::loaded());
    QTRY_VERIFY(watch.isNull());

    frmAbout& about = shown();
    QCOMPARE(control<QLabel>("Label1")->text(), QStringLiteral("Vandrel version 1.01"));
    // A quarter of the free height from the top, centred across, by the outer size.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QRect outer = about.frameGeometry();
    QCOMPARE(outer.topLeft(), QPoint(qRound((screen.width() - outer.width()) * 0.5f),
                                     qRound((screen.height() - outer.height()) * 0.25f)));
}

void AboutWindowTest::links_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<bool>("double_click");
    QTest::addColumn<QString>("url");  // fully encoded; "" for none
    QTest::newRow("web site") << "Label5" << Qt::LeftButton << false << home;
    QTest::newRow("program page") << "Label9" << Qt::LeftButton << false << home + "vandrel.htm";
    QTest::newRow("email")
        << "Label8" << Qt::LeftButton << false
        << "mailto:feedback@vandrel.example.org?Subject=Feedback%20from%20Vandrel%20v1.01";
    QTest::newRow("double-click opens once") << "Label9" << Qt::LeftButton << true << home + "vandrel.htm";
    QTest::newRow("right button opens nothing") << "Label5" << Qt::RightButton << false << QString();
    QTest::newRow("plain label opens nothing") << "Label7" << Qt::LeftButton << false << QString();
}

void AboutWindowTest::links() {
    QFETCH(QString, name);
    QFETCH(Qt::MouseButton, button);
    QFETCH(bool, double_click);
    QFETCH(QString, url);

    UrlRecorder recorder;
    for (const char* scheme : {"http", "https", "mailto"})
        QDesktopServices::setUrlHandler(QLatin1String(scheme), &recorder, "open");
    frmAbout& about = shown();
    QWidget* label = control(name.toLatin1().constData());
    if (double_click)  // through the window, as the window system delivers it
        QTest::mouseDClick(about.windowHandle(), button, {}, label->mapTo(&about, label->rect().center()));
    else
        QTest::mouseClick(label, button);
    for (const char* scheme : {"http", "https", "mailto"})
        QDesktopServices::unsetUrlHandler(QLatin1String(scheme));

    if (url.isEmpty()) {
        QVERIFY(recorder.urls.isEmpty());
        return;
    }
    QCOMPARE(recorder.urls.size(), 1);
    const QUrl opened = recorder.urls.front();
    QCOMPARE(QString::fromLatin1(opened.toEncoded()), url);
    if (opened.scheme() == QLatin1String("mailto")) {
        QCOMPARE(opened.path(), QStringLiteral("feedback@vandrel.example.org"));
        QCOMPARE(QUrlQuery(opened).queryItemValue(QStringLiteral("Subject"), QUrl::FullyDecoded),
                 QStringLiteral("Feedback from Vandrel v1.01"));
    }
    QVERIFY(sink.messages.empty());
}

QTEST_MAIN(AboutWindowTest)
#include "about_window_test.moc"

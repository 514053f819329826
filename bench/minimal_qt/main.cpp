// SPDX-License-Identifier: GPL-3.0-or-later
// A main window with a menu bar, six input fields and a button, and nothing
// else: the baseline for how fast, and in how much memory, a Qt Widgets
// window of this kind can open.

#include <QApplication>
#include <QFormLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("minimal_qt"));
    window.menuBar()->setNativeMenuBar(false);
    window.menuBar()->addAction(QStringLiteral("Print"));
    window.menuBar()->addAction(QStringLiteral("About"));

    auto* client = new QWidget(&window);
    auto* form = new QFormLayout(client);
    for (const char* name : {"C", "Gain", "Frequency", "Q", "Peak frequency", "Peak magnitude"})
        form->addRow(QString::fromLatin1(name), new QLineEdit(QStringLiteral("1.0"), client));
    form->addRow(new QPushButton(QStringLiteral("Solve"), client));
    window.setCentralWidget(client);
    // The size of Vandrel's window, so that both paint the same area.
    window.resize(711, 427);
    window.show();
    return QApplication::exec();
}

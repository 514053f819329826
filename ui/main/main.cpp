#include <QApplication>

#include "frm_vandrel.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vandrel"));
    frm_vandrel window;
    window.show();
    return QApplication::exec();
}

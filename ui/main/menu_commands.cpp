#include "menu_commands.h"

#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>

#include "frmAbout.h"
#include "message_sink.h"

namespace vandrel::ui {
namespace {

bool default_printer(QPrinter& printer) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return false;
    printer.setPrinterName(info.printerName());
    return printer.isValid();
}

PrinterChoice printer_choice;

/// Prints `image` on one page, as large as the page allows without changing
/// its shape, at the top left of the printable area. Returns what went
/// wrong, or "" when the page went to the printer.
QString print_image(const QPixmap& image, QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer))
        return QStringLiteral("Printing failed: the printer could not be started.");
    QSize size = image.size();
    size.scale(painter.viewport().size(), Qt::KeepAspectRatio);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(QRect(QPoint(0, 0), size), image, image.rect());
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        return QStringLiteral("Printing failed: the printer reported an error.");
    return {};
}

}  // namespace

void set_printer_choice(PrinterChoice choice) { printer_choice = std::move(choice); }

void print_client_area(QWidget* parent, QWidget* client_area) {
    if (!message_sink().ask_yes_no(parent, QStringLiteral("Would you like me to ..."),
                                   QStringLiteral("Print this form using current printer settings?")))
        return;

    // The client area as its widgets draw it now: inputs, results and the
    // view that is shown.
    const QPixmap image = client_area->grab();

    QPrinter printer(QPrinter::HighResolution);
    const bool chosen = printer_choice ? printer_choice(printer) : default_printer(printer);
    const QString failure = chosen ? print_image(image, printer)
                                   : QStringLiteral("Printing failed: no printer is installed.");
    if (!failure.isEmpty())
        message_sink().message(parent, failure);
}

void show_about(QWidget* parent) {
    frmAbout& about = frmAbout::instance(parent);
    about.exec();
}

}  // namespace vandrel::ui

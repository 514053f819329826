// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing.h"

#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QPrinterInfo>

#ifdef VANDREL_HAVE_CUPS
#include <QDir>
#include <QLibrary>
#include <QTemporaryFile>

#include <cups/cups.h>

#include <memory>
#include <type_traits>
#endif

namespace vandrel::ui {
namespace {

const QString no_printer = QStringLiteral("Printing failed: no printer is installed.");
const QString not_started = QStringLiteral("Printing failed: the printer could not be started.");

QString print_image(const QPixmap& image, QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer))
        return not_started;
    QSize size = image.size();
    size.scale(painter.viewport().size(), Qt::KeepAspectRatio);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(QRect(QPoint(0, 0), size), image, image.rect());
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        return QStringLiteral("Printing failed: the printer reported an error.");
    return {};
}

bool default_printer(QPrinter& printer) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return false;
    printer.setPrinterName(info.printerName());
    return printer.isValid();
}

#ifdef VANDREL_HAVE_CUPS

// The CUPS library, loaded for the first printout rather than at start-up:
// it brings a score of libraries of its own.
struct Cups {
    decltype(&cupsGetNamedDest) get_named_dest = nullptr;
    decltype(&cupsFreeDests) free_dests = nullptr;
    decltype(&cupsPrintFile) print_file = nullptr;
    decltype(&cupsLastErrorString) last_error = nullptr;

    bool loaded() const { return get_named_dest && free_dests && print_file && last_error; }
};

const Cups& cups() {
    static const Cups loaded = [] {
        Cups c;
        QLibrary cups_library(QStringLiteral("cups"), 2);
        if (cups_library.load()) {
            const auto resolve = [&](auto& function, const char* name) {
                function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(cups_library.resolve(name));
            };
            resolve(c.get_named_dest, "cupsGetNamedDest");
            resolve(c.free_dests, "cupsFreeDests");
            resolve(c.print_file, "cupsPrintFile");
            resolve(c.last_error, "cupsLastErrorString");
        }
        return c;
    }();
    return loaded;
}

// Qt's own CUPS printing does not tell whether the print system took the
// job: a queue that rejects jobs prints nothing and reports success. So the
// page is made into a PDF file here and handed to CUPS, which answers with
// the job's number, or with why it refused it.
QString print_through_cups(const Cups& library, const QPixmap& image) {
    // The default destination as the user has set it (lpoptions included).
    const auto free_dest = [&library](cups_dest_t* d) { library.free_dests(1, d); };
    const std::unique_ptr<cups_dest_t, decltype(free_dest)> dest(
        library.get_named_dest(CUPS_HTTP_DEFAULT, nullptr, nullptr), free_dest);
    if (!dest)
        return no_printer;
    const QString name = QString::fromLocal8Bit(dest->name);

    QTemporaryFile pdf(QDir::tempPath() + QStringLiteral("/vandrel-XXXXXX.pdf"));
    if (!pdf.open())
        return not_started;
    QPrinter printer(QPrinter::HighResolution);
    // The page as the printer is set up now: paper size, orientation, margins.
    printer.setPageLayout(QPrinter(QPrinterInfo::printerInfo(name), QPrinter::HighResolution).pageLayout());
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf.fileName());
    printer.setDocName(QString::fromLatin1(print_job_name));
    if (QString failure = print_image(image, printer); !failure.isEmpty())
        return failure;

    if (library.print_file(dest->name, pdf.fileName().toLocal8Bit().constData(), print_job_name, dest->num_options,
                        dest->options) == 0)
        return QStringLiteral("Printing failed: the printer did not accept the job (%1).")
            .arg(QString::fromLocal8Bit(library.last_error()));
    return {};
}

#endif

}  // namespace

QString print_on_chosen_printer(const QPixmap& image, const std::function<bool(QPrinter&)>& choose) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString::fromLatin1(print_job_name));
    return choose(printer) ? print_image(image, printer) : no_printer;
}

QString print_on_default_printer(const QPixmap& image) {
#ifdef VANDREL_HAVE_CUPS
    if (const Cups& library = cups(); library.loaded())
        return print_through_cups(library, image);
#endif
    return print_on_chosen_printer(image, default_printer);
}

}  // namespace vandrel::ui

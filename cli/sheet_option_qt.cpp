// SPDX-License-Identifier: GPL-3.0-or-later
// --sheet with Qt: the page drawn by the sheet library. Qt Gui starts only
// when a sheet is asked for, so that every other run starts as fast as
// without it, and on the "offscreen" platform, so that no display is needed.

#include "sheet_option.h"

#include <QByteArray>
#include <QGuiApplication>

#include <ostream>

#include "build_sheet.h"

namespace vandrel::cli {
namespace {

// Qt's notes while it starts (no XDG_RUNTIME_DIR, say) are no concern of a
// command-line user; only its errors get through.
QtMessageHandler passed_on = nullptr;
void errors_only(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) passed_on(type, context, text);
}

}  // namespace

CLI::Option* add_sheet_option(CLI::App& app, std::optional<std::string>& file) {
    return app.add_option("--sheet", file, "Write a build sheet to FILE: one A4 page of PDF with the diagram and "
                                           "its parts, the parts to buy, the design, the figures and the response")
        ->type_name("FILE");
}

bool add_sheet(std::vector<files::Output>& outputs, const std::string& file, Mode mode,
               const std::map<Field, std::string>& texts, const as_built::AsBuilt& built, std::ostream& errors) {
    QByteArray pdf;
    {
        char name[] = "vandrel-solve", platform[] = "-platform", offscreen[] = "offscreen";
        char* argv[] = {name, platform, offscreen, nullptr};
        int argc = 3;
        passed_on = qInstallMessageHandler(errors_only);
        {
            const QGuiApplication app(argc, argv);
            pdf = sheet::build_sheet_pdf({mode, texts}, built);
        }
        qInstallMessageHandler(passed_on);
    }
    if (pdf.isEmpty()) {
        errors << "vandrel-solve: no file written: the build sheet could not be drawn\n";
        return false;
    }
    outputs.push_back({file, pdf.toStdString()});
    return true;
}

}  // namespace vandrel::cli

// SPDX-License-Identifier: GPL-3.0-or-later
// The entry point through which vandrel-solve draws a build sheet. Qt Gui
// starts here, on the "offscreen" platform, and stops once the page is
// drawn.

#include <QByteArray>
#include <QGuiApplication>
#include <QtGlobal>

#include <map>
#include <string>
#include <type_traits>

#include "build_sheet.h"
#include "runtime_folder.h"
#include "sheet_module.h"

namespace {

// Qt's notes while it starts are no concern of a command-line user; only
// its errors get through. (Those that are known are not raised at all, so
// that QT_FATAL_WARNINGS=1 finds none: see RuntimeFolder.)
QtMessageHandler passed_on = nullptr;
void errors_only(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) passed_on(type, context, text);
}

}  // namespace

extern "C" Q_DECL_EXPORT bool vandrel_write_sheet(vandrel::Mode mode, const std::map<vandrel::Field, std::string>& texts,
                                                  const vandrel::as_built::AsBuilt& built,
                                                  const vandrel::as_built::Levels* levels, std::string& pdf) {
    static_assert(std::is_same_v<decltype(&vandrel_write_sheet), vandrel::sheet::WriteSheet>);
    QByteArray bytes;
    if (QCoreApplication::instance()) {
        bytes = vandrel::sheet::build_sheet_pdf({mode, texts}, built, levels);
    } else {
        char name[] = "vandrel-solve", platform[] = "-platform", offscreen[] = "offscreen";
        char* argv[] = {name, platform, offscreen, nullptr};
        int argc = 3;
        passed_on = qInstallMessageHandler(errors_only);
        {
            const vandrel::sheet::RuntimeFolder runtime;
            const QGuiApplication app(argc, argv);
            bytes = vandrel::sheet::build_sheet_pdf({mode, texts}, built, levels);
        }
        qInstallMessageHandler(passed_on);
    }
    pdf = bytes.toStdString();
    return !pdf.empty();
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The entry point through which the main window makes the Parts window.
#include <QtGlobal>

#include "frm_parts.h"

extern "C" Q_DECL_EXPORT vandrel::ui::PartsWindow* vandrel_create_parts_window(QWidget* main_window,
                                                                            vandrel::ui::MainWindowDesign* design) {
    return new frm_parts(main_window, design);
}

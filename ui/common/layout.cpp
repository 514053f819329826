// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout.h"

namespace vandrel::ui {

QFont dialog_font(bool bold, bool underline) {
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(13);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

}  // namespace vandrel::ui

// SPDX-License-Identifier: GPL-3.0-or-later
// The print module's entry point: all of Qt Print Support that the program
// uses is behind it.
#include <QPixmap>
#include <QString>

#include <functional>
#include <type_traits>

#include "print_module.h"
#include "printing.h"

extern "C" Q_DECL_EXPORT void vandrel_print_picture(const QPixmap& image,
                                                    const std::function<bool(QPrinter&)>* choose, QString& failure) {
    static_assert(std::is_same_v<decltype(&vandrel_print_picture), vandrel::ui::PrintPicture>);
    failure = choose ? vandrel::ui::print_on_chosen_printer(image, *choose) : vandrel::ui::print_on_default_printer(image);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "decimal_option.h"

#include "vandrel/texts/decimal.h"
#include "vandrel/texts/exact.h"

namespace vandrel::cli {

CLI::Option* add_decimal_option(CLI::App& app, const std::string& names, double& value,
                                std::function<bool(double)> ok, const std::string& message,
                                const std::string& help) {
    return app
        .add_option_function<std::string>(
            names, [&value](const std::string& text) { value = *texts::parse_decimal(text); }, help)
        ->check(CLI::Validator(
            [ok = std::move(ok), message](std::string& text) {
                const std::optional<double> v = texts::parse_decimal(text);
                return v && ok(*v) ? std::string() : message;
            },
            ""))
        ->default_str(texts::shortest(value));
}

}  // namespace vandrel::cli

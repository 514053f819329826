// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Who made Vandrel, where to find it and where to write: the texts and
// addresses of the About window, kept together so they change in one place.

#include <string_view>

namespace vandrel::ui::credits {

/// The web site's home page.
inline constexpr std::string_view home_page = "https://vandrel.example.org/";
/// The program's own page on that site.
inline constexpr std::string_view program_page = "https://vandrel.example.org/vandrel.htm";
/// Where feedback e-mail goes.
inline constexpr std::string_view feedback_address = "feedback@vandrel.example.org";
/// Start of the feedback e-mail's subject; the program version follows it.
inline constexpr std::string_view feedback_subject = "Feedback from Vandrel v";

/// Start of the version line; the program version follows it.
inline constexpr std::string_view version_prefix = "Vandrel version ";
/// Who wrote the program.
inline constexpr std::string_view author_line = "The Vandrel team, 2009";
/// Whose equations the design rests on: the Sallen-Key high-pass section
/// that follows the input buffer.
inline constexpr std::string_view equations_line = "Filter equations by Sallen and Key, USA";
/// What else the web site offers besides this program: its command-line
/// solver.
inline constexpr std::string_view programs_line = "To access my \"vandrel-solve\" command-line software";

}  // namespace vandrel::ui::credits

# SPDX-License-Identifier: GPL-3.0-or-later
# cmake -DPAGE=<source page> -DDATE=<YYYY-MM-DD> -DOUTPUT=<page> -P dated_man_page.cmake
# Copies a manual page with DATE as the date of its .TH line, where the
# source leaves it empty or names another.
file(READ ${PAGE} text)
set(th_line "(^|\n)(\\.TH +[^ \n]+ +[^ \n]+ +)(\"[^\"\n]*\"|[^ \n\"]+)")
if(NOT text MATCHES "${th_line}")
  message(FATAL_ERROR "${PAGE}: no .TH line with a title, section and date")
endif()
string(REGEX REPLACE "${th_line}" "\\1\\2\"${DATE}\"" text "${text}")
file(WRITE ${OUTPUT} "${text}")

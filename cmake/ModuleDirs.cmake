# SPDX-License-Identifier: GPL-3.0-or-later
# Where the modules that the programs load when first needed (the Parts
# window, the build sheet) are installed: beside the programs on Windows,
# else in a folder of the program's own below the library folder, on
# multiarch systems below lib/<triplet> as Debian keeps private libraries
# (where the dynamic linker does not look, so a package needs no ldconfig
# for them).
#   VANDREL_MODULE_INSTALL_DIR  that folder, relative to the prefix
#   VANDREL_MODULE_DIR          the same, relative to the programs' folder
if(WIN32)
  set(VANDREL_MODULE_INSTALL_DIR ${CMAKE_INSTALL_BINDIR})
elseif(CMAKE_LIBRARY_ARCHITECTURE AND NOT CMAKE_INSTALL_LIBDIR MATCHES "${CMAKE_LIBRARY_ARCHITECTURE}")
  set(VANDREL_MODULE_INSTALL_DIR lib/${CMAKE_LIBRARY_ARCHITECTURE}/vandrel)
else()
  set(VANDREL_MODULE_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/vandrel)
endif()
file(RELATIVE_PATH VANDREL_MODULE_DIR ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${VANDREL_MODULE_INSTALL_DIR})
if(VANDREL_MODULE_DIR STREQUAL "")
  set(VANDREL_MODULE_DIR .)
endif()

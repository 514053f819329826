# SPDX-License-Identifier: GPL-3.0-or-later
# Header-only libraries of the build machine for a cross build: each gets a
# folder of its own (a link to its folder under /usr/include) and an imported
# target of the name its package would give, so that find_package is not
# needed and no other host header is seen.
set(host_headers ${CMAKE_BINARY_DIR}/host-headers)
foreach(entry "CLI11::CLI11=CLI" "nlohmann_json::nlohmann_json=nlohmann")
  string(REPLACE "=" ";" entry "${entry}")
  list(GET entry 0 target)
  list(GET entry 1 folder)
  if(NOT EXISTS /usr/include/${folder})
    message(FATAL_ERROR "${target}: /usr/include/${folder} is missing")
  endif()
  file(MAKE_DIRECTORY ${host_headers}/${folder})
  file(CREATE_LINK /usr/include/${folder} ${host_headers}/${folder}/${folder} SYMBOLIC)
  add_library(${target} INTERFACE IMPORTED)
  set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${host_headers}/${folder})
endforeach()

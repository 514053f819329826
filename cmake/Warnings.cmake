# SPDX-License-Identifier: GPL-3.0-or-later
option(VANDREL_WARNINGS_AS_ERRORS "Treat the project's warnings as errors" OFF)

# vandrel_warnings(<target>): the project's warning set, on every target it builds.
function(vandrel_warnings target)
  if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic $<$<BOOL:${VANDREL_WARNINGS_AS_ERRORS}>:-Werror>)
  elseif(MSVC)
    target_compile_options(${target} PRIVATE /W4 $<$<BOOL:${VANDREL_WARNINGS_AS_ERRORS}>:/WX>)
  endif()
endfunction()

# SPDX-License-Identifier: GPL-3.0-or-later
# The compiler and linker flags of a Debian package build, on every target:
#  - the distribution's hardening flags, as dpkg-buildflags gives them (stack
#    protector, fortified C library calls, format checks, read-only
#    relocations), with immediate binding (bindnow) added, which Debian 12
#    leaves out by default;
#  - the source and build directories mapped to fixed names in debug
#    information and __FILE__, so that where the tree lies does not change
#    the binaries.
# The optimisation and debug levels stay those of CMAKE_BUILD_TYPE. Builds
# that instrument the code (sanitizers, fuzzing) turn the option off: the
# fortified calls hide memory errors from AddressSanitizer.
find_program(DPKG_BUILDFLAGS dpkg-buildflags)
set(default OFF)
if(DPKG_BUILDFLAGS AND NOT CMAKE_CROSSCOMPILING AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  set(default ON)
endif()
option(VANDREL_DEBIAN_BUILD_FLAGS "Build with Debian's hardening flags and fixed file paths" ${default})
unset(default)
if(NOT VANDREL_DEBIAN_BUILD_FLAGS)
  return()
endif()
if(NOT DPKG_BUILDFLAGS)
  message(FATAL_ERROR "VANDREL_DEBIAN_BUILD_FLAGS needs dpkg-buildflags (Debian package dpkg-dev)")
endif()

# kind (CPPFLAGS, CXXFLAGS, LDFLAGS) -> the flags, as a list.
function(vandrel_dpkg_buildflags kind out_var)
  set(options $ENV{DEB_BUILD_MAINT_OPTIONS} hardening=+bindnow)
  string(JOIN " " options ${options})
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env "DEB_BUILD_MAINT_OPTIONS=${options}"
            ${DPKG_BUILDFLAGS} --get ${kind}
    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "dpkg-buildflags --get ${kind} failed (${status})")
  endif()
  separate_arguments(flags UNIX_COMMAND "${flags}")
  # Optimisation and debug levels come from the build type; the file path
  # map dpkg-buildflags makes names its own working directory and is
  # replaced by the one below.
  list(FILTER flags EXCLUDE REGEX "^-(O.*|g.*|ffile-prefix-map=.*|fdebug-prefix-map=.*)$")
  set(${out_var} ${flags} PARENT_SCOPE)
endfunction()

vandrel_dpkg_buildflags(CPPFLAGS cppflags)
vandrel_dpkg_buildflags(CXXFLAGS cxxflags)
vandrel_dpkg_buildflags(LDFLAGS ldflags)
# The C library's fortified calls need optimisation and warn without it.
list(TRANSFORM cppflags REPLACE "^(-D_FORTIFY_SOURCE=.*)$" "$<$<NOT:$<CONFIG:Debug>>:\\1>")
add_compile_options(${cppflags} ${cxxflags})
add_link_options(${ldflags})

# When several maps match, the compiler takes the last, so the build
# directory, which may lie inside the source directory, comes second.
add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=. -ffile-prefix-map=${PROJECT_BINARY_DIR}=build)
string(JOIN " " shown ${cppflags} ${cxxflags} ${ldflags})
message(STATUS "Debian build flags: ${shown}")

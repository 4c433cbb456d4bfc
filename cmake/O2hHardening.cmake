# The distribution's hardening flags, as its own packages are built: fortified C
# library calls, the stack protector, format checks, full RELRO with immediate
# binding. Only for optimised builds (the package is made from one, and
# fortification needs optimisation) and not under the sanitizers. The build type
# keeps its optimisation and debug settings, and the file-prefix map is left out
# (it would name this checkout and keep compiler caches from being shared).
option(O2H_HARDENING "Build with the distribution's hardening flags (dpkg-buildflags)" ON)
if(NOT O2H_HARDENING OR O2H_SANITIZE OR NOT CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo|MinSizeRel)$")
  return()
endif()
find_program(O2H_DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT O2H_DPKG_BUILDFLAGS)
  message(STATUS "dpkg-buildflags not found: built without the distribution's hardening flags")
  return()
endif()
foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all ${O2H_DPKG_BUILDFLAGS} --get ${kind}
    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "dpkg-buildflags --get ${kind} failed")
  endif()
  separate_arguments(flags UNIX_COMMAND "${flags}")
  list(FILTER flags EXCLUDE REGEX "^-(g[0-9]*|O[0-9sgz]?|f(file|debug|macro)-prefix-map=.*)$")
  if(kind STREQUAL "LDFLAGS")
    add_link_options(${flags})
  else()
    add_compile_options(${flags})
  endif()
  list(APPEND O2H_HARDENING_FLAGS ${flags})
endforeach()
message(STATUS "Hardening flags: ${O2H_HARDENING_FLAGS}")

# o2h_add_test(<name> SOURCES <files...> LIBS <targets...> [TIMEOUT <s>])
# Builds a QtTest executable and registers it with ctest, headless. Its label is the
# name of the folder it lives in (tests/core/link → "link").
function(o2h_add_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test o2h_testsupport ${T_LIBS})
  add_test(NAME ${name} COMMAND ${name})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  if(NOT T_ENVIRONMENT)
    set(T_ENVIRONMENT "LC_ALL=C.UTF-8")
  endif()
  get_filename_component(label ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  set_tests_properties(${name} PROPERTIES
    LABELS "${label}"
    TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=0;${T_ENVIRONMENT}")
endfunction()

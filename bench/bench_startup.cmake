# bench_startup: the program's start-up with 32 running plants on the line, beyond
# what the discovery's exchanges take.
add_executable(bench_startup ${CMAKE_CURRENT_LIST_DIR}/bench_startup.cpp)
target_link_libraries(bench_startup PRIVATE Qt6::Core)
target_compile_definitions(bench_startup PRIVATE
  PLANTSIM_EXE="$<TARGET_FILE:plantsim>" HALDRIX_EXE="$<TARGET_FILE:o2-haldrix>")
add_dependencies(bench_startup plantsim o2-haldrix)

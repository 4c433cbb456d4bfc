# bench_idle: CPU and memory of the program polling 32 simulated plants with the
# live display open. Usage: bench/bench_idle [seconds] (default 60).
add_executable(bench_idle ${CMAKE_CURRENT_LIST_DIR}/bench_idle.cpp)
target_link_libraries(bench_idle PRIVATE Qt6::Core)
target_compile_definitions(bench_idle PRIVATE
  PLANTSIM_EXE="$<TARGET_FILE:plantsim>" HALDRIX_EXE="$<TARGET_FILE:o2-haldrix>")
add_dependencies(bench_idle plantsim o2-haldrix)

# How old the live values of running piles get: 4 piles among 32 addresses at
# 2400 Bd, one plant answering 400 ms late, over the simulator's pseudo-terminal.
if(TARGET plantsim)
  add_executable(bench_liverate ${CMAKE_CURRENT_LIST_DIR}/bench_liverate.cpp)
  target_link_libraries(bench_liverate PRIVATE o2h_piles)
  target_compile_definitions(bench_liverate PRIVATE PLANTSIM_EXE="$<TARGET_FILE:plantsim>")
  add_dependencies(bench_liverate plantsim)
endif()

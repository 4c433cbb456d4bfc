# What the quiet time after a time-out costs the discovery of 32 plants of which
# 26 are absent, over the simulator's pseudo-terminal; and whether replies 400 ms
# late with a 100 ms time-out still invent plants.
if(TARGET plantsim)
  add_executable(bench_discovery ${CMAKE_CURRENT_LIST_DIR}/bench_discovery.cpp)
  target_link_libraries(bench_discovery PRIVATE o2h_piles)
  target_compile_definitions(bench_discovery PRIVATE PLANTSIM_EXE="$<TARGET_FILE:plantsim>")
  add_dependencies(bench_discovery plantsim)
endif()

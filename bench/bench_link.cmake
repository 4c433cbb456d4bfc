# Link overhead of a memory transfer: "r" then 1000 "G" exchanges against an
# in-process plant without line delay; also the CPU used by an idle wait.
add_executable(bench_link ${CMAKE_CURRENT_LIST_DIR}/bench_link.cpp)
target_link_libraries(bench_link PRIVATE o2h_link)
if(TARGET plantsim_core)
  target_link_libraries(bench_link PRIVATE plantsim_core)
  target_compile_definitions(bench_link PRIVATE BENCH_WITH_PLANTSIM)
endif()

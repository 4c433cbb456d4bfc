# Ending a pile whose plant holds 1000 records, through the simulator on a pseudo-
# terminal paced at 19 200 baud: how close the transfer comes to the line's limit.
if(TARGET plantsim)
  add_executable(bench_transfer ${CMAKE_CURRENT_LIST_DIR}/bench_transfer.cpp)
  target_link_libraries(bench_transfer PRIVATE o2h_piles)
  target_compile_definitions(bench_transfer PRIVATE PLANTSIM_EXE="$<TARGET_FILE:plantsim>")
  add_dependencies(bench_transfer plantsim)
endif()

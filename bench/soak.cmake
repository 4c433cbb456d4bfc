# soak: the program (in-process, live display open) against 32 simulated plants with
# every line fault at once over 48 simulated hours. Usage: bench/soak [time factor]
add_executable(soak ${CMAKE_CURRENT_LIST_DIR}/soak.cpp)
target_link_libraries(soak PRIVATE o2h_shell o2h_live)
target_compile_definitions(soak PRIVATE PLANTSIM_EXE="$<TARGET_FILE:plantsim>")
add_dependencies(soak plantsim)

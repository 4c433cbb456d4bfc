add_executable(bench_hygiene ${CMAKE_CURRENT_LIST_DIR}/bench_hygiene.cpp)
target_link_libraries(bench_hygiene PRIVATE o2h_reports)

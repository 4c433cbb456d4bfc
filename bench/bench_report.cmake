# bench_report: a 1000-row measurement protocol with its graph to PDF.
add_executable(bench_report ${CMAKE_CURRENT_LIST_DIR}/bench_report.cpp)
target_link_libraries(bench_report PRIVATE o2h_reports)

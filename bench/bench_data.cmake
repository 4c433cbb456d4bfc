add_executable(bench_data ${CMAKE_CURRENT_LIST_DIR}/bench_data.cpp)
target_link_libraries(bench_data PRIVATE o2h_models)

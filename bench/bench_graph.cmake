# bench_graph: the graph window with a 65 535-line file and every curve: replot and pan.
add_executable(bench_graph ${CMAKE_CURRENT_LIST_DIR}/bench_graph.cpp)
target_link_libraries(bench_graph PRIVATE o2h_data)

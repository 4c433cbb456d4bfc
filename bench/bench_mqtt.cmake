# bench_mqtt: the site view's own CPU with 32 plants polled, every reply changed,
# and the time to drain 10 000 queued records after the broker returns.
# Usage: bench/bench_mqtt [seconds] (default 20).
add_executable(bench_mqtt ${CMAKE_CURRENT_LIST_DIR}/bench_mqtt.cpp)
target_link_libraries(bench_mqtt PRIVATE o2h_site o2h_testsupport PkgConfig::MOSQUITTO)

# Native benchmarks: figures to read, nothing asserted.
add_executable(bench_buttons bench_buttons.cpp)
target_link_libraries(bench_buttons PRIVATE core)

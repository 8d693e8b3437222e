# The ACT! link's price per operation, under Wine against the stand-in.
add_executable(bench_actlink bench_actlink_win.cpp)
target_link_options(bench_actlink PRIVATE -municode)
target_link_libraries(bench_actlink PRIVATE winplatform)
add_dependencies(bench_actlink actstandin)

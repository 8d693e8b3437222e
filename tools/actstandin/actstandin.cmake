add_executable(actstandin WIN32 actstandin/actstandin_win.cpp)
target_link_options(actstandin PRIVATE -municode)
target_link_libraries(actstandin PRIVATE shell32)

# The ACT! stand-in: main window and out-of-process automation server.
add_executable(actstandin WIN32
  ${CMAKE_CURRENT_LIST_DIR}/actstandin_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StandinData_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StandinDispatch_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StandinObjects_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StandinServer_win.cpp
)
target_include_directories(actstandin PRIVATE ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_options(actstandin PRIVATE -municode)
target_link_libraries(actstandin PRIVATE shell32 ole32 oleaut32 uuid advapi32 user32 gdi32)
add_custom_command(TARGET actstandin POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_CURRENT_LIST_DIR}/demo-contacts.txt
          $<TARGET_FILE_DIR:actstandin>/demo-contacts.txt)

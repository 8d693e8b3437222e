# The late-bound automation seam through IDispatch.
target_sources(winplatform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Automation_win.cpp
)
target_link_libraries(winplatform PUBLIC ole32 oleaut32 uuid)

# The link to ACT! through its automation object (portable).
target_sources(core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/clACTApplication.cpp
  ${CMAKE_CURRENT_LIST_DIR}/clACTApplicationText.cpp
)

# The late-bound automation seam: its in-memory substitute.
target_sources(substitutes PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ScriptedAutomation.cpp
)
# How answers convert is part of the portable seam.
target_sources(core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/AutomationValue.cpp
)

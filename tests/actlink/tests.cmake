list(APPEND PORTABLE_TESTS
  actlink/clACTApplication_test.cpp
  actlink/AutomationValue_test.cpp
)
list(APPEND WIN_TESTS
  actlink/ActStandin_win_test.cpp
)

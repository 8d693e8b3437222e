list(APPEND PORTABLE_TESTS
  toolbars/clButtonItemList_test.cpp
  toolbars/clACTToolbars_test.cpp
)
list(APPEND WIN_TESTS
  toolbars/clACTToolbars_win_test.cpp
)

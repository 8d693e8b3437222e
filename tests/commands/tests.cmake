list(APPEND PORTABLE_TESTS
  commands/clDIB_test.cpp
  commands/clCustomTessivar_test.cpp
  commands/clCustomTessivars_test.cpp
)
list(APPEND WIN_TESTS
  commands/clCustomTessivar_win_test.cpp
)

# The command store: command records, command files, button images.
target_sources(core PRIVATE
  commands/clDIB.cpp
  commands/clCustomTessivar.cpp
  commands/clCustomTessivars.cpp
)

# The link to ACT! through its automation object.
target_sources(core PRIVATE
)
if(WIN32)
  # Win32 sources of the automation seam go into winplatform in src/CMakeLists.txt's WIN32 block.
endif()

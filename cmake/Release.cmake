# The release archive: both programs for 64-bit Windows from this build
# tree and for 32-bit Windows from the windows-x86 tree, the German user
# guide with the demo's screenshots, Rovandel2's administrative template,
# LIESMICH.txt and the third-party notices (Drittanbieter.txt). Only these are
# installed; tests and tools never reach the archive.
set(RELEASE_X86_BIN ${CMAKE_SOURCE_DIR}/build/windows-x86/bin CACHE PATH
    "Folder of the 32-bit tessivar.exe and rovandel2.exe for the release archive")
set(RELEASE_SCREENSHOTS ${CMAKE_BINARY_DIR}/guide-pictures CACHE PATH
    "Folder of the user guide's pictures (scripts/release.sh crops them from the demo's screenshots)")

set(RELEASE_GUIDE_DIR ${CMAKE_SOURCE_DIR}/docs/benutzerhandbuch)
# Laid out as Group Policy's PolicyDefinitions folder wants it, so an
# administrator copies the folder's content as it is.
set(RELEASE_POLICIES_DIR ${CMAKE_SOURCE_DIR}/src/routeplanner/policies)
install(TARGETS tessivar rovandel2 RUNTIME DESTINATION 64-Bit)

# The 32-bit programs come from another build tree: an archive without
# them would look complete, so their absence stops the packaging.
install(CODE "
  foreach(program tessivar.exe rovandel2.exe)
    if(NOT EXISTS \"${RELEASE_X86_BIN}/\${program}\")
      message(FATAL_ERROR \"The 32-bit \${program} is missing in ${RELEASE_X86_BIN}: build it first with \"
                          \"'cmake --preset windows-x86 && cmake --build --preset windows-x86'.\")
    endif()
  endforeach()")
install(PROGRAMS ${RELEASE_X86_BIN}/tessivar.exe ${RELEASE_X86_BIN}/rovandel2.exe DESTINATION 32-Bit)

configure_file(${RELEASE_GUIDE_DIR}/LIESMICH.txt.in ${CMAKE_BINARY_DIR}/release/LIESMICH.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/release/LIESMICH.txt ${THIRD_PARTY_NOTICES} DESTINATION .)
install(FILES ${RELEASE_GUIDE_DIR}/index.html ${RELEASE_GUIDE_DIR}/handbuch.css DESTINATION Benutzerhandbuch)
install(FILES ${RELEASE_POLICIES_DIR}/Rovandel2.admx DESTINATION Richtlinien)
install(FILES ${RELEASE_POLICIES_DIR}/de-DE/Rovandel2.adml DESTINATION Richtlinien/de-DE)
install(FILES ${RELEASE_POLICIES_DIR}/en-US/Rovandel2.adml DESTINATION Richtlinien/en-US)
# Screenshots are made by the demo; scripts/release.sh runs it and insists
# on every picture, an archive for the tests may go without them. The guide
# itself names the pictures it shows.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${RELEASE_GUIDE_DIR}/index.html)
file(READ ${RELEASE_GUIDE_DIR}/index.html _release_guide)
string(REGEX MATCHALL "bilder/[A-Za-z0-9_-]+\\.png" _release_pictures "${_release_guide}")
list(REMOVE_DUPLICATES _release_pictures)
list(TRANSFORM _release_pictures REPLACE "^bilder/" "${RELEASE_SCREENSHOTS}/")
install(FILES ${_release_pictures} DESTINATION Benutzerhandbuch/bilder OPTIONAL)

# cpack packs what was built; building all (tests too) is not its job.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Tessivar-Rovandel2)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(RELEASE_ARCHIVE_NAME Tessivar-Rovandel2-${PROJECT_VERSION}-win)
set(CPACK_PACKAGE_FILE_NAME ${RELEASE_ARCHIVE_NAME})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_SOURCE_DIR}/build/release)
# "Extract all" makes the folder itself; the archive's top holds the content.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_ARCHIVE_COMPONENT_INSTALL OFF)
include(CPack)

# The Windows Installer packages, one per architecture, built with wixl by
# cmake/MakePackage.cmake from cmake/Package.wxs.in. The command lists are
# shared with the tests, which build the packages into a folder of their own.
set(RELEASE_PACKAGE_NAME Tessivar-Rovandel2-${PROJECT_VERSION})
set(RELEASE_ICON ${CMAKE_BINARY_DIR}/src/manager/tessivar.ico)
# The command that builds the package for ARCH (x64, x86) from the programs
# in BIN as OUTPUT, with the WiX source and its files under WORK.
function(release_package_command out arch version bin output work)
  set(${out} ${CMAKE_COMMAND} -DMSI_VERSION=${version} -DMSI_ARCH=${arch} -DMSI_BIN=${bin}
      -DMSI_GUIDE=${RELEASE_GUIDE_DIR} -DMSI_POLICIES=${RELEASE_POLICIES_DIR} -DMSI_PICTURES=${RELEASE_SCREENSHOTS} -DMSI_ICON=${RELEASE_ICON}
      -DMSI_WORK=${work} -DMSI_OUTPUT=${output} -P ${CMAKE_SOURCE_DIR}/cmake/MakePackage.cmake PARENT_SCOPE)
endfunction()
release_package_command(_release_msi_x64 x64 ${PROJECT_VERSION} $<TARGET_FILE_DIR:tessivar>
                        ${CPACK_PACKAGE_DIRECTORY}/${RELEASE_PACKAGE_NAME}-x64.msi ${CMAKE_BINARY_DIR}/msi)
release_package_command(_release_msi_x86 x86 ${PROJECT_VERSION} ${RELEASE_X86_BIN}
                        ${CPACK_PACKAGE_DIRECTORY}/${RELEASE_PACKAGE_NAME}-x86.msi ${CMAKE_BINARY_DIR}/msi)
# Like the archive, it packs what was built: scripts/release.sh builds first.
add_custom_target(msi COMMAND ${_release_msi_x64} COMMAND ${_release_msi_x86} VERBATIM
                  COMMENT "Windows Installer packages in ${CPACK_PACKAGE_DIRECTORY}")

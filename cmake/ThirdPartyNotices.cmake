# The third-party notices the programs' licences ask for: Drittanbieter.txt,
# filled with the versions this build links, beside the programs; and the
# linker's map of each program, from which the tests read what was linked.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/maps)
function(program_link_map target)
  target_link_options(${target} PRIVATE -Wl,-Map=${CMAKE_BINARY_DIR}/maps/${target}.map)
endfunction()

file(STRINGS /usr/include/nlohmann/detail/abi_macros.hpp _json_version REGEX "#define NLOHMANN_JSON_VERSION_(MAJOR|MINOR|PATCH) ")
string(REGEX REPLACE ".*MAJOR ([0-9]+).*MINOR ([0-9]+).*PATCH ([0-9]+).*" "\\1.\\2.\\3" NLOHMANN_JSON_VERSION
       "${_json_version}")
file(STRINGS /usr/share/mingw-w64/include/_mingw_mac.h _mingw_version
     REGEX "#define __MINGW64_VERSION_(MAJOR|MINOR|BUGFIX) ")
string(REGEX REPLACE ".*MAJOR ([0-9]+).*MINOR ([0-9]+).*BUGFIX ([0-9]+).*" "\\1.\\2.\\3" MINGW64_VERSION
       "${_mingw_version}")
# Debian's compiler calls itself "12-posix"; its runtime package knows the release.
execute_process(COMMAND dpkg-query -W -f "\${Version}" gcc-mingw-w64-x86-64-posix-runtime
                OUTPUT_VARIABLE _gcc_package RESULT_VARIABLE _gcc_query ERROR_QUIET)
if(_gcc_query EQUAL 0 AND _gcc_package MATCHES "^([0-9]+\\.[0-9]+\\.[0-9]+)")
  set(GCC_VERSION ${CMAKE_MATCH_1})
else()
  set(GCC_VERSION ${CMAKE_CXX_COMPILER_VERSION})
endif()
set(THIRD_PARTY_NOTICES ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Drittanbieter.txt)
configure_file(${CMAKE_SOURCE_DIR}/docs/Drittanbieter.txt.in ${THIRD_PARTY_NOTICES} @ONLY NEWLINE_STYLE CRLF)

# Builds one Windows Installer package with wixl:
#
#   cmake -DMSI_VERSION=2.0.0 -DMSI_ARCH=x64|x86 -DMSI_BIN=<folder of the two programs>
#         -DMSI_GUIDE=<docs/benutzerhandbuch> -DMSI_POLICIES=<src/routeplanner/policies>
#         -DMSI_PICTURES=<folder of the guide's pictures>
#         -DMSI_ICON=<tessivar.ico> -DMSI_WORK=<folder for the WiX source and its files>
#         -DMSI_OUTPUT=<the .msi> [-DWIXL=wixl] -P MakePackage.cmake
#
# Run at packaging time, not at configure time: the guide's pictures are
# made by the demo after the build trees are configured, and the tests
# build packages of other versions from the same programs.
cmake_minimum_required(VERSION 3.25)

foreach(var MSI_VERSION MSI_ARCH MSI_BIN MSI_GUIDE MSI_POLICIES MSI_ICON MSI_WORK MSI_OUTPUT)
  if(NOT DEFINED ${var} OR "${${var}}" STREQUAL "")
    message(FATAL_ERROR "MakePackage.cmake: ${var} is not set")
  endif()
endforeach()
if(NOT WIXL)
  find_program(WIXL wixl)
  if(NOT WIXL)
    message(FATAL_ERROR "wixl is missing (Debian: apt-get install wixl); scripts/install-deps.sh installs it")
  endif()
endif()
# Windows Installer compares only major.minor.build, each part within its
# limits; a version it cannot compare would break upgrades silently.
if(NOT MSI_VERSION MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)$" OR CMAKE_MATCH_1 GREATER 255
   OR CMAKE_MATCH_2 GREATER 255 OR CMAKE_MATCH_3 GREATER 65535)
  message(FATAL_ERROR "MakePackage.cmake: '${MSI_VERSION}' is no version Windows Installer can compare (a.b.c, a and b up to 255, c up to 65535)")
endif()
foreach(program tessivar.exe rovandel2.exe)
  if(NOT EXISTS "${MSI_BIN}/${program}")
    message(FATAL_ERROR "MakePackage.cmake: ${MSI_BIN}/${program} is missing; build the programs first")
  endif()
endforeach()

# Every package of every version shares the upgrade code: that is how a
# newer one finds and replaces an older one. Never change it.
set(MSI_UPGRADE_CODE "{6E1B7C0A-3F52-4C1D-9A8E-2B5D7F40C913}")
# The other codes follow from the upgrade code, so that a package rebuilt
# for the same version is the same product (a second install of it repairs,
# it does not add a second entry), while each version and architecture is
# a product of its own and each component keeps its code across versions.
string(UUID MSI_PRODUCT_CODE NAMESPACE 6E1B7C0A-3F52-4C1D-9A8E-2B5D7F40C913
       NAME "product/${MSI_ARCH}/${MSI_VERSION}" TYPE SHA1 UPPER)
set(MSI_PRODUCT_CODE "{${MSI_PRODUCT_CODE}}")
macro(component_guid name)
  string(UUID MSI_GUID_${name} NAMESPACE 6E1B7C0A-3F52-4C1D-9A8E-2B5D7F40C913
         NAME "component/${MSI_ARCH}/${name}" TYPE SHA1 UPPER)
  set(MSI_GUID_${name} "{${MSI_GUID_${name}}}")
endmacro()
foreach(component Tessivar Rovandel2 Pfad Handbuch Startmenue Bilder Richtlinien RichtlinienDE RichtlinienEN)
  component_guid(${component})
endforeach()

if(MSI_ARCH STREQUAL "x64")
  set(MSI_PROGRAM_FILES ProgramFiles64Folder)
  set(MSI_WIN64 " Win64=\"yes\"")
  set(MSI_PLATFORM x64)
elseif(MSI_ARCH STREQUAL "x86")
  set(MSI_PROGRAM_FILES ProgramFilesFolder)
  set(MSI_WIN64 "")
  # Windows Installer's name of the platform: "x86" would be refused there.
  set(MSI_PLATFORM Intel)
else()
  message(FATAL_ERROR "MakePackage.cmake: MSI_ARCH must be x64 or x86, not '${MSI_ARCH}'")
endif()

# The guide's pictures: those its page shows and that exist (a package for
# the tests may go without them, as the archive does).
file(READ "${MSI_GUIDE}/index.html" guide)
string(REGEX MATCHALL "bilder/[A-Za-z0-9_-]+\\.png" pictures "${guide}")
list(REMOVE_DUPLICATES pictures)
set(picture_files "")
set(picture_sources "")
foreach(picture IN LISTS pictures)
  string(REGEX REPLACE "^bilder/" "" name "${picture}")
  if(MSI_PICTURES AND EXISTS "${MSI_PICTURES}/${name}")
    string(MAKE_C_IDENTIFIER "bild_${name}" id)
    list(APPEND picture_sources "${MSI_PICTURES}/${name}")
    string(APPEND picture_files
           "                  <File Id=\"${id}\" Name=\"${name}\" Source=\"bilder/${name}\"/>\n")
  endif()
endforeach()
set(MSI_PICTURES_DIRECTORY "")
set(MSI_PICTURES_REFS "")
if(picture_files)
  set(MSI_PICTURES_DIRECTORY
      "              <Directory Id=\"PICTURESDIR\" Name=\"bilder\">
                <Component Id=\"Bilder\" Guid=\"${MSI_GUID_Bilder}\"${MSI_WIN64}>
${picture_files}                </Component>
              </Directory>")
  set(MSI_PICTURES_REFS "      <ComponentRef Id=\"Bilder\" />")
endif()

# wixl takes no absolute source paths: the package's files are gathered in a
# folder of their own beside the WiX source, which names them relative to it.
get_filename_component(output_name "${MSI_OUTPUT}" NAME_WLE)
set(stage "${MSI_WORK}/${output_name}")
file(REMOVE_RECURSE "${stage}")
file(MAKE_DIRECTORY "${stage}/bilder")
file(COPY "${MSI_BIN}/tessivar.exe" "${MSI_BIN}/rovandel2.exe" "${MSI_BIN}/Drittanbieter.txt" "${MSI_GUIDE}/index.html"
          "${MSI_GUIDE}/handbuch.css" DESTINATION "${stage}")
file(COPY "${MSI_POLICIES}/Rovandel2.admx" "${MSI_POLICIES}/de-DE" "${MSI_POLICIES}/en-US"
     DESTINATION "${stage}/Richtlinien")
file(COPY_FILE "${MSI_ICON}" "${stage}/tessivar.ico")
if(picture_sources)
  file(COPY ${picture_sources} DESTINATION "${stage}/bilder")
endif()
set(source "${stage}/${output_name}.wxs")
configure_file("${CMAKE_CURRENT_LIST_DIR}/Package.wxs.in" "${source}" @ONLY)

get_filename_component(output_dir "${MSI_OUTPUT}" DIRECTORY)
file(MAKE_DIRECTORY "${output_dir}")
# A package left from an earlier run must not pass for this one.
file(REMOVE "${MSI_OUTPUT}")
get_filename_component(output "${MSI_OUTPUT}" ABSOLUTE)
execute_process(COMMAND "${WIXL}" -a ${MSI_ARCH} -o "${output}" "${output_name}.wxs"
                WORKING_DIRECTORY "${stage}" RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT EXISTS "${output}")
  message(FATAL_ERROR "wixl could not build ${MSI_OUTPUT} from ${source}")
endif()

# wixl writes the strings in code page 1252 but marks the database neutral
# (0: Windows would read them in the machine's code page, "Zusätze" then
# breaks outside Western Europe), and it names 1033 as the package's language.
if(NOT MSIBUILD)
  find_program(MSIBUILD msibuild)
endif()
if(NOT MSIINFO)
  find_program(MSIINFO msiinfo)
endif()
if(NOT MSIBUILD OR NOT MSIINFO)
  message(FATAL_ERROR "msibuild or msiinfo is missing (Debian: apt-get install msitools)")
endif()
file(WRITE "${stage}/_ForceCodepage.idt" "\r\n\r\n1252\t_ForceCodepage\r\n")
execute_process(COMMAND "${MSIINFO}" suminfo "${output}" OUTPUT_VARIABLE summary RESULT_VARIABLE result)
string(REGEX MATCH "Revision number \\(UUID\\): ({[-0-9A-F]+})" revision "${summary}")
if(NOT result EQUAL 0 OR NOT revision)
  message(FATAL_ERROR "msiinfo could not read the package code of ${output}")
endif()
execute_process(COMMAND "${MSIBUILD}" "${output}" -i "${stage}/_ForceCodepage.idt"
                        -s "Tessivar und Rovandel2 ${MSI_VERSION} (${MSI_ARCH})" Brannock-Heyl
                           "${MSI_PLATFORM};1031" "${CMAKE_MATCH_1}"
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  file(REMOVE "${output}")
  message(FATAL_ERROR "msibuild could not set the code page and language of ${output}")
endif()
message(STATUS "Package: ${MSI_OUTPUT}")

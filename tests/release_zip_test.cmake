# The release (cpack) is a zip and an installer of the same files: the exe, its help (テンカリ.HLP
# and テンカリ.html), the user's readme, the licence and the stroke data's notice and source, and
# nothing else: no driver, no DLL, not the developers' README.md. The readme is UTF-8 with a byte-order mark
# and CRLF line ends, and names the project version. The installer needs no administrator rights.
# Without a certificate, cpack says in one line that the release is unsigned.
#   cmake -DBUILD_DIR=<windows build> -DVERSION=<project version> -P release_zip_test.cmake
cmake_minimum_required(VERSION 3.21)
set(out "${BUILD_DIR}/release-test")
file(REMOVE_RECURSE "${out}")
# Without a certificate the release is unsigned, and cpack says so in one line.
execute_process(COMMAND "${CMAKE_COMMAND}" -E env --unset=TENKARI_SIGN_PKCS12
                        cpack -B "${out}" WORKING_DIRECTORY "${BUILD_DIR}"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cpack failed: ${result}\n${output}")
endif()
string(REGEX MATCHALL "[^\n]*unsigned[^\n]*" unsigned_lines "${output}")
list(LENGTH unsigned_lines unsigned_count)
if(NOT unsigned_count EQUAL 1)
    message(FATAL_ERROR "cpack said unsigned in ${unsigned_count} lines:\n${output}")
endif()
set(base "${out}/tenkari-${VERSION}-win64")
foreach(package zip msi)
    if(NOT EXISTS "${base}.${package}")
        file(GLOB made "${out}/*")
        message(FATAL_ERROR "no ${base}.${package}; cpack made ${made}")
    endif()
endforeach()

set(expected LICENSE.txt STROKE-DATA-NOTICE.txt stroke_classes.txt tenkari.exe お読み下さい.txt テンカリ.HLP
    テンカリ.html)
execute_process(COMMAND "${CMAKE_COMMAND}" -E tar tf "${base}.zip" OUTPUT_VARIABLE listing
                RESULT_VARIABLE result)
string(REPLACE "\n" ";" entries "${listing}")
list(REMOVE_ITEM entries "")
list(SORT entries)
if(NOT entries STREQUAL expected)
    message(FATAL_ERROR "the zip holds ${entries}, expected ${expected}")
endif()

# The installer's File table: its strings are in code page 932, which WINDOWS_LANGUAGE=ja reads.
execute_process(COMMAND "${CMAKE_COMMAND}" -E env WINDOWS_LANGUAGE=ja msiinfo export "${base}.msi"
                        File
                OUTPUT_VARIABLE table RESULT_VARIABLE result)
string(REPLACE "\r\n" "\n" table "${table}")
string(REPLACE "\n" ";" rows "${table}")
set(installed "")
foreach(row IN LISTS rows)
    string(REPLACE "\t" ";" fields "${row}")
    list(LENGTH fields count)
    if(count EQUAL 8)
        list(GET fields 7 sequence)
        if(sequence MATCHES "^[0-9]+$")
            list(GET fields 2 name)
            list(APPEND installed "${name}")
        endif()
    endif()
endforeach()
list(SORT installed)
if(NOT result EQUAL 0 OR NOT installed STREQUAL expected)
    message(FATAL_ERROR "the installer installs ${installed}, expected ${expected}")
endif()

# Its word count (msiinfo's "Source"): compressed files (2) and no administrator rights needed
# (8), so that Windows asks for none.
execute_process(COMMAND msiinfo suminfo "${base}.msi" OUTPUT_VARIABLE summary)
if(NOT summary MATCHES "Source: ([0-9]+)")
    message(FATAL_ERROR "msiinfo shows no word count:\n${summary}")
endif()
math(EXPR flags "${CMAKE_MATCH_1} & 10")
if(NOT flags EQUAL 10)
    message(FATAL_ERROR "the installer's word count is '${CMAKE_MATCH_1}', without 2 and 8")
endif()

file(MAKE_DIRECTORY "${out}/unpacked")
execute_process(COMMAND "${CMAKE_COMMAND}" -E tar xf "${base}.zip"
                WORKING_DIRECTORY "${out}/unpacked")
set(readme "${out}/unpacked/お読み下さい.txt")
file(READ "${readme}" bom LIMIT 3 HEX)
# Its bytes as two-digit tokens, so that a line end is found only where a byte starts.
file(READ "${readme}" hex HEX)
string(REGEX MATCHALL "[0-9a-f][0-9a-f]" bytes "${hex}")
list(JOIN bytes " " spaced)
string(REGEX MATCHALL "0a" line_feeds "${spaced}")
string(REGEX MATCHALL "0d 0a" crlfs "${spaced}")
list(LENGTH line_feeds lf_count)
list(LENGTH crlfs crlf_count)
file(READ "${readme}" text)
string(FIND "${text}" "Ver ${VERSION}" version_at)
if(NOT bom STREQUAL "efbbbf" OR lf_count EQUAL 0 OR NOT lf_count EQUAL crlf_count
   OR version_at EQUAL -1)
    message(FATAL_ERROR "the readme is not UTF-8 with a byte-order mark and CRLF naming "
                        "Ver ${VERSION}")
endif()
file(REMOVE_RECURSE "${out}")

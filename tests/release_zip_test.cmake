# The release zip holds the exe, its help (テンカリ.HLP and テンカリ.html), the README and the
# stroke data's notice and source, and nothing else: no driver, no DLL.
#   cmake -DBUILD_DIR=<windows build> -P release_zip_test.cmake
execute_process(COMMAND cpack -G ZIP -B "${BUILD_DIR}/release-test" WORKING_DIRECTORY "${BUILD_DIR}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cpack failed: ${result}")
endif()
file(GLOB zips "${BUILD_DIR}/release-test/*.zip")
list(LENGTH zips count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "expected one zip, found: ${zips}")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" -E tar tf ${zips} OUTPUT_VARIABLE listing
                RESULT_VARIABLE result)
string(REPLACE "\n" ";" entries "${listing}")
list(REMOVE_ITEM entries "")
list(SORT entries)
set(expected README.md STROKE-DATA-NOTICE.txt stroke_classes.txt tenkari.exe テンカリ.HLP
    テンカリ.html)
if(NOT entries STREQUAL expected)
    message(FATAL_ERROR "the zip holds ${entries}, expected ${expected}")
endif()
file(REMOVE_RECURSE "${BUILD_DIR}/release-test")

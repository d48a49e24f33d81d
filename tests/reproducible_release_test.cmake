# Two builds of one source tree, in different folders and at different times, give the same
# release byte for byte: tenkari.exe, the zip, the installer and SHA256SUMS. The second build is
# made here, of the program and its help alone, in a folder of its own; both are packed by cpack.
#   cmake -DSOURCE_DIR=<sources> -DBUILD_DIR=<windows build> -DVERSION=<project version>
#         -P reproducible_release_test.cmake
cmake_minimum_required(VERSION 3.21)
set(work "${BUILD_DIR}/reproducible-release-test")
set(again "${work}/another build folder")
file(REMOVE_RECURSE "${work}")

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output
                    ERROR_VARIABLE output)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "failed (${result}): ${ARGN}\n${output}")
    endif()
endfunction()

# Neither build is told a time: both take the commit's.
set(ENV{SOURCE_DATE_EPOCH} "")
set(ENV{TENKARI_SIGN_PKCS12} "")
run("${CMAKE_COMMAND}" -S "${SOURCE_DIR}" -B "${again}" -G Ninja
    -DCMAKE_TOOLCHAIN_FILE=${SOURCE_DIR}/cmake/mingw-w64-x86_64.cmake
    -DCMAKE_BUILD_TYPE=Release -DTENKARI_WERROR=ON)
run("${CMAKE_COMMAND}" --build "${again}" --target tenkari)
run("${CMAKE_COMMAND}" -E chdir "${BUILD_DIR}" cpack -B "${work}/first")
run("${CMAKE_COMMAND}" -E chdir "${again}" cpack -B "${work}/second")

set(base "tenkari-${VERSION}-win64")
set(differ "")
function(compare name first second)
    execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${first}" "${second}"
                    RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        set(differ ${differ} "${name}" PARENT_SCOPE)
    endif()
endfunction()
compare(tenkari.exe "${BUILD_DIR}/app/win32/tenkari.exe" "${again}/app/win32/tenkari.exe")
foreach(package "${base}.zip" "${base}.msi" SHA256SUMS)
    compare("${package}" "${work}/first/${package}" "${work}/second/${package}")
endforeach()
if(differ)
    message(FATAL_ERROR "the two builds differ in ${differ} (both kept under ${work})")
endif()
file(REMOVE_RECURSE "${work}")

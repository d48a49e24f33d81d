# Run by cpack (the External generator) once the release files are staged in
# CPACK_TEMPORARY_DIRECTORY: signs tenkari.exe where a certificate is given, builds the installer
# from the staged files, signs it, and packs the zip, so that the zip and the installer carry the
# same exe. The certificate comes from the environment:
#   TENKARI_SIGN_PKCS12         a PKCS#12 file with the code-signing key and certificate
#   TENKARI_SIGN_PASSWORD       its password
#   TENKARI_SIGN_TIMESTAMP_URL  optional: an RFC 3161 timestamp server
set(staged "${CPACK_TEMPORARY_DIRECTORY}")
set(base "${CPACK_PACKAGE_FILE_NAME}")
set(out "${CPACK_TOPLEVEL_DIRECTORY}/tenkari-out")
file(REMOVE_RECURSE "${out}")
file(MAKE_DIRECTORY "${out}")

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "failed (${result}): ${ARGN}")
    endif()
endfunction()

set(sign "")
if(DEFINED ENV{TENKARI_SIGN_PKCS12} AND NOT "$ENV{TENKARI_SIGN_PKCS12}" STREQUAL "")
    set(sign "${CPACK_TENKARI_PYTHON}" "${CPACK_TENKARI_PACKAGING_DIR}/sign.py")
else()
    message(STATUS "unsigned: TENKARI_SIGN_PKCS12 is not set, so tenkari.exe and the "
                   "installer are not signed")
endif()

if(sign)
    run(${sign} "${staged}/tenkari.exe")
endif()
run("${CPACK_TENKARI_PYTHON}" "${CPACK_TENKARI_PACKAGING_DIR}/build_msi.py"
    --version "${CPACK_PACKAGE_VERSION}"
    --exe "${staged}/tenkari.exe"
    --hlp "${staged}/テンカリ.HLP"
    --html "${staged}/テンカリ.html"
    --readme "${staged}/${CPACK_TENKARI_README_NAME}"
    --notice "${staged}/STROKE-DATA-NOTICE.txt"
    --strokes "${staged}/stroke_classes.txt"
    --icon "${CPACK_TENKARI_ICON}"
    --work "${CPACK_TOPLEVEL_DIRECTORY}/tenkari-msi"
    --output "${out}/${base}.msi")
if(sign)
    run(${sign} "${out}/${base}.msi")
endif()
# The zip holds the staged files at its top level, with their names in UTF-8.
file(GLOB entries RELATIVE "${staged}" "${staged}/*")
run("${CMAKE_COMMAND}" -E chdir "${staged}" "${CMAKE_COMMAND}" -E tar cf "${out}/${base}.zip"
    --format=zip ${entries})
set(CPACK_EXTERNAL_BUILT_PACKAGES "${out}/${base}.msi" "${out}/${base}.zip")

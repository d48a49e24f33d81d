# Run by cpack (the External generator) once the release files are staged in
# CPACK_TEMPORARY_DIRECTORY: signs tenkari.exe where a certificate is given, builds the installer
# from the staged files, signs it, and packs the zip, so that the zip and the installer carry the
# same exe. The certificate comes from the environment:
#   TENKARI_SIGN_PKCS12         a PKCS#12 file with the code-signing key and certificate
#   TENKARI_SIGN_PASSWORD       its password
#   TENKARI_SIGN_TIMESTAMP_URL  optional: an RFC 3161 timestamp server
# Two builds of one commit give the same zip and installer: their times are the commit's (or
# SOURCE_DATE_EPOCH where it is set), and the installer's codes come from the version, the commit
# and the files. SHA256SUMS beside them lets anyone check a download against a build of theirs.
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

# The commit the sources are, and its time; a tree that is no git checkout names none, and takes
# the time of its CMakeLists.txt.
execute_process(COMMAND git -C "${CPACK_TENKARI_SOURCE_DIR}" rev-parse HEAD
                OUTPUT_VARIABLE commit OUTPUT_STRIP_TRAILING_WHITESPACE
                RESULT_VARIABLE no_commit ERROR_QUIET)
if(no_commit)
    set(commit "none")
endif()
if(DEFINED ENV{SOURCE_DATE_EPOCH} AND NOT "$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
    set(epoch "$ENV{SOURCE_DATE_EPOCH}")
elseif(NOT no_commit)
    execute_process(COMMAND git -C "${CPACK_TENKARI_SOURCE_DIR}" log -1 --format=%ct
                    OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE)
else()
    file(TIMESTAMP "${CPACK_TENKARI_SOURCE_DIR}/CMakeLists.txt" epoch "%s" UTC)
endif()

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
    --license "${staged}/LICENSE.txt"
    --strokes "${staged}/stroke_classes.txt"
    --icon "${CPACK_TENKARI_ICON}"
    --commit "${commit}"
    --epoch "${epoch}"
    --work "${CPACK_TOPLEVEL_DIRECTORY}/tenkari-msi"
    --output "${out}/${base}.msi")
if(sign)
    run(${sign} "${out}/${base}.msi")
endif()
# The zip holds the staged files at its top level, with their names in UTF-8.
run("${CPACK_TENKARI_PYTHON}" "${CPACK_TENKARI_PACKAGING_DIR}/pack_zip.py" --epoch "${epoch}"
    --output "${out}/${base}.zip" "${staged}")
set(sums "")
foreach(package "${base}.msi" "${base}.zip")
    file(SHA256 "${out}/${package}" sum)
    string(APPEND sums "${sum}  ${package}\n")
endforeach()
file(WRITE "${out}/SHA256SUMS" "${sums}")
set(CPACK_EXTERNAL_BUILT_PACKAGES "${out}/${base}.msi" "${out}/${base}.zip" "${out}/SHA256SUMS")

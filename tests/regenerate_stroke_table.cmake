# Regenerates the stroke table and its report of moved kanji from the installed KANJIDIC and
# Unihan into the build folder, and fails on any difference from the committed files.
execute_process(COMMAND "${PYTHON}" "${GENERATOR}" --output "${REGENERATED}"
                        --moves "${REGENERATED_MOVES}"
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "the stroke table generator failed (${result})")
endif()
# "" names the table, _MOVES the report.
foreach(file IN ITEMS "" _MOVES)
    execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files
                            "${COMMITTED${file}}" "${REGENERATED${file}}"
                    RESULT_VARIABLE differs)
    if(NOT differs EQUAL 0)
        get_filename_component(name "${COMMITTED${file}}" NAME)
        message(FATAL_ERROR "data/${name} differs from what tools/gen_stroke_classes.py "
                            "makes now; regenerate it and review the change")
    endif()
endforeach()

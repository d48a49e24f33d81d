# Regenerates the stroke table from the installed KANJIDIC and Unihan and fails on any
# difference from the committed file.
execute_process(COMMAND "${PYTHON}" "${GENERATOR}" --output "${REGENERATED}"
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "the stroke table generator failed (${result})")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${COMMITTED}" "${REGENERATED}"
                RESULT_VARIABLE differs)
if(NOT differs EQUAL 0)
    message(FATAL_ERROR "data/stroke_classes.txt differs from what tools/gen_stroke_classes.py "
                        "makes now; regenerate it and review the change")
endif()

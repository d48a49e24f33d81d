# Regenerates the stroke table and its report of moved kanji from the installed KANJIDIC and
# Unihan into the build folder, and fails on any difference from the committed files. Other
# versions of the sources may move a few kanji, so the check compares only when the installed
# packages are the versions that the table's first line names; otherwise it says which differ
# and is skipped (the test's SKIP_REGULAR_EXPRESSION matches "stroke table check skipped").

# The committed table's first line: "# Sources: kanjidic V, unicode-data W (Debian packages)...".
file(STRINGS "${COMMITTED}" header LIMIT_COUNT 1 REGEX "^# Sources: ")
if(NOT header MATCHES "^# Sources: ([^()]+) \\(Debian packages\\)")
    message(FATAL_ERROR "data/stroke_classes.txt does not name its sources on its first line; "
                        "regenerate it with tools/gen_stroke_classes.py")
endif()
set(made_from "${CMAKE_MATCH_1}")

execute_process(COMMAND "${PYTHON}" "${GENERATOR}" --sources
                OUTPUT_VARIABLE installed OUTPUT_STRIP_TRAILING_WHITESPACE
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "the stroke table generator cannot tell the installed sources (${result})")
endif()

if(NOT installed STREQUAL made_from)
    set(differences "")
    foreach(package IN ITEMS kanjidic unicode-data)
        string(REGEX MATCH "${package} ([^,]+)" ignored "${made_from}")
        set(committed_version "${CMAKE_MATCH_1}")
        string(REGEX MATCH "${package} ([^,]+)" ignored "${installed}")
        set(installed_version "${CMAKE_MATCH_1}")
        if(NOT committed_version STREQUAL installed_version)
            string(APPEND differences "\n  ${package}: the table was made from version "
                                      "${committed_version}, installed is ${installed_version}")
        endif()
    endforeach()
    message(NOTICE "stroke table check skipped: the installed sources are not the versions "
                   "data/stroke_classes.txt was made from, so a difference would say nothing "
                   "about the generator.${differences}\n"
                   "To take the installed versions, run tools/gen_stroke_classes.py and review "
                   "the change.")
    return()
endif()

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
message(STATUS "data/stroke_classes.txt and data/stroke_moves.md are what the generator makes "
               "from ${installed}")

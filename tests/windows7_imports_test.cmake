# tenkari.exe must start on Windows 7 and 8.1: it imports none of the DPI calls that came with
# Windows 8.1 and 10 (a missing import stops the program before its first line); it looks them
# up at run time instead.
#   cmake -DOBJDUMP=<objdump> -DEXE=tenkari.exe -P windows7_imports_test.cmake
execute_process(COMMAND "${OBJDUMP}" -p "${EXE}" OUTPUT_VARIABLE headers RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "objdump failed: ${result}")
endif()
if(NOT headers MATCHES "TranslateAcceleratorW")
    message(FATAL_ERROR "no import table read from ${EXE}")
endif()
string(REGEX MATCHALL "[A-Za-z]*(Dpi|DPI)[A-Za-z]*" dpi_calls "${headers}")
if(dpi_calls)
    message(FATAL_ERROR "tenkari.exe imports ${dpi_calls}, which Windows 7 lacks")
endif()

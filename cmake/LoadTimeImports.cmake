# The libraries that the shipped programs may import at load time: those that Windows always
# takes from the system directory. Any other library imported at load time (comctl32.dll, say)
# would be taken from beside the program before its first line runs, and setup.exe runs from
# wherever it was downloaded, the uninstaller's working copy from the temporary directory. The
# programs load every other library at run time by its full path in the system directory
# (common/win/system_library.h).
set(ZELMOR_LOAD_TIME_IMPORTS
    kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll shlwapi.dll ole32.dll oleaut32.dll
    comdlg32.dll msvcrt.dll)

# Run as a script (cmake -DOBJDUMP=... -DIMAGE=... -P LoadTimeImports.cmake): fails with the
# names of the image's load-time imports outside the list, and removes the image, so that the
# next build links and checks it again.
if(CMAKE_SCRIPT_MODE_FILE)
    cmake_minimum_required(VERSION 3.20)
    execute_process(COMMAND "${OBJDUMP}" -p "${IMAGE}" OUTPUT_VARIABLE dump RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${OBJDUMP} cannot read the imports of ${IMAGE}")
    endif()
    string(REGEX MATCHALL "DLL Name: [^\r\n]+" lines "${dump}")
    set(refused)
    foreach(line IN LISTS lines)
        string(REGEX REPLACE "^DLL Name: *" "" name "${line}")
        string(STRIP "${name}" name)
        string(TOLOWER "${name}" lower)
        if(NOT lower IN_LIST ZELMOR_LOAD_TIME_IMPORTS)
            list(APPEND refused ${name})
        endif()
    endforeach()
    if(refused)
        list(JOIN refused ", " refused_text)
        list(JOIN ZELMOR_LOAD_TIME_IMPORTS " " allowed_text)
        file(REMOVE "${IMAGE}")
        message(FATAL_ERROR "${IMAGE} imports ${refused_text} at load time; only these may be imported "
                            "(cmake/LoadTimeImports.cmake): ${allowed_text}. Load the library at run time "
                            "by its full path in the system directory.")
    endif()
    return()
endif()

set(_load_time_imports_script ${CMAKE_CURRENT_LIST_FILE})

# check_load_time_imports(<target>...): after every link of each program, its image is checked
# against the list with the toolchain's objdump; the build fails when it imports anything else.
function(check_load_time_imports)
    if(NOT CMAKE_OBJDUMP)
        message(FATAL_ERROR "The toolchain has no objdump to check the programs' imports with")
    endif()
    foreach(target IN LISTS ARGN)
        add_custom_command(TARGET ${target} POST_BUILD
            COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP} -DIMAGE=$<TARGET_FILE:${target}>
                    -P ${_load_time_imports_script}
            VERBATIM)
    endforeach()
endfunction()

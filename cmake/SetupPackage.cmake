# add_setup_package: makes a setup.exe from the bare setup program and a package manifest.
#
#   add_setup_package(<target>
#       OUTPUT <setup.exe>                 relative to the current binary directory
#       STUB <target or file>              the bare setup program image
#       MANIFEST <file>                    relative to the current source directory
#       [DEFINES NAME=<file> ...]          files the manifest names as ${NAME}, e.g.
#                                          ZELTAX=$<TARGET_FILE:zeltax>; the package follows them
#       [TEXT_DEFINES NAME=<text> ...]     plain texts for ${NAME}
#       [EXCLUDE_FROM_ALL])                built only when a target depends on it
#
# The packaging tool runs on the build host, so a Windows tree takes it from the host tree:
# ZELMOR_SETUP_BUILDER names the host-built setup_builder. Without it the function only says
# so, and the setup file is not part of the tree. The files the manifest itself names (texts,
# pictures, readme) are followed through the depfile that the tool writes. Every packed
# file gets the tree's SOURCE_DATE_EPOCH (cmake/SourceDateEpoch.cmake) as its time stamp, so
# that one commit always gives the same setup file.

include(${CMAKE_CURRENT_LIST_DIR}/SourceDateEpoch.cmake)

set(ZELMOR_SETUP_BUILDER "" CACHE FILEPATH "setup_builder of the host tree, which makes setup files")

# DEFINES values as files to depend on: a $<TARGET_FILE:x> also orders the build after x.
function(_setup_package_define_dependencies out_var)
    set(dependencies)
    foreach(definition IN LISTS ARGN)
        if(NOT definition MATCHES "^[A-Za-z0-9_]+=(.+)$")
            message(FATAL_ERROR "add_setup_package: DEFINES needs NAME=<file>, not \"${definition}\"")
        endif()
        set(file "${CMAKE_MATCH_1}")
        list(APPEND dependencies "${file}")
        if(file MATCHES "^\\$<TARGET_FILE:([^>]+)>$")
            list(APPEND dependencies "${CMAKE_MATCH_1}")
        endif()
    endforeach()
    set(${out_var} "${dependencies}" PARENT_SCOPE)
endfunction()

function(add_setup_package target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "EXCLUDE_FROM_ALL" "OUTPUT;STUB;MANIFEST" "DEFINES;TEXT_DEFINES")
    if(arg_UNPARSED_ARGUMENTS)
        message(FATAL_ERROR "add_setup_package: unknown arguments ${arg_UNPARSED_ARGUMENTS}")
    endif()
    foreach(required OUTPUT STUB MANIFEST)
        if(NOT arg_${required})
            message(FATAL_ERROR "add_setup_package: ${required} is required")
        endif()
    endforeach()
    if(NOT ZELMOR_SETUP_BUILDER)
        message(STATUS "ZELMOR_SETUP_BUILDER is not set: ${target} (${arg_OUTPUT}) is not built in this tree")
        return()
    endif()

    get_filename_component(manifest "${arg_MANIFEST}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    get_filename_component(output "${arg_OUTPUT}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_BINARY_DIR}")
    set(depfile "${CMAKE_CURRENT_BINARY_DIR}/${target}.d")
    if(TARGET ${arg_STUB})
        set(stub "$<TARGET_FILE:${arg_STUB}>")
        set(stub_dependency ${arg_STUB})
    else()
        get_filename_component(stub "${arg_STUB}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
        set(stub_dependency "${stub}")
    endif()

    set(define_arguments)
    foreach(definition IN LISTS arg_DEFINES arg_TEXT_DEFINES)
        list(APPEND define_arguments --define "${definition}")
    endforeach()
    _setup_package_define_dependencies(define_dependencies ${arg_DEFINES})

    add_custom_command(
        OUTPUT "${output}"
        COMMAND ${CMAKE_COMMAND} -E env "SOURCE_DATE_EPOCH=${ZELMOR_SOURCE_DATE_EPOCH}"
                "${ZELMOR_SETUP_BUILDER}" build "${manifest}" --stub "${stub}"
                --output "${output}" ${define_arguments} --depfile "${depfile}"
        DEPENDS "${ZELMOR_SETUP_BUILDER}" "${manifest}" ${stub_dependency} ${define_dependencies}
        DEPFILE "${depfile}"
        COMMENT "Packing ${arg_OUTPUT}"
        VERBATIM)
    if(arg_EXCLUDE_FROM_ALL)
        add_custom_target(${target} DEPENDS "${output}")
    else()
        add_custom_target(${target} ALL DEPENDS "${output}")
    endif()
endfunction()

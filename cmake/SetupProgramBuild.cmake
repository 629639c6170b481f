# The setup program's size measures, kept to the setup program.
#
# The bare setup image has a size budget (./dev bench). The setup program and its own builds of
# the libraries it links are therefore compiled
#   - with link-time optimisation, which drops the code the program does not call and inlines
#     across our libraries;
#   - without C++ exceptions: the unwinder, the exception support and the unwind tables would be
#     about a third of the image (startup/runtime_errors.cpp and startup/runtime_memory.cpp end
#     the program where the library would raise one); 32-bit code needs no unwind tables for
#     structured exceptions either, 64-bit code does and keeps them;
#   - without thread-safe function-local statics: the library's guards lock through the POSIX
#     threads library and raise exceptions. Every function-local static of the setup program is
#     first reached on its user-interface thread during start-up, before the one other thread,
#     the inflation worker, exists. The program's own locks are critical sections
#     (common/core/critical_section.h), never the library's mutexes.
# Everything else (the estimator, the uninstaller, the tests) links the ordinary builds of the
# same libraries. The two kinds never meet in one link: the 32-bit linker takes an inline
# function defined by a link-time object and by a plain one for two definitions.

function(use_setup_program_options target)
    set_property(TARGET ${target} PROPERTY INTERPROCEDURAL_OPTIMIZATION ON)
    target_compile_options(${target} PRIVATE -fno-exceptions -fno-threadsafe-statics)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        target_compile_options(${target} PRIVATE -fno-unwind-tables -fno-asynchronous-unwind-tables)
    endif()
endfunction()

# The items of a link list, each library of `libraries` replaced by its setup build.
function(_setup_build_links out_var libraries)
    set(mapped)
    foreach(item IN LISTS ARGN)
        if(item IN_LIST libraries)
            list(APPEND mapped ${item}_setup)
        else()
            list(APPEND mapped ${item})
        endif()
    endforeach()
    set(${out_var} ${mapped} PARENT_SCOPE)
endfunction()

# add_setup_builds(<library>...): for each library, <library>_setup from the same sources,
# include directories and definitions, built with the setup program's options and linking the
# setup builds of those among the named libraries that it links.
function(add_setup_builds)
    set(libraries ${ARGN})
    foreach(library IN LISTS libraries)
        get_target_property(source_dir ${library} SOURCE_DIR)
        get_target_property(sources ${library} SOURCES)
        list(TRANSFORM sources PREPEND "${source_dir}/" REGEX "^[^/$]")
        set(build ${library}_setup)
        add_library(${build} STATIC ${sources})
        foreach(property IN ITEMS INCLUDE_DIRECTORIES COMPILE_DEFINITIONS INTERFACE_INCLUDE_DIRECTORIES
                                  INTERFACE_COMPILE_DEFINITIONS)
            get_target_property(value ${library} ${property})
            if(value)
                set_property(TARGET ${build} PROPERTY ${property} ${value})
            endif()
        endforeach()
        # The link items as the library states them (private ones of a static library still
        # reach the program's link).
        get_target_property(links ${library} LINK_LIBRARIES)
        if(links)
            _setup_build_links(links "${libraries}" ${links})
            target_link_libraries(${build} PUBLIC ${links})
        endif()
        use_setup_program_options(${build})
    endforeach()
endfunction()

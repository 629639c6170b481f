# The tree's SOURCE_DATE_EPOCH: the time stamp (seconds since 1970) that the package builder gives
# every file a setup package installs. Two builds of the same sources then give the same
# setup.exe, and the files of a later release still carry later stamps than an older one's, so
# that an update installation replaces them.
#
# Chosen at configure time into ZELMOR_SOURCE_DATE_EPOCH, the first of
#   - SOURCE_DATE_EPOCH from the environment;
#   - the time of the last commit, when the source tree is a git checkout of its own;
#   - the newest modification time of the source files (build/ and the binary tree left out).
# Never the build time. A new commit reconfigures the tree: the configure step depends on the
# files in which git records where HEAD is.

include_guard(GLOBAL)
find_package(Git QUIET)

# Runs git in the source tree; out_var gets the output's lines, or stays empty when git is
# missing or fails. The tree is being built, so it is trusted: a checkout owned by another user
# (a CI container running as root) need not stop git.
function(_source_tree_git out_var source_dir)
    set(${out_var} "" PARENT_SCOPE)
    if(NOT GIT_EXECUTABLE)
        return()
    endif()
    file(REAL_PATH "${source_dir}" top)
    execute_process(COMMAND "${GIT_EXECUTABLE}" -c "safe.directory=${top}" -C "${top}" ${ARGN}
                    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(result EQUAL 0)
        string(REPLACE "\n" ";" lines "${output}")
        set(${out_var} "${lines}" PARENT_SCOPE)
    endif()
endfunction()

# The files git rewrites when HEAD moves: HEAD itself, its log, the branch it names and the
# packed refs. Which of them exist depends on the checkout's state; a missing one is no error.
function(_git_head_files out_var source_dir git_dir common_dir head_ref)
    set(names "${git_dir}/HEAD" "${git_dir}/logs/HEAD" "${common_dir}/packed-refs")
    if(head_ref MATCHES "^refs/")
        list(APPEND names "${common_dir}/${head_ref}")
    endif()
    set(files)
    foreach(name IN LISTS names)
        get_filename_component(file "${name}" ABSOLUTE BASE_DIR "${source_dir}")
        list(APPEND files "${file}")
    endforeach()
    set(${out_var} "${files}" PARENT_SCOPE)
endfunction()

# The time of the last commit, or "" when source_dir is not the top of a git checkout: a copy
# of the sources inside another checkout (an ignored build folder of it) has no commits of its
# own. Makes a new commit reconfigure the tree.
function(_last_commit_time out_var source_dir)
    set(${out_var} "" PARENT_SCOPE)
    _source_tree_git(places "${source_dir}"
                     rev-parse --show-toplevel --git-dir --git-common-dir --symbolic-full-name HEAD)
    list(LENGTH places count)
    if(NOT count EQUAL 4)
        return()
    endif()
    list(GET places 0 top)
    file(REAL_PATH "${top}" top)
    file(REAL_PATH "${source_dir}" source)
    if(NOT top STREQUAL source)
        return()
    endif()
    _source_tree_git(seconds "${source_dir}" log -1 --format=%ct)
    if(NOT seconds MATCHES "^[0-9]+$")
        return()
    endif()
    list(GET places 1 git_dir)
    list(GET places 2 common_dir)
    list(GET places 3 head_ref)
    _git_head_files(head_files "${source_dir}" "${git_dir}" "${common_dir}" "${head_ref}")
    set_property(DIRECTORY "${CMAKE_SOURCE_DIR}" APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${head_files})
    set(${out_var} "${seconds}" PARENT_SCOPE)
endfunction()

# The newest modification time of the files below source_dir, leaving out the build folders
# and git's own files, which change without the sources changing.
function(_newest_source_file_time out_var source_dir)
    file(GLOB entries LIST_DIRECTORIES true "${source_dir}/*")
    set(newest 0)
    foreach(entry IN LISTS entries)
        get_filename_component(name "${entry}" NAME)
        if(name STREQUAL "build" OR name STREQUAL ".git")
            continue()
        endif()
        if(IS_DIRECTORY "${entry}")
            file(GLOB_RECURSE files "${entry}/*")
        else()
            set(files "${entry}")
        endif()
        foreach(file IN LISTS files)
            string(FIND "${file}/" "${CMAKE_BINARY_DIR}/" in_binary_tree)
            if(in_binary_tree EQUAL 0)
                continue()
            endif()
            file(TIMESTAMP "${file}" seconds "%s" UTC)
            if(seconds GREATER newest)
                set(newest ${seconds})
            endif()
        endforeach()
    endforeach()
    set(${out_var} ${newest} PARENT_SCOPE)
endfunction()

function(_choose_source_date_epoch epoch_var origin_var source_dir)
    if(DEFINED ENV{SOURCE_DATE_EPOCH})
        if(NOT "$ENV{SOURCE_DATE_EPOCH}" MATCHES "^[0-9]+$")
            message(FATAL_ERROR "SOURCE_DATE_EPOCH must be a number of seconds since 1970, not \"$ENV{SOURCE_DATE_EPOCH}\"")
        endif()
        set(${epoch_var} "$ENV{SOURCE_DATE_EPOCH}" PARENT_SCOPE)
        set(${origin_var} "the environment" PARENT_SCOPE)
        return()
    endif()
    _last_commit_time(seconds "${source_dir}")
    if(NOT seconds STREQUAL "")
        set(${epoch_var} ${seconds} PARENT_SCOPE)
        set(${origin_var} "the last commit" PARENT_SCOPE)
        return()
    endif()
    _newest_source_file_time(seconds "${source_dir}")
    set(${epoch_var} ${seconds} PARENT_SCOPE)
    set(${origin_var} "the newest source file" PARENT_SCOPE)
endfunction()

_choose_source_date_epoch(ZELMOR_SOURCE_DATE_EPOCH _source_date_origin "${CMAKE_SOURCE_DIR}")
message(STATUS "SOURCE_DATE_EPOCH: ${ZELMOR_SOURCE_DATE_EPOCH}, from ${_source_date_origin}")
unset(_source_date_origin)

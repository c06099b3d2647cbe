# QUILLOW_SOURCE_COMMIT: the commit the sources are, for the program's version resource, so
# that a user can tell which sources to rebuild it from. In a checkout, git's, with "+changes"
# when tracked files differ from it; in a source archive made by git archive, the one it wrote
# into source-version.txt; otherwise "unknown". A copy of the sources made for a rebuild is
# told it in the environment variable of the same name. Kept in the cache, where the scripts
# read it.
if(DEFINED ENV{QUILLOW_SOURCE_COMMIT})
    set(commit "$ENV{QUILLOW_SOURCE_COMMIT}")
else()
    # Only a checkout of these sources: an archive unpacked inside some other repository must
    # not take that one's commit.
    execute_process(COMMAND git -C ${PROJECT_SOURCE_DIR} rev-parse --show-toplevel
                    OUTPUT_VARIABLE top OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    file(REAL_PATH "${PROJECT_SOURCE_DIR}" here)
    if(NOT top STREQUAL "" AND top STREQUAL here)
        execute_process(COMMAND git -C ${PROJECT_SOURCE_DIR} rev-parse HEAD
                        OUTPUT_VARIABLE commit OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
        execute_process(COMMAND git -C ${PROJECT_SOURCE_DIR} status --porcelain
                                --untracked-files=no
                        OUTPUT_VARIABLE changes ERROR_QUIET)
        if(NOT changes STREQUAL "")
            string(APPEND commit "+changes")
        endif()
    else()
        file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/source-version.txt commit
             REGEX "^commit [0-9a-f]+$")
        string(REPLACE "commit " "" commit "${commit}")
    endif()
    if(commit STREQUAL "")
        set(commit unknown)
        message(STATUS "The sources' commit is unknown: neither a git checkout nor an archive "
                       "made by git archive. Set QUILLOW_SOURCE_COMMIT to name it.")
    endif()
endif()
set(QUILLOW_SOURCE_COMMIT "${commit}" CACHE INTERNAL "The commit the sources are")

# QUILLOW_SOURCE_COMMIT: the commit the sources are, for the program's version resource, so
# that a user can tell which sources to rebuild it from. git's, with "+changes" when tracked
# files differ from it; "unknown" without git. A copy of the sources made without git is told
# it in the environment variable of the same name (the test command's rebuild is). Kept in the
# cache, where the scripts read it.
if(DEFINED ENV{QUILLOW_SOURCE_COMMIT})
    set(commit "$ENV{QUILLOW_SOURCE_COMMIT}")
else()
    execute_process(COMMAND git -C ${PROJECT_SOURCE_DIR} rev-parse HEAD
                    OUTPUT_VARIABLE commit OUTPUT_STRIP_TRAILING_WHITESPACE
                    RESULT_VARIABLE status ERROR_QUIET)
    execute_process(COMMAND git -C ${PROJECT_SOURCE_DIR} status --porcelain --untracked-files=no
                    OUTPUT_VARIABLE changes ERROR_QUIET)
    if(NOT status EQUAL 0 OR commit STREQUAL "")
        set(commit unknown)
    elseif(NOT changes STREQUAL "")
        string(APPEND commit "+changes")
    endif()
endif()
set(QUILLOW_SOURCE_COMMIT "${commit}" CACHE INTERNAL "The commit the sources are")

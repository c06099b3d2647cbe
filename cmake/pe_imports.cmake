# Reading a built Windows program with objdump, for the scripts that check it
# (check_imports.cmake, check_capabilities.cmake). Include this file, then:
#
#     pe_dump(PROGRAM OBJDUMP lines)   # objdump -p's report on PROGRAM, a list of its lines
#     pe_imports(lines imports)       # the imports in that report, as DLL!function

function(pe_dump program objdump out)
    execute_process(COMMAND ${objdump} -p ${program} OUTPUT_VARIABLE dump RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${objdump} -p ${program} failed")
    endif()
    string(REPLACE ";" "," dump "${dump}")
    string(REPLACE "\n" ";" dump "${dump}")
    set(${out} "${dump}" PARENT_SCOPE)
endfunction()

# After each "DLL Name: X", lines of "vma hint name". An import by ordinal has no name, and
# comes out as X!<none>.
function(pe_imports lines out)
    set(dll "")
    set(imports "")
    foreach(line IN LISTS ${lines})
        if(line MATCHES "^\tDLL Name: (.+)$")
            set(dll ${CMAKE_MATCH_1})
        elseif(line STREQUAL "" OR NOT line MATCHES "^\t")
            set(dll "")
        elseif(dll AND line MATCHES "^\t[0-9a-f]+\t +[0-9]+ +(.+)$")
            list(APPEND imports "${dll}!${CMAKE_MATCH_1}")
        endif()
    endforeach()
    set(${out} "${imports}" PARENT_SCOPE)
endfunction()

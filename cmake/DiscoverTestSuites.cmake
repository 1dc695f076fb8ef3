# Writes CTEST_FILE: one add_test per suite that TEST_EXECUTABLE lists with --gtest_list_tests.
execute_process(COMMAND ${TEST_EXECUTABLE} --gtest_list_tests
                OUTPUT_VARIABLE listing RESULT_VARIABLE result ERROR_QUIET TIMEOUT 60)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${TEST_EXECUTABLE} --gtest_list_tests failed: ${result}")
endif()
string(REPLACE "\n" ";" lines "${listing}")
set(content "")
foreach(line IN LISTS lines)
    # Suite lines start in the first column ("Suite." or "Prefix/Suite.  # TypeParam = ...").
    if(line MATCHES "^([A-Za-z_][A-Za-z0-9_/]*)\\.")
        set(suite ${CMAKE_MATCH_1})
        set(name ${TEST_PREFIX}${suite})
        string(APPEND content
            "add_test([=[${name}]=] [=[${TEST_EXECUTABLE}]=] [=[--gtest_filter=${suite}.*]=])\n"
            "set_tests_properties([=[${name}]=] PROPERTIES ENVIRONMENT [=[${TEST_ENVIRONMENT}]=])\n")
        # The end-to-end suites wait on the unit's real 55 ms ticks: started first, they run
        # beside the others instead of after them (ctest starts the costliest tests first).
        if(suite MATCHES "EndToEnd")
            string(APPEND content "set_tests_properties([=[${name}]=] PROPERTIES COST 1000)\n")
        endif()
    endif()
endforeach()
file(WRITE ${CTEST_FILE} "${content}")

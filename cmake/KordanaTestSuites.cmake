# Registers one ctest test per GoogleTest suite of a test program (`Suite.*`), named after the
# program's folder ("gui.CouplingPages"). One process per
# suite instead of one per case: the window tests build a whole window per case, and starting
# a Qt program hundreds of times cost more than the cases themselves. The suites are listed
# when ctest starts, again whenever the program is newer than the last listing.
set(KORDANA_DISCOVER_SUITES_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/DiscoverTestSuites.cmake)

function(kordana_add_test_suites target environment)
    string(REGEX REPLACE "^tests_" "" prefix ${target})
    set(include_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_include.cmake)
    set(suites_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_suites.cmake)
    file(GENERATE OUTPUT ${include_file} CONTENT
"set(exe [=[$<TARGET_FILE:${target}>]=])
set(suites [=[${suites_file}]=])
if(NOT EXISTS \${exe})
    add_test([=[${target}_NOT_BUILT]=] [=[${target}_NOT_BUILT]=])
    return()
endif()
if(NOT EXISTS \${suites} OR \${exe} IS_NEWER_THAN \${suites})
    execute_process(COMMAND [=[${CMAKE_COMMAND}]=] -D TEST_EXECUTABLE=\${exe}
        -D CTEST_FILE=\${suites} -D TEST_PREFIX=${prefix}.
        [=[-D TEST_ENVIRONMENT=${environment}]=]
        -P [=[${KORDANA_DISCOVER_SUITES_SCRIPT}]=] RESULT_VARIABLE listed)
    if(NOT listed EQUAL 0)
        file(REMOVE \${suites})
        add_test([=[${target}_NOT_LISTED]=] \${exe} --gtest_list_tests)
        return()
    endif()
endif()
include(\${suites})
")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${include_file})
endfunction()

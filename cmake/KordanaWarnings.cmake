# Warnings for every target; the core targets add the strict byte-arithmetic set.
function(kordana_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
endfunction()

function(kordana_core_warnings target)
    kordana_warnings(${target})
    target_compile_options(${target} PRIVATE -Werror -Wconversion -Wsign-conversion)
endfunction()

# Sources of a folder: every .cpp/.h directly inside it (new files need no CMake edit).
function(kordana_sources out dir)
    file(GLOB srcs CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
    set(${out} ${srcs} PARENT_SCOPE)
endfunction()

# A static library of a folder's sources; a folder with none yet gets an empty unit
# so that the targets depending on it still link.
function(kordana_add_library target dir)
    kordana_sources(srcs ${dir})
    file(GLOB cpps CONFIGURE_DEPENDS ${dir}/*.cpp)
    if(NOT cpps)
        set(stub ${CMAKE_CURRENT_BINARY_DIR}/${target}_empty.cpp)
        file(WRITE ${stub} "// no sources yet\n")
        list(APPEND srcs ${stub})
    endif()
    add_library(${target} STATIC ${srcs})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()

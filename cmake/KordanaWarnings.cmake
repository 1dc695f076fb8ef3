# Warnings for every target, as errors; the core targets add the strict byte-arithmetic set.
function(kordana_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
    if((KORDANA_SANITIZE OR KORDANA_FUZZ) AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        # The sanitizers' instrumentation makes GCC see uninitialised members inside the
        # standard library's own code (std::regex, std::function) that are not there.
        target_compile_options(${target} PRIVATE -Wno-maybe-uninitialized)
    endif()
endfunction()

function(kordana_core_warnings target)
    kordana_warnings(${target})
    target_compile_options(${target} PRIVATE -Wconversion -Wsign-conversion)
endfunction()

# Sources of a folder: every .cpp/.h directly inside it (new files need no CMake edit).
function(kordana_sources out dir)
    file(GLOB srcs CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
    set(${out} ${srcs} PARENT_SCOPE)
endfunction()

# Makes the headers directly inside `dir` includable as "<folder path>/Name.h" for `target` and
# (PUBLIC) for whatever links it, and nothing else of the source tree: each target gets an
# include root of its own holding links to its own headers only, so an include of a folder the
# target does not depend on fails to compile.
function(kordana_export_headers target dir scope)
    file(RELATIVE_PATH rel ${PROJECT_SOURCE_DIR} ${dir})
    set(root ${CMAKE_BINARY_DIR}/include/${target})
    file(GLOB headers CONFIGURE_DEPENDS ${dir}/*.h)
    file(REMOVE_RECURSE ${root})
    file(MAKE_DIRECTORY ${root}/${rel})
    foreach(header ${headers})
        get_filename_component(name ${header} NAME)
        file(CREATE_LINK ${header} ${root}/${rel}/${name} SYMBOLIC)
    endforeach()
    target_include_directories(${target} ${scope} ${root})
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
    kordana_export_headers(${target} ${dir} PUBLIC)
endfunction()

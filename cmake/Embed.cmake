# Turns every picture under a folder into a byte array compiled into the game:
# "track.png" becomes Images::track_png with its length Images::track_png_length.
# Adding a picture is adding a file; re-run cmake (the glob re-checks at build time).
# Images::all lists every file with its name, for the tools that go through them all.

if(CMAKE_CROSSCOMPILING)
    # The browser build's compiler makes programs this machine cannot run: the tool is compiled
    # natively, before anything that it embeds.
    find_program(BRICKWRATH_HOST_CXX NAMES c++ g++ clang++ REQUIRED NO_CMAKE_FIND_ROOT_PATH)
    set(embedfile "${CMAKE_BINARY_DIR}/host/brickwrath_embedfile")
    add_custom_command(OUTPUT "${embedfile}"
        COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_BINARY_DIR}/host"
        COMMAND ${BRICKWRATH_HOST_CXX} -O2 -std=c++17 "${CMAKE_CURRENT_LIST_DIR}/EmbedFile.cpp" -o "${embedfile}"
        DEPENDS "${CMAKE_CURRENT_LIST_DIR}/EmbedFile.cpp"
        COMMENT "Building the embedding tool for this machine"
        VERBATIM)
    add_custom_target(brickwrath_embedfile_host DEPENDS "${embedfile}")
    set(BRICKWRATH_EMBEDFILE "${embedfile}")
    set(BRICKWRATH_EMBEDFILE_DEPENDS brickwrath_embedfile_host "${embedfile}")
else()
    add_executable(brickwrath_embedfile ${CMAKE_CURRENT_LIST_DIR}/EmbedFile.cpp)
    set(BRICKWRATH_EMBEDFILE brickwrath_embedfile)
    set(BRICKWRATH_EMBEDFILE_DEPENDS brickwrath_embedfile)
endif()

# Rewrites a generated file only when its content changes, so that nothing rebuilds for nothing.
function(brickwrath_write_if_changed path content)
    set(old "")
    if(EXISTS "${path}")
        file(READ "${path}" old)
    endif()
    if(NOT "${old}" STREQUAL "${content}")
        file(WRITE "${path}" "${content}")
    endif()
endfunction()

function(brickwrath_embed target namespace folder)
    file(GLOB files CONFIGURE_DEPENDS "${folder}/*.png" "${folder}/*.jpg")
    list(SORT files)
    set(outdir "${CMAKE_BINARY_DIR}/generated/draw/assets")
    set(header "${outdir}/${namespace}.h")
    set(declarations "")
    set(sources "")
    set(entries "")
    foreach(file IN LISTS files)
        get_filename_component(name "${file}" NAME)
        string(MAKE_C_IDENTIFIER "${name}" symbol)
        set(source "${outdir}/${namespace}_${symbol}.cpp")
        add_custom_command(
            OUTPUT "${source}"
            COMMAND ${BRICKWRATH_EMBEDFILE} "${file}" "${namespace}" "${symbol}" "${source}"
            DEPENDS ${BRICKWRATH_EMBEDFILE_DEPENDS} "${file}"
            COMMENT "Embedding ${name}"
            VERBATIM)
        list(APPEND sources "${source}")
        string(APPEND declarations
            "extern const unsigned char ${symbol}[];\nextern const unsigned int ${symbol}_length;\n")
        string(APPEND entries "    {\"${symbol}\", ${symbol}, ${symbol}_length},\n")
    endforeach()
    list(LENGTH files count)
    set(content "// Generated from the files in ${folder}; do not edit.\n#pragma once\n\nnamespace ${namespace} {\n${declarations}
struct File {\n    const char* name;\n    const unsigned char* data;\n    unsigned int length;\n};\nconstexpr unsigned int count = ${count};\nextern const File all[count];\n}\n")
    set(catalogue "${outdir}/${namespace}_all.cpp")
    brickwrath_write_if_changed("${catalogue}" "// Generated; do not edit.\n#include \"draw/assets/${namespace}.h\"\n\nnamespace ${namespace} {\nconst File all[count] = {\n${entries}};\n}\n")
    list(APPEND sources "${catalogue}")
    brickwrath_write_if_changed("${header}" "${content}")
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC "${CMAKE_BINARY_DIR}/generated")
endfunction()

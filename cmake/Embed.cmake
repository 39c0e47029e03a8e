# Turns every picture under a folder into a byte array compiled into the game:
# "track.png" becomes Images::track_png with its length Images::track_png_length.
# Adding a picture is adding a file; re-run cmake (the glob re-checks at build time).

add_executable(brickwrath_embedfile ${CMAKE_CURRENT_LIST_DIR}/EmbedFile.cpp)

function(brickwrath_embed target namespace folder)
    file(GLOB files CONFIGURE_DEPENDS "${folder}/*.png" "${folder}/*.jpg")
    list(SORT files)
    set(outdir "${CMAKE_BINARY_DIR}/generated/draw/assets")
    set(header "${outdir}/${namespace}.h")
    set(declarations "")
    set(sources "")
    foreach(file IN LISTS files)
        get_filename_component(name "${file}" NAME)
        string(MAKE_C_IDENTIFIER "${name}" symbol)
        set(source "${outdir}/${namespace}_${symbol}.cpp")
        add_custom_command(
            OUTPUT "${source}"
            COMMAND brickwrath_embedfile "${file}" "${namespace}" "${symbol}" "${source}"
            DEPENDS brickwrath_embedfile "${file}"
            COMMENT "Embedding ${name}"
            VERBATIM)
        list(APPEND sources "${source}")
        string(APPEND declarations
            "extern const unsigned char ${symbol}[];\nextern const unsigned int ${symbol}_length;\n")
    endforeach()
    set(content "// Generated from the files in ${folder}; do not edit.\n#pragma once\n\nnamespace ${namespace} {\n${declarations}}\n")
    if(EXISTS "${header}")
        file(READ "${header}" old)
    endif()
    if(NOT "${old}" STREQUAL "${content}")
        file(WRITE "${header}" "${content}")
    endif()
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC "${CMAKE_BINARY_DIR}/generated")
endfunction()

# libogg and libvorbis compiled from Debian's source packages, and stb_image's header from Debian's
# libstb-dev: what the browser and Windows builds take from Debian's sources rather than from the
# machine's libraries (scripts/debian-sources.sh fetches them). Included by Web.cmake and Windows.cmake.

set(BRICKWRATH_OGG_SOURCE_DIR "" CACHE PATH "Unpacked Debian source package of libogg")
set(BRICKWRATH_VORBIS_SOURCE_DIR "" CACHE PATH "Unpacked Debian source package of libvorbis")
foreach(folder BRICKWRATH_OGG_SOURCE_DIR BRICKWRATH_VORBIS_SOURCE_DIR)
    if(NOT EXISTS "${${folder}}/include")
        message(FATAL_ERROR "${folder} must name an unpacked source package (scripts/debian-sources.sh fetches them)")
    endif()
endforeach()

# The cross compilers do not search the machine's /usr/include, and must not: only stb's header is
# taken from there, through a folder of its own.
find_file(BRICKWRATH_STB_IMAGE stb_image.h PATHS /usr/include /usr/include/stb NO_CMAKE_FIND_ROOT_PATH NO_DEFAULT_PATH)
if(NOT BRICKWRATH_STB_IMAGE)
    message(FATAL_ERROR "stb_image.h not found: install libstb-dev")
endif()
file(MAKE_DIRECTORY "${CMAKE_BINARY_DIR}/stb")
file(CREATE_LINK "${BRICKWRATH_STB_IMAGE}" "${CMAKE_BINARY_DIR}/stb/stb_image.h" COPY_ON_ERROR SYMBOLIC)

# libogg's configure step only writes the integer types, the same on wasm32 and on 64-bit Windows.
set(ogg_generated "${CMAKE_BINARY_DIR}/generated/ogg")
file(MAKE_DIRECTORY "${ogg_generated}/ogg")
brickwrath_write_if_changed("${ogg_generated}/ogg/config_types.h" "#ifndef __CONFIG_TYPES_H__
#define __CONFIG_TYPES_H__
#include <stdint.h>
typedef int16_t ogg_int16_t;
typedef uint16_t ogg_uint16_t;
typedef int32_t ogg_int32_t;
typedef uint32_t ogg_uint32_t;
typedef int64_t ogg_int64_t;
typedef uint64_t ogg_uint64_t;
#endif
")
add_library(brickwrath_ogg STATIC
    ${BRICKWRATH_OGG_SOURCE_DIR}/src/bitwise.c
    ${BRICKWRATH_OGG_SOURCE_DIR}/src/framing.c)
target_include_directories(brickwrath_ogg SYSTEM PUBLIC ${BRICKWRATH_OGG_SOURCE_DIR}/include ${ogg_generated})

# The decoder's files only; the encoder and the tuning tools are left out.
set(vorbis_files analysis bitrate block codebook envelope floor0 floor1 info lookup lpc lsp mapping0 mdct
    psy registry res0 sharedbook smallft synthesis window vorbisfile)
list(TRANSFORM vorbis_files PREPEND ${BRICKWRATH_VORBIS_SOURCE_DIR}/lib/)
list(TRANSFORM vorbis_files APPEND .c)
add_library(brickwrath_vorbis STATIC ${vorbis_files})
target_include_directories(brickwrath_vorbis SYSTEM PUBLIC ${BRICKWRATH_VORBIS_SOURCE_DIR}/include
    PRIVATE ${BRICKWRATH_VORBIS_SOURCE_DIR}/lib)
# MinGW has alloca in malloc.h, which vorbis's os.h takes on Windows.
if(NOT WIN32)
    target_compile_definitions(brickwrath_vorbis PRIVATE HAVE_ALLOCA_H)
endif()
# Their code, their warnings: none of them is ours to fix.
target_compile_options(brickwrath_vorbis PRIVATE -w)
target_compile_options(brickwrath_ogg PRIVATE -w)
target_link_libraries(brickwrath_vorbis PUBLIC brickwrath_ogg)


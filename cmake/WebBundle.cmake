# The browser bundle: the page (index.html, its style and scripts, icons and web app manifest),
# brickwrath.js, brickwrath.wasm, brickwrath.data (the sounds, in the page's file system under
# /brickwrath) and sw.js, the service worker that keeps them all for offline play: static files that
# any web server can host, written to BRICKWRATH_WEB_BUNDLE (scripts/web.sh: build-web/, with CMake's
# own files in build-web/cmake/).
set(BRICKWRATH_WEB_BUNDLE "${CMAKE_BINARY_DIR}/bundle" CACHE PATH "Folder the browser bundle is written to")

set(web_sounds "")
foreach(file IN LISTS BRICKWRATH_SOUND_FILES)
    get_filename_component(name "${file}" NAME)
    list(APPEND web_sounds "SHELL:--preload-file ${file}@/brickwrath/Contents/Resources/sounds/${name}")
endforeach()
target_link_options(brickwrath PRIVATE ${web_sounds})
set_property(TARGET brickwrath APPEND PROPERTY LINK_DEPENDS ${BRICKWRATH_SOUND_FILES} ${BRICKWRATH_WEB_STORAGE})
set_target_properties(brickwrath PROPERTIES SUFFIX ".js" RUNTIME_OUTPUT_DIRECTORY "${BRICKWRATH_WEB_BUNDLE}")

set(page_files index.html page.css page.js sound.js touch.js manifest.webmanifest icon-192.png icon-512.png)
set(page_outputs "")
foreach(file IN LISTS page_files)
    add_custom_command(OUTPUT "${BRICKWRATH_WEB_BUNDLE}/${file}"
        COMMAND ${CMAKE_COMMAND} -E copy "${CMAKE_SOURCE_DIR}/web/${file}" "${BRICKWRATH_WEB_BUNDLE}/${file}"
        DEPENDS "${CMAKE_SOURCE_DIR}/web/${file}" VERBATIM)
    list(APPEND page_outputs "${BRICKWRATH_WEB_BUNDLE}/${file}")
endforeach()
add_custom_command(OUTPUT "${BRICKWRATH_WEB_BUNDLE}/favicon.png"
    COMMAND ${CMAKE_COMMAND} -E copy "${CMAKE_SOURCE_DIR}/data/icons/32/brickwrath.png" "${BRICKWRATH_WEB_BUNDLE}/favicon.png"
    DEPENDS "${CMAKE_SOURCE_DIR}/data/icons/32/brickwrath.png" VERBATIM)
list(APPEND page_outputs "${BRICKWRATH_WEB_BUNDLE}/favicon.png")

# Written last, from every other file of the bundle: its cache is named after their hash.
add_custom_command(OUTPUT "${BRICKWRATH_WEB_BUNDLE}/sw.js"
    COMMAND ${CMAKE_COMMAND} -DBUNDLE=${BRICKWRATH_WEB_BUNDLE} -DTEMPLATE=${CMAKE_SOURCE_DIR}/web/sw.js
        -DVERSION=${PROJECT_VERSION} -P ${CMAKE_SOURCE_DIR}/cmake/WebServiceWorker.cmake
    DEPENDS ${page_outputs} brickwrath "${CMAKE_SOURCE_DIR}/web/sw.js" "${CMAKE_SOURCE_DIR}/cmake/WebServiceWorker.cmake"
    VERBATIM)
add_custom_target(brickwrath_page ALL DEPENDS ${page_outputs} "${BRICKWRATH_WEB_BUNDLE}/sw.js")

# Writes the browser bundle's service worker, sw.js, from its template. The cache it keeps is named
# after the build, "brickwrath-<version>-<hash of the template and of every file at the top of the
# bundle>", so that any changed file makes a new cache; the files it lists are those same files.
# Run at build time, once the rest of the bundle is written:
#   cmake -DBUNDLE=<bundle folder> -DTEMPLATE=web/sw.js -DVERSION=<version> -P cmake/WebServiceWorker.cmake
foreach(input BUNDLE TEMPLATE VERSION)
    if(NOT DEFINED ${input})
        message(FATAL_ERROR "WebServiceWorker.cmake needs -D${input}=")
    endif()
endforeach()

file(GLOB entries RELATIVE "${BUNDLE}" "${BUNDLE}/*")
list(SORT entries)
file(SHA256 "${TEMPLATE}" sum)
set(hashed "sw.js ${sum}\n")
set(listed "")
foreach(entry IN LISTS entries)
    if(IS_DIRECTORY "${BUNDLE}/${entry}" OR entry STREQUAL "sw.js")
        continue()
    endif()
    file(SHA256 "${BUNDLE}/${entry}" sum)
    string(APPEND hashed "${entry} ${sum}\n")
    list(APPEND listed "'${entry}'")
endforeach()
string(SHA256 build "${hashed}")
string(SUBSTRING "${build}" 0 16 build)
set(BRICKWRATH_CACHE_NAME "brickwrath-${VERSION}-${build}")
list(JOIN listed ", " BRICKWRATH_CACHED_FILES)
configure_file("${TEMPLATE}" "${BUNDLE}/sw.js" @ONLY)
message(STATUS "Service worker cache: ${BRICKWRATH_CACHE_NAME}")

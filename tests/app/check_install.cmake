# Installs the build into a scratch folder and checks what a desktop needs
# of it: the player, a valid menu entry, the theme icons, valid AppStream
# metainfo and the manual page.
# cmake -DBUILD_DIR=<build folder> -DSTAGE=<scratch folder> -P check_install.cmake
file(REMOVE_RECURSE "${STAGE}")
execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${STAGE}
        ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix /usr
    RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(share "${STAGE}/usr/share")
set(expected "${STAGE}/usr/bin/velmora" "${share}/applications/velmora.desktop"
    "${share}/icons/hicolor/scalable/apps/velmora.svg" "${share}/man/man1/velmora.1"
    "${share}/metainfo/org.olvistra.Velmora.metainfo.xml")
foreach(size 16 22 24 32 48 64 128 256)
    list(APPEND expected "${share}/icons/hicolor/${size}x${size}/apps/velmora.png")
endforeach()
foreach(path IN LISTS expected)
    if(NOT EXISTS "${path}")
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()

foreach(check
        "desktop-file-validate;${share}/applications/velmora.desktop"
        "appstreamcli;validate;--no-net;${share}/metainfo/org.olvistra.Velmora.metainfo.xml")
    execute_process(COMMAND ${check} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${check} failed:\n${out}")
    endif()
endforeach()

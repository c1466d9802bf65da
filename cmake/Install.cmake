# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Lutaris authors
# What `cmake --install` puts where a Linux desktop looks for it, and the Debian package that
# `cpack -G DEB` makes of the same files.
include(GNUInstallDirs)

set(LUTARIS_APP_ID org.lutaris.Lutaris)
set(LUTARIS_DATA_DIR ${CMAKE_SOURCE_DIR}/data)
set(LUTARIS_GENERATED_DIR ${CMAKE_BINARY_DIR}/install-data)
# Whatever the umask of the machine that builds, the installed tree reads as a package's does.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
    GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# The icon theme's sizes, drawn by the program's own artwork code.
set(LUTARIS_ICON_SIZES 16 22 24 32 48 64 128 256)
set(LUTARIS_ICONS)
foreach(size ${LUTARIS_ICON_SIZES})
    list(APPEND LUTARIS_ICONS
        ${LUTARIS_GENERATED_DIR}/icons/${size}x${size}/apps/${LUTARIS_APP_ID}.png)
endforeach()
add_custom_command(OUTPUT ${LUTARIS_ICONS}
    # Qt's and fontconfig's caches live as long as the process: no leak report in a sanitizer
    # build, where this program runs as part of the build.
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
        $<TARGET_FILE:lutaris-program-icons> ${LUTARIS_GENERATED_DIR}/icons ${LUTARIS_APP_ID}
    DEPENDS lutaris-program-icons
    COMMENT "Drawing the program icons" VERBATIM)

# Manual pages and the changelog, compressed as Debian keeps them (no name or time inside).
set(LUTARIS_COMPRESSED)
foreach(file lutaris.1 lutaris-cli.1 changelog)
    set(compressed ${LUTARIS_GENERATED_DIR}/${file}.gz)
    add_custom_command(OUTPUT ${compressed}
        COMMAND sh -c "gzip -9nc \"$1\" > \"$2\"" sh ${LUTARIS_DATA_DIR}/${file} ${compressed}
        DEPENDS ${LUTARIS_DATA_DIR}/${file} VERBATIM)
    list(APPEND LUTARIS_COMPRESSED ${compressed})
endforeach()
add_custom_target(lutaris-install-data ALL DEPENDS ${LUTARIS_ICONS} ${LUTARIS_COMPRESSED})

install(TARGETS lutaris lutaris-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The FluidSynth module, where the programs look for it: ../lib/lutaris/modules from their
# folder. A folder below lib/lutaris, because the package would otherwise run ldconfig for a
# library that nothing links.
install(TARGETS lutaris-sound-fluid LIBRARY DESTINATION lib/lutaris/modules)
install(FILES ${LUTARIS_DATA_DIR}/${LUTARIS_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${LUTARIS_DATA_DIR}/${LUTARIS_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${LUTARIS_GENERATED_DIR}/icons/
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${LUTARIS_GENERATED_DIR}/lutaris.1.gz ${LUTARIS_GENERATED_DIR}/lutaris-cli.1.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${LUTARIS_DATA_DIR}/copyright ${LUTARIS_GENERATED_DIR}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/lutaris)
# The embedding server's D-Bus service file and class record, naming the installed program.
install(CODE "set(LUTARIS_INSTALL_BINDIR \"${CMAKE_INSTALL_BINDIR}\")
set(LUTARIS_INSTALL_DATADIR \"${CMAKE_INSTALL_DATADIR}\")")
install(SCRIPT ${CMAKE_SOURCE_DIR}/cmake/InstallServerRegistration.cmake)

set(CPACK_PACKAGE_NAME lutaris)
set(CPACK_PACKAGE_VENDOR "Lutaris authors")
set(CPACK_PACKAGE_CONTACT "Lutaris maintainers <maintainers@lutaris.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "guitar tablature editor")
# The long description below the summary line, in lines of at most 80 characters.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Lutaris edits guitar tablature: tab items of string lines on which fret"
    "numbers are typed at a caret, each note with one playing technique (bends,"
    "slides, hammer-ons, pull-offs, mutes, vibrato, taps, harmonics). It prints,"
    "exports and imports plain text tablature, plays the tab through FluidSynth and"
    "exports it as MIDI or audio."
    "lutaris-cli edits, converts and draws the documents in scripts.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from the binaries (FluidSynth's from the sound module); the fonts and the
# General MIDI soundfont are loaded by name, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, timgm6mb-soundfont")
include(CPack)

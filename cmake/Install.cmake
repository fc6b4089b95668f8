# Installs the program with its desktop entry, icons, AppStream metainfo and man page in the
# freedesktop locations under CMAKE_INSTALL_PREFIX.
include(GNUInstallDirs)
set(TINSORI_APP_ID org.quillfen.Tinsori)
set(TINSORI_DATA ${PROJECT_SOURCE_DIR}/data)
set(TINSORI_ICONS ${PROJECT_SOURCE_DIR}/src/ui/resources/icons)

if(TARGET tinsori)
    install(TARGETS tinsori RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

    # The man page's options are the program's own --help, so they never drift; the include
    # file adds what --help leaves out (keys, exit status, environment, files, examples).
    find_program(HELP2MAN_PROGRAM help2man)
    if(HELP2MAN_PROGRAM)
        set(man_page ${PROJECT_BINARY_DIR}/tinsori.1)
        set(man_include ${TINSORI_DATA}/tinsori.h2m)
        add_custom_command(OUTPUT ${man_page}
            # --help names the profile in use: the page shows the default's documented form.
            COMMAND ${CMAKE_COMMAND} -E env "TINSORI_PROFILE=\$XDG_CONFIG_HOME/tinsori/profile.db"
                ${HELP2MAN_PROGRAM} --no-info --section=1 --include=${man_include}
                --name=generative\ wind-chime\ player --output=${man_page} $<TARGET_FILE:tinsori>
            # --help also names the soundfont this machine has, or "none found" on a build
            # machine without one: the page shows the default every installed system looks for.
            COMMAND sed -i "s|^Soundfont: .*|Soundfont: \\\\fI/usr/share/sounds/sf2/default\\\\-GM.sf2\\\\fP|"
                ${man_page}
            DEPENDS tinsori ${man_include}
            COMMENT "Writing the man page from tinsori --help"
            VERBATIM)
        add_custom_target(tinsori_man ALL DEPENDS ${man_page})
        install(FILES ${man_page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    else()
        message(NOTICE "help2man not found: no man page (scripts/install-deps installs it)")
    endif()
endif()

install(FILES ${TINSORI_DATA}/${TINSORI_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

# The date of the release PROJECT_VERSION names: change the two together.
set(TINSORI_RELEASE_DATE 2026-12-09)
configure_file(${TINSORI_DATA}/${TINSORI_APP_ID}.metainfo.xml.in
    ${PROJECT_BINARY_DIR}/${TINSORI_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/${TINSORI_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

install(FILES ${TINSORI_ICONS}/tinsori.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${TINSORI_APP_ID}.svg)
foreach(size 16 24 32 48 64 128 256)
    install(FILES ${TINSORI_ICONS}/tinsori-${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
        RENAME ${TINSORI_APP_ID}.png)
endforeach()

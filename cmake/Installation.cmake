# Install rules and the Debian package. Everything the program reads at run time is found
# relative to it (fichiers/Donnees.h): <prefix>/bin/ovrel5 finds <prefix>/share/ovrel5/data, so
# an installed tree can be moved as a whole.
include(GNUInstallDirs)
file(MAKE_DIRECTORY "${PROJECT_BINARY_DIR}/packaging")
set(OVREL_ID org.ovrel5.Ovrel5) # desktop entry, icon and AppStream component
set(OVREL_PARTAGE "${CMAKE_INSTALL_DATADIR}/ovrel5")
set(OVREL_DOC "${CMAKE_INSTALL_DATADIR}/doc/ovrel5")
set(paquet "${PROJECT_SOURCE_DIR}/packaging")

install(FILES data/voix1.wav data/voix2.wav data/README.md DESTINATION "${OVREL_PARTAGE}/data")
# README and docs/ side by side, so that the README's pictures and links still resolve.
install(FILES README.md DESTINATION "${OVREL_PARTAGE}")
install(DIRECTORY docs/ DESTINATION "${OVREL_PARTAGE}/docs")
install(FILES "${paquet}/copyright" DESTINATION "${OVREL_DOC}")

# Debian wants the changelog and man pages compressed, reproducibly (gzip -n).
function(ovrel_gzip source cible)
    add_custom_command(OUTPUT "${cible}" COMMAND gzip -9nc "${source}" > "${cible}"
                       DEPENDS "${source}" VERBATIM)
endfunction()
set(changelog "${PROJECT_BINARY_DIR}/packaging/changelog.gz")
ovrel_gzip("${paquet}/changelog" "${changelog}")
set(compresses "${changelog}")
install(FILES "${changelog}" DESTINATION "${OVREL_DOC}")

if(TARGET ovrel5)
    install(TARGETS ovrel5 RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
    install(FILES "${paquet}/${OVREL_ID}.desktop" DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
    install(FILES "${paquet}/${OVREL_ID}.svg"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")
    install(FILES "${paquet}/${OVREL_ID}.metainfo.xml" DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
    # The man page quotes the program's own --help, written once the program is built.
    set(page "${PROJECT_BINARY_DIR}/packaging/ovrel5.1")
    add_custom_command(
        OUTPUT "${page}"
        COMMAND "${CMAKE_COMMAND}" -DPROGRAMME=$<TARGET_FILE:ovrel5> -DMODELE=${paquet}/ovrel5.1.in
                -DSORTIE=${page} -DVERSION=${PROJECT_VERSION}
                -P "${PROJECT_SOURCE_DIR}/cmake/PageManuel.cmake"
        DEPENDS ovrel5 "${paquet}/ovrel5.1.in" "${PROJECT_SOURCE_DIR}/cmake/PageManuel.cmake"
        VERBATIM)
    ovrel_gzip("${page}" "${page}.gz")
    list(APPEND compresses "${page}.gz")
    install(FILES "${page}.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
endif()
# The Python module where Debian's python3 looks (PYTHONPATH=<prefix>/lib/python3/dist-packages
# elsewhere); it finds the example voices from there (fichiers/Donnees.h).
if(TARGET ovrel5_python)
    install(TARGETS ovrel5_python LIBRARY DESTINATION lib/python3/dist-packages)
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS python3-numpy)
endif()
# Qt's own texts (standard dialogs) in the chosen language; the program's are built in.
list(APPEND CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
string(REPLACE ";" ", " CPACK_DEBIAN_PACKAGE_RECOMMENDS "${CPACK_DEBIAN_PACKAGE_RECOMMENDS}")
add_custom_target(ovrel_paquet_fichiers ALL DEPENDS ${compresses})

# `cpack -G DEB` in the build folder: the dependencies come from the libraries the program
# links (dpkg-shlibdeps).
set(CPACK_PACKAGE_NAME ovrel5)
set(CPACK_PACKAGE_VENDOR "Ovrel 5")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "blind source separation of two signals by interval analysis")
set(CPACK_PACKAGE_CONTACT "Ovrel 5 maintainers <maintainers@users.noreply.c-seed-4434fc03.example>")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so invisible to dpkg-shlibdeps: without Qt's platform plugins (only
# recommended by libqt6gui6) the window cannot open.
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# CPack writes the summary as the first line itself.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Ovrel 5 is a workbench for blind source separation of an instantaneous linear
mixture of two signals, with a French user interface. An interval-analysis
solver (SIVIA) paves the plane of demixing parameters; pointing at the paving
shows the estimated sources beside the real ones. The same chain runs from
the command line with a JSON report and Monte-Carlo studies.")
include(CPack)

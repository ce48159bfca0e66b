# Desktop integration files and the Debian package (make package).
include(GNUInstallDirs)

set(VELMORA_DIST ${PROJECT_SOURCE_DIR}/dist)
install(FILES ${VELMORA_DIST}/org.velmora.Velmora.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VELMORA_DIST}/org.velmora.Velmora.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${VELMORA_DIST}/org.velmora.Velmora.mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME org.velmora.Velmora.xml)
install(DIRECTORY ${VELMORA_DIST}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${VELMORA_DIST}/velmora-export.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Who answers for the package, and where the project lives; the desktop metainfo and the
# manual page name the same.
set(VELMORA_MAINTAINER "Velmora developers <developers@velmora.org>")
set(VELMORA_HOMEPAGE "https://velmora.org/")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VENDOR "Velmora")
set(CPACK_PACKAGE_CONTACT "${VELMORA_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VELMORA_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "design and print calendar pages")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Velmora designs printable calendar pages: month grids with mini calendars, sheets of\n"
       "mini calendars, week and day planners, with text and icons in the day cells, text\n"
       "labels, pictures and clip art, gradient and textured titles, floating mini calendars,\n"
       "recurring dates and holidays. velmora-export renders pages without a display.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_PACKAGE_HOMEPAGE_URL "${VELMORA_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${VELMORA_HOMEPAGE}")
# The libraries come from dpkg-shlibdeps; what is loaded at run time is named here: the
# platform plugins of the Qt GUI, and the fonts documents name.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-image-formats-plugins")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "openclipart-svg, openclipart-png")
include(CPack)

# The Debian package (cpack -G DEB): what lintian asks of a package beyond
# the installed files, a changelog and a machine-readable copyright file in
# the documentation directory, a maintainer with a real mail host, and a
# description within 80 columns.
set(SCENARI_MAINTAINER "scenari developers <scenari@example.org>" CACHE STRING
    "Maintainer of the Debian package, as \"Name <address>\"")
# A revision makes the package non-native, so its changelog is the Debian
# one. The package is built here rather than uploaded to Debian: its revision
# sorts before the -1 of a Debian upload of the same version.
set(SCENARI_DEB_RELEASE 0local1 CACHE STRING "Debian revision of the package")
set(SCENARI_DEB_VERSION ${PROJECT_VERSION}-${SCENARI_DEB_RELEASE})

scenari_installa_configurato(${CMAKE_CURRENT_LIST_DIR}/changelog.in changelog.Debian
                             ${CMAKE_INSTALL_DOCDIR} GZ)
scenari_installa_configurato(${CMAKE_CURRENT_LIST_DIR}/copyright copyright
                             ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_CONTACT ${SCENARI_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION
    "scenari-tool serves the authors of scenarios for a train-driving simulator.
It writes a template of a scenario's two description texts, checks them and
reports every problem with its file, line and column, compiles them into the
three binary files the simulator loads, decodes those files and draws the
route as SVG or as an interactive HTML page. It also serves the Language
Server Protocol, so that an editor shows the problems as the author types.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${SCENARI_DEB_RELEASE})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# dpkg-shlibdeps fills Depends from the libraries the executable links.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

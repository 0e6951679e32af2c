# Installing scenari-tool as a Debian program: the executable in bin, its man
# page, its bash completion and the authors' documentation; and the Debian
# package made of the same files (cpack -G DEB). scenari itself is not
# installed: it writes its files beside itself.
include(GNUInstallDirs)

install(TARGETS scenari-tool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/docs/scenari-tool.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/docs/completion/scenari-tool
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/docs/testi.md
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/scenari)

set(CPACK_PACKAGE_NAME scenari)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "scenario compiler for a train-driving simulator")
set(CPACK_PACKAGE_DESCRIPTION
    "scenari-tool compiles, checks, decodes and draws the scenarios of a train-driving simulator.")
set(CPACK_PACKAGE_CONTACT "scenari developers <scenari@localhost>")
set(CPACK_PACKAGE_FILE_NAME "scenari_${PROJECT_VERSION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# dpkg-shlibdeps fills Depends from the libraries the executable links.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)

# The install tree, checked in a scratch DESTDIR.
if(SCENARI_TESTS)
  add_test(NAME installazione
           COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${PROJECT_BINARY_DIR}
                   -P ${PROJECT_SOURCE_DIR}/cmake/verifica_installazione.cmake)
endif()

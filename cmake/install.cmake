# Installing scenari-tool: the executable in bin, its server program in
# libexec, its man page, its shell completions and the authors'
# documentation; then the packages made of the same files (cpack). scenari itself is not installed: it writes its files
# beside itself.
if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/install_windows.cmake)
  return()
endif()
include(GNUInstallDirs)

find_program(SCENARI_GZIP gzip REQUIRED)
set(SCENARI_ZSH_COMPLETION_DIR ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions CACHE STRING
    "Where the zsh completion is installed, relative to the prefix (a directory of zsh's fpath)")

# Installs `modello` as `nome` in `destinazione`, its @VARIABLES@ replaced
# when it is installed, so that the paths it names are those of the prefix
# actually installed into (cmake --install --prefix, or the package's /usr);
# with GZ, compressed as Debian wants documentation (gzip -9n: the same bytes
# on every build).
function(scenari_installa_configurato modello nome destinazione)
  cmake_parse_arguments(PARSE_ARGV 3 arg "GZ" "" "")
  set(uscita ${PROJECT_BINARY_DIR}/installazione/${nome})
  set(codice "
    set(PROJECT_VERSION \"${PROJECT_VERSION}\")
    set(SCENARI_DOCDIR \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DOCDIR}\")
    set(SCENARI_LIBEXECDIR \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBEXECDIR}/scenari\")
    set(SCENARI_MAINTAINER \"${SCENARI_MAINTAINER}\")
    set(SCENARI_DEB_VERSION \"${SCENARI_DEB_VERSION}\")
    configure_file(\"${modello}\" \"${uscita}\" @ONLY)")
  if(arg_GZ)
    string(APPEND codice "
    execute_process(COMMAND \"${SCENARI_GZIP}\" -9nf \"${uscita}\" COMMAND_ERROR_IS_FATAL ANY)")
    set(uscita ${uscita}.gz)
  endif()
  install(CODE "${codice}
    file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${destinazione}\" TYPE FILE
         FILES \"${uscita}\")")
endfunction()

# The Debian package's maintainer and version come first: the changelog and
# the copyright file name them.
include(${CMAKE_CURRENT_LIST_DIR}/debian/debian.cmake)

install(TARGETS scenari-tool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The server of `serve`, run by scenari-tool alone: with the package's other
# helper programs rather than on the PATH.
install(TARGETS scenari-serve RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/scenari)
scenari_installa_configurato(${PROJECT_SOURCE_DIR}/docs/scenari-tool.1.in scenari-tool.1
                             ${CMAKE_INSTALL_MANDIR}/man1 GZ)
set(completamenti ${PROJECT_SOURCE_DIR}/docs/completion)
install(FILES ${completamenti}/scenari-tool
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
install(FILES ${completamenti}/_scenari-tool DESTINATION ${SCENARI_ZSH_COMPLETION_DIR})
install(FILES ${completamenti}/scenari-tool.fish
        DESTINATION ${CMAKE_INSTALL_DATADIR}/fish/vendor_completions.d)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/docs/testi.md
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
# The Neovim configuration, for the runtimepath of an installed tool.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/editors/nvim/ DESTINATION ${CMAKE_INSTALL_DATADIR}/scenari/nvim)

set(CPACK_PACKAGE_NAME scenari)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "scenario compiler for a train-driving simulator")
set(CPACK_STRIP_FILES ON)
include(CPack)

# The install tree, checked in a scratch DESTDIR.
if(SCENARI_TESTS)
  add_test(NAME installazione
           COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${PROJECT_BINARY_DIR}
                   -P ${PROJECT_SOURCE_DIR}/cmake/verifica_installazione.cmake)
endif()

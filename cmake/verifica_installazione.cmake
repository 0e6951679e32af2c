# Installs the build in BUILD_DIR into a scratch DESTDIR, with prefix /usr as
# the Debian package does and with another prefix, and checks that the tree
# holds what a user expects, with the man page naming the documentation
# where it was installed, the tool finding its server program there, and
# nothing of scenari itself.
function(installa root prefix)
  file(REMOVE_RECURSE ${root})
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${root}
            ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
    RESULT_VARIABLE esito OUTPUT_QUIET)
  if(NOT esito EQUAL 0)
    message(FATAL_ERROR "cmake --install --prefix ${prefix} failed: ${esito}")
  endif()
endfunction()

# The installed tool under `prefix` of `root` hands `serve` to its server
# program, which is the one to find the directory missing.
function(verifica_serve root prefix)
  execute_process(COMMAND ${root}${prefix}/bin/scenari-tool serve ${root}/nessuna
                  RESULT_VARIABLE esito ERROR_VARIABLE errore)
  if(NOT esito EQUAL 1 OR NOT errore MATCHES "nessuna: no such directory")
    message(FATAL_ERROR "the tool under ${prefix} does not reach its server program: ${esito} ${errore}")
  endif()
endfunction()

# The man page of the tree at `root`, uncompressed.
function(leggi_man root uscita)
  execute_process(COMMAND gzip -dc ${root}/share/man/man1/scenari-tool.1.gz
                  OUTPUT_VARIABLE testo RESULT_VARIABLE esito)
  if(NOT esito EQUAL 0)
    message(FATAL_ERROR "the man page in ${root} is not a gzip file: ${esito}")
  endif()
  set(${uscita} "${testo}" PARENT_SCOPE)
endfunction()

set(root ${BUILD_DIR}/installazione-prova)
installa(${root} /usr)
set(attesi
    bin/scenari-tool
    libexec/scenari/scenari-serve
    share/man/man1/scenari-tool.1.gz
    share/bash-completion/completions/scenari-tool
    share/zsh/vendor-completions/_scenari-tool
    share/fish/vendor_completions.d/scenari-tool.fish
    share/doc/scenari/README.md
    share/doc/scenari/testi.md
    share/doc/scenari/copyright
    share/doc/scenari/changelog.Debian.gz)
foreach(file IN LISTS attesi)
  if(NOT EXISTS ${root}/usr/${file})
    message(FATAL_ERROR "missing from the install tree: /usr/${file}")
  endif()
endforeach()
if(EXISTS ${root}/usr/bin/scenari)
  message(FATAL_ERROR "scenari must not be installed: it writes beside itself")
endif()
execute_process(COMMAND ${root}/usr/bin/scenari-tool --version RESULT_VARIABLE esito OUTPUT_QUIET)
if(NOT esito EQUAL 0)
  message(FATAL_ERROR "the installed scenari-tool does not run: ${esito}")
endif()
leggi_man(${root}/usr man)
if(NOT man MATCHES "/usr/share/doc/scenari/testi\\.md" OR man MATCHES "@")
  message(FATAL_ERROR "the man page under /usr does not name /usr/share/doc/scenari")
endif()
verifica_serve(${root} /usr)

installa(${root} /opt/scenari)
leggi_man(${root}/opt/scenari man)
if(NOT man MATCHES "/opt/scenari/share/doc/scenari/testi\\.md" OR man MATCHES "/usr/share")
  message(FATAL_ERROR "the man page under /opt/scenari names another prefix's documentation")
endif()
verifica_serve(${root} /opt/scenari)
file(REMOVE_RECURSE ${root})

# Installs the build in BUILD_DIR into a scratch DESTDIR with prefix /usr and
# checks that the tree holds what a Debian user expects, and nothing of
# scenari itself.
set(root ${BUILD_DIR}/installazione-prova)
file(REMOVE_RECURSE ${root})
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${root}
          ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr
  RESULT_VARIABLE esito OUTPUT_QUIET)
if(NOT esito EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${esito}")
endif()

set(attesi
    usr/bin/scenari-tool
    usr/share/man/man1/scenari-tool.1
    usr/share/bash-completion/completions/scenari-tool
    usr/share/doc/scenari/README.md
    usr/share/doc/scenari/testi.md)
foreach(file IN LISTS attesi)
  if(NOT EXISTS ${root}/${file})
    message(FATAL_ERROR "missing from the install tree: /${file}")
  endif()
endforeach()
if(EXISTS ${root}/usr/bin/scenari)
  message(FATAL_ERROR "scenari must not be installed: it writes beside itself")
endif()
execute_process(COMMAND ${root}/usr/bin/scenari-tool --version RESULT_VARIABLE esito OUTPUT_QUIET)
if(NOT esito EQUAL 0)
  message(FATAL_ERROR "the installed scenari-tool does not run: ${esito}")
endif()
file(REMOVE_RECURSE ${root})

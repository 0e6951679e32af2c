# The Windows release archive (cpack -G ZIP from the windows preset):
# scenari-VERSION-windows-x64.zip with both programs and the tool's server
# program at its top, the guide for Windows users beside them and the
# authors' documentation in docs/.
install(TARGETS scenari-tool scenari-serve scenari RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/docs/windows.md DESTINATION . RENAME README-Windows.md)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/docs/testi.md DESTINATION docs)

set(CPACK_PACKAGE_NAME scenari)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME "scenari-${PROJECT_VERSION}-windows-x64")
set(CPACK_GENERATOR ZIP)
set(CPACK_STRIP_FILES ON)
include(CPack)

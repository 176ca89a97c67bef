# The Windows release archive that `make package-windows` builds with CPack: a ZIP holding
# tolvanex-batch.exe (static, no DLL beside it), the example, the licence and a short read-me.
set(windowsFiles "${PROJECT_SOURCE_DIR}/packaging/windows")
set(windowsText "${PROJECT_BINARY_DIR}/packaging/windows")
# The texts with Windows line ends.
configure_file("${PROJECT_SOURCE_DIR}/LICENSE" "${windowsText}/LICENSE.txt" @ONLY NEWLINE_STYLE CRLF)
configure_file("${windowsFiles}/README.txt" "${windowsText}/README.txt" @ONLY NEWLINE_STYLE CRLF)
install(TARGETS tolvanex-batch RUNTIME DESTINATION .)
install(FILES "${windowsText}/LICENSE.txt" "${windowsText}/README.txt" DESTINATION .)
install(FILES "${PROJECT_SOURCE_DIR}/examples/SdStation3.dat" "${PROJECT_SOURCE_DIR}/examples/sites.lkp"
        DESTINATION examples)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME tolvanex)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_FILE_NAME "tolvanex-${PROJECT_VERSION}-windows-x64")
set(CPACK_PACKAGE_DIRECTORY "${PROJECT_BINARY_DIR}/package")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_VENDOR "The Tolvanex developers")
include(CPack)

# The Windows release that `make package-windows` builds with CPack: an installer (NSIS) that puts
# the window and the batch command under Program Files with a Start menu entry for the window and
# an uninstaller, and a ZIP of the same files to unpack and run anywhere. Both programs are
# static: no DLL beside them. The ZIP also holds the example, the licence and a short read-me.
set(windowsFiles "${PROJECT_SOURCE_DIR}/packaging/windows")
set(windowsText "${PROJECT_BINARY_DIR}/packaging/windows")
# The texts with Windows line ends.
configure_file("${PROJECT_SOURCE_DIR}/LICENSE" "${windowsText}/LICENSE.txt" @ONLY NEWLINE_STYLE CRLF)
configure_file("${windowsFiles}/README.txt" "${windowsText}/README.txt" @ONLY NEWLINE_STYLE CRLF)
install(TARGETS tolvanex tolvanex-batch RUNTIME DESTINATION .)
install(FILES "${windowsText}/LICENSE.txt" "${windowsText}/README.txt" DESTINATION .)
install(FILES "${PROJECT_SOURCE_DIR}/examples/SdStation3.dat" "${PROJECT_SOURCE_DIR}/examples/sites.lkp"
        DESTINATION examples)

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_NAME tolvanex)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_FILE_NAME "tolvanex-${PROJECT_VERSION}-windows-x64")
set(CPACK_PACKAGE_DIRECTORY "${PROJECT_BINARY_DIR}/package")
set(CPACK_PACKAGE_VENDOR "The Tolvanex developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Converts a data logger's data files into post files and per-site text files")
set(CPACK_RESOURCE_FILE_LICENSE "${windowsText}/LICENSE.txt")
# The ZIP unpacks into a folder of its own; the installer into the folder the user chooses.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PROJECT_CONFIG_FILE "${windowsFiles}/cpack-options.cmake")

# The installer: Program Files\Tolvanex, a Start menu folder with the window in it, an
# uninstaller that Settings > Apps lists with the program's icon.
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Tolvanex")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "Tolvanex")
set(CPACK_NSIS_PACKAGE_NAME "Tolvanex ${PROJECT_VERSION}")
set(CPACK_NSIS_DISPLAY_NAME "Tolvanex")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_PACKAGE_EXECUTABLES "tolvanex" "Tolvanex")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY ".")
set(CPACK_NSIS_MUI_ICON "${PROJECT_SOURCE_DIR}/packaging/icons/tolvanex.ico")
set(CPACK_NSIS_MUI_UNIICON "${PROJECT_SOURCE_DIR}/packaging/icons/tolvanex.ico")
set(CPACK_NSIS_INSTALLED_ICON_NAME "tolvanex.exe")
set(CPACK_NSIS_MUI_FINISHPAGE_RUN "tolvanex.exe")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
# A 64-bit installer, like the programs it installs: it runs where only 64-bit programs do.
set(CPACK_NSIS_EXECUTABLE "${windowsFiles}/makensis-amd64")
include(CPack)

# The Windows release that `make package-windows` builds with CPack: an installer (NSIS) that puts
# the window and the batch command under Program Files with a Start menu entry for the window,
# the folder on the user's PATH and an uninstaller, and a ZIP of the same files to unpack and run
# anywhere. Both programs are static: no DLL beside them. Beside them lie the examples, and the
# licence and a short read-me in doc\, so that a portable copy's output folder holds only output.
set(windowsFiles "${PROJECT_SOURCE_DIR}/packaging/windows")
set(windowsText "${PROJECT_BINARY_DIR}/packaging/windows")
# The texts with Windows line ends.
configure_file("${PROJECT_SOURCE_DIR}/LICENSE" "${windowsText}/LICENSE.txt" @ONLY NEWLINE_STYLE CRLF)
configure_file("${windowsFiles}/README.txt" "${windowsText}/README.txt" @ONLY NEWLINE_STYLE CRLF)
install(TARGETS tolvanex tolvanex-batch RUNTIME DESTINATION .)
install(FILES "${windowsText}/LICENSE.txt" "${windowsText}/README.txt" DESTINATION doc)
install(FILES "${PROJECT_SOURCE_DIR}/examples/SdStation3.dat" "${PROJECT_SOURCE_DIR}/examples/sites.lkp"
        DESTINATION examples)

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_NAME tolvanex)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_FILE_NAME "tolvanex-${PROJECT_VERSION}-windows-x64")
set(CPACK_PACKAGE_DIRECTORY "${PROJECT_BINARY_DIR}/package")
set(CPACK_PACKAGE_VENDOR "${TOLVANEX_MAKER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Converts a data logger's data files into post files and per-site text files")
set(CPACK_RESOURCE_FILE_LICENSE "${windowsText}/LICENSE.txt")
# The ZIP unpacks into a folder of its own; the installer into the folder the user chooses.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PROJECT_CONFIG_FILE "${windowsFiles}/cpack-options.cmake")

# The installer: the project's own script, packaging/windows/NSIS.template.in, which CPack finds
# on the module path and fills in with these values.
list(APPEND CMAKE_MODULE_PATH "${windowsFiles}")
set(CPACK_TOLVANEX_NSIS_DIR "${windowsFiles}")
string(REPLACE "," "." CPACK_TOLVANEX_BINARY_VERSION "${TOLVANEX_BINARY_VERSION}")
set(CPACK_TOLVANEX_COPYRIGHT "${TOLVANEX_COPYRIGHT}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "${PROJECT_NAME}")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "${PROJECT_NAME}")
set(CPACK_NSIS_PACKAGE_NAME "${PROJECT_NAME} ${PROJECT_VERSION}")
set(CPACK_NSIS_DISPLAY_NAME "${PROJECT_NAME}")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_MUI_ICON "${PROJECT_SOURCE_DIR}/packaging/icons/tolvanex.ico")
set(CPACK_NSIS_MUI_UNIICON "${PROJECT_SOURCE_DIR}/packaging/icons/tolvanex.ico")
# A 64-bit installer, like the programs it installs: it runs where only 64-bit programs do.
set(CPACK_NSIS_EXECUTABLE "${windowsFiles}/makensis-amd64")
include(CPack)

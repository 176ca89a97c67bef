# What `cmake --install` puts where (the GNU layout), and the Debian package that `make package`
# builds with CPack. Only the two programs and their desktop files are installed: never the tests,
# the benchmarks or the screenshot tool.

include(GNUInstallDirs)
include(cmake/SourceDateEpoch.cmake)
# The documentation folder is named after the package, not after the project (whose name Qt's
# CMake files have already put into CMAKE_INSTALL_DOCDIR).
set(docDir "${CMAKE_INSTALL_DATAROOTDIR}/doc/tolvanex")

# One place for what the release files repeat.
set(TOLVANEX_RELEASE_DATE "2026-12-09")
set(TOLVANEX_RELEASE_DATE_RFC2822 "Wed, 09 Dec 2026 12:00:00 +0000")
set(TOLVANEX_MAINTAINER "The Tolvanex developers <support@tolvanex.invalid>")
set(TOLVANEX_APP_ID "invalid.tolvanex.Tolvanex")

set(packaging "${PROJECT_SOURCE_DIR}/packaging")
set(generated "${PROJECT_BINARY_DIR}/packaging")
set(RELEASE_DATE "${TOLVANEX_RELEASE_DATE}")

find_program(GZIP_PROGRAM gzip REQUIRED)
find_program(HELP2MAN_PROGRAM help2man REQUIRED)

# Manual pages and the changelog are installed gzipped (-n: no name or time stamp inside, so
# that two builds give the same bytes); the plain manual page stays for the test of its JSON
# fields.
configure_file("${packaging}/changelog.Debian.in" "${generated}/changelog.Debian" @ONLY)
set(compressed "${generated}/tolvanex-batch.1.gz" "${generated}/changelog.Debian.gz")
add_custom_command(
  OUTPUT "${generated}/tolvanex-batch.1" "${generated}/tolvanex-batch.1.gz"
  COMMAND "${CMAKE_COMMAND}" -D "HELP2MAN=${HELP2MAN_PROGRAM}"
          -D "BATCH=$<TARGET_FILE:tolvanex-batch>"
          -D "INCLUDE=${packaging}/man/tolvanex-batch.h2m"
          -D "README=${PROJECT_SOURCE_DIR}/README.md"
          -D "SOURCE_DATE_EPOCH=${TOLVANEX_SOURCE_DATE_EPOCH}"
          -D "OUTPUT=${generated}/tolvanex-batch.1"
          -P "${PROJECT_SOURCE_DIR}/cmake/BatchManualPage.cmake"
  COMMAND "${GZIP_PROGRAM}" -9nkf "${generated}/tolvanex-batch.1"
  DEPENDS tolvanex-batch "${packaging}/man/tolvanex-batch.h2m" "${PROJECT_SOURCE_DIR}/README.md"
          "${PROJECT_SOURCE_DIR}/cmake/BatchManualPage.cmake"
  COMMENT "Manual page of tolvanex-batch from its --help"
  VERBATIM)
add_custom_command(
  OUTPUT "${generated}/changelog.Debian.gz"
  COMMAND "${GZIP_PROGRAM}" -9nkf "${generated}/changelog.Debian"
  DEPENDS "${generated}/changelog.Debian"
  VERBATIM)

if(TOLVANEX_BUILD_QT)
  configure_file("${packaging}/man/tolvanex.1.in" "${generated}/tolvanex.1" @ONLY)
  configure_file("${packaging}/tolvanex.metainfo.xml.in"
                 "${generated}/${TOLVANEX_APP_ID}.metainfo.xml" @ONLY)
  add_custom_command(
    OUTPUT "${generated}/tolvanex.1.gz"
    COMMAND "${GZIP_PROGRAM}" -9nkf "${generated}/tolvanex.1"
    DEPENDS "${generated}/tolvanex.1"
    VERBATIM)
  list(APPEND compressed "${generated}/tolvanex.1.gz")
endif()
add_custom_target(tolvanex_install_files ALL DEPENDS ${compressed})

# The programs.
install(TARGETS tolvanex-batch RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
install(FILES "${generated}/tolvanex-batch.1.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
install(FILES "${packaging}/completion/tolvanex-batch"
        DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/bash-completion/completions")
if(TOLVANEX_BUILD_QT)
  install(TARGETS tolvanex RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
  install(FILES "${generated}/tolvanex.1.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
  install(FILES "${packaging}/tolvanex.desktop"
          DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/applications")
  install(FILES "${generated}/${TOLVANEX_APP_ID}.metainfo.xml"
          DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/metainfo")
  install(FILES "${packaging}/icons/tolvanex.svg"
          DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps")
  foreach(size 16 32 48 64 128 256)
    install(FILES "${packaging}/icons/hicolor/${size}x${size}/apps/tolvanex.png"
            DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps")
  endforeach()
endif()

# The examples, the licence (as a Debian copyright file, which also serves any other system) and
# the changelog.
install(FILES "${PROJECT_SOURCE_DIR}/examples/SdStation3.dat"
              "${PROJECT_SOURCE_DIR}/examples/sites.lkp"
              "${PROJECT_SOURCE_DIR}/examples/tolvanex.ini.in"
        DESTINATION "${docDir}/examples")
file(READ "${PROJECT_SOURCE_DIR}/LICENSE" licence)
string(REGEX REPLACE "^MIT License\n\nCopyright \\(c\\) ([^\n]*)\n\n" "" licenceText "${licence}")
set(licenceHolder "${CMAKE_MATCH_1}")
string(STRIP "${licenceText}" licenceText)
string(REPLACE "\n\n" "\n.\n" licenceText "${licenceText}")
string(REPLACE "\n" "\n " licenceText "${licenceText}")
file(WRITE "${generated}/copyright"
     "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
     "Upstream-Name: Tolvanex\n\n"
     "Files: *\nCopyright: ${licenceHolder}\nLicense: Expat\n ${licenceText}\n")
install(FILES "${generated}/copyright" "${generated}/changelog.Debian.gz"
        DESTINATION "${docDir}")

# The Debian package: tolvanex_<version>-1_<arch>.deb in build/<preset>/package/.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tolvanex)
set(CPACK_PACKAGE_VENDOR "The Tolvanex developers")
set(CPACK_PACKAGE_CONTACT "${TOLVANEX_MAINTAINER}")
set(CPACK_PACKAGE_DIRECTORY "${PROJECT_BINARY_DIR}/package")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "converts a data logger's files into post and site files")
# Lines of at most 80 characters, as dpkg shows them.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Tolvanex reads the comma-separated data files of a data logger and writes\n"
  "their readings out as post files (a fixed header and one line per reading,\n"
  "starting with the reading's site number) and as one text file per pair of\n"
  "identifiers, which only ever takes readings newer than its last line. It keeps\n"
  "a lookup table of site numbers and asks once for every pair it lacks.\n"
  "\n"
  "The package holds the window, tolvanex, and the command tolvanex-batch, which\n"
  "runs the same conversion without a window, for scripts and scheduled jobs.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)

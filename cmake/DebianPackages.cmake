# The two Debian packages that CPack makes of the installed components, in build/<preset>/package/:
# tolvanex-batch_<version>-1_<arch>.deb (component batch) and tolvanex_<version>-1_<arch>.deb
# (component window). Their library dependencies come from the programs (dpkg-shlibdeps), so the
# batch command's package, which links no Qt, needs no Qt either.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tolvanex)
set(CPACK_PACKAGE_VENDOR "The Tolvanex developers")
set(CPACK_PACKAGE_CONTACT "${TOLVANEX_MAINTAINER}")
set(CPACK_PACKAGE_DIRECTORY "${PROJECT_BINARY_DIR}/package")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL batch)
if(TOLVANEX_BUILD_QT)
  list(APPEND CPACK_COMPONENTS_ALL window)
endif()

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SOURCE tolvanex)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${TOLVANEX_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# Descriptions in lines of at most 80 characters, as dpkg shows them; the first is the summary.
set(about
  "Tolvanex reads the comma-separated data files of a data logger and writes\n"
  "their readings out as post files (a fixed header and one line per reading,\n"
  "starting with the reading's site number) and as one text file per pair of\n"
  "identifiers, which only ever takes readings newer than its last line. It keeps\n"
  "a lookup table of site numbers and asks once for every pair it lacks.\n"
  "\n")
set(CPACK_DEBIAN_BATCH_PACKAGE_NAME tolvanex-batch)
string(CONCAT CPACK_DEBIAN_BATCH_DESCRIPTION
  "convert a data logger's files into post and site files (command)\n" ${about}
  "This package holds the command tolvanex-batch, which runs the conversion\n"
  "without a window, for scripts and scheduled jobs (a cron line and a systemd\n"
  "timer are among its examples), with the settings of the window. It needs no\n"
  "graphical libraries.")
set(CPACK_DEBIAN_WINDOW_PACKAGE_NAME tolvanex)
string(CONCAT CPACK_DEBIAN_WINDOW_DESCRIPTION
  "convert a data logger's files into post and site files (window)\n" ${about}
  "This package holds the window, tolvanex, with its menu entry.")
# The window comes with the command of the very same build.
set(CPACK_DEBIAN_WINDOW_PACKAGE_DEPENDS
    "tolvanex-batch (= ${PROJECT_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE})")

# Read by CPack when it runs: dates the files and the archives by the last commit.
set(CPACK_TOLVANEX_SOURCE_DATE_EPOCH "${TOLVANEX_SOURCE_DATE_EPOCH}")
set(CPACK_PROJECT_CONFIG_FILE "${PROJECT_SOURCE_DIR}/packaging/cpack-options.cmake")
include(CPack)

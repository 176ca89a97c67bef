# What `cmake --install` puts where (the GNU layout), and the two Debian packages that CPack builds
# from it: tolvanex-batch, the command with what it needs and no Qt, and tolvanex, the window,
# which depends on the first. Never the tests, the benchmarks or the screenshot tool.

include(GNUInstallDirs)
include(cmake/SourceDateEpoch.cmake)

# One place for what the release files repeat. The release date is the one NEWS.md gives the
# version of project(); the Debian changelog's entry needs it spelled as RFC 2822 too.
set(TOLVANEX_RELEASE_DATE_RFC2822 "Thu, 10 Dec 2026 12:00:00 +0000")
set(TOLVANEX_MAINTAINER "The Tolvanex developers <support@tolvanex.invalid>")
set(TOLVANEX_APP_ID "invalid.tolvanex.Tolvanex")
set(TOLVANEX_HOMEPAGE "https://tolvanex.invalid/")

set(packaging "${PROJECT_SOURCE_DIR}/packaging")
set(generated "${PROJECT_BINARY_DIR}/packaging")

# The releases of NEWS.md ("## 1.0.7 (2026-12-10)"), newest first, as AppStream releases.
file(STRINGS "${PROJECT_SOURCE_DIR}/NEWS.md" releases REGEX "^## [0-9.]+ \\([0-9-]+\\)$")
set(METAINFO_RELEASES "")
foreach(release IN LISTS releases)
  string(REGEX REPLACE "^## ([0-9.]+) \\(([0-9-]+)\\)$" "\\1;\\2" release "${release}")
  list(GET release 0 version)
  list(GET release 1 date)
  if(NOT DEFINED TOLVANEX_RELEASE_DATE)
    if(NOT version VERSION_EQUAL PROJECT_VERSION)
      message(FATAL_ERROR "NEWS.md begins with ${version}, not with ${PROJECT_VERSION}")
    endif()
    set(TOLVANEX_RELEASE_DATE "${date}")
  endif()
  string(APPEND METAINFO_RELEASES
         "    <release version=\"${version}\" date=\"${date}\">\n"
         "      <url>${TOLVANEX_HOMEPAGE}news#${version}</url>\n"
         "    </release>\n")
endforeach()
set(RELEASE_DATE "${TOLVANEX_RELEASE_DATE}")

find_program(GZIP_PROGRAM gzip REQUIRED)
find_program(HELP2MAN_PROGRAM help2man REQUIRED)

# Manual pages and changelogs are installed gzipped (-n: no name or time stamp inside, so that two
# builds give the same bytes); the plain manual page stays for the test of its JSON fields.
configure_file("${packaging}/changelog.Debian.in" "${generated}/changelog.Debian" @ONLY)
set(compressed "${generated}/tolvanex-batch.1.gz" "${generated}/changelog.Debian.gz"
               "${generated}/changelog.gz")
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
# NEWS.md is the upstream changelog.
add_custom_command(
  OUTPUT "${generated}/changelog.gz"
  COMMAND "${CMAKE_COMMAND}" -E copy "${PROJECT_SOURCE_DIR}/NEWS.md" "${generated}/changelog"
  COMMAND "${GZIP_PROGRAM}" -9nf "${generated}/changelog"
  DEPENDS "${PROJECT_SOURCE_DIR}/NEWS.md"
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

# The licence as a Debian copyright file, which also serves any other system.
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

# The package tolvanex-batch: the command, its manual page, its completion for bash, zsh and fish,
# the example and the scheduled jobs. Each package has a documentation folder of its own, named
# after it (Qt's CMake files have already put the project's name into CMAKE_INSTALL_DOCDIR).
set(completion "${packaging}/completion")
set(bashCompletions "${CMAKE_INSTALL_DATAROOTDIR}/bash-completion/completions")
set(zshCompletions "${CMAKE_INSTALL_DATAROOTDIR}/zsh/vendor-completions")
set(fishCompletions "${CMAKE_INSTALL_DATAROOTDIR}/fish/vendor_completions.d")
set(batchDoc "${CMAKE_INSTALL_DATAROOTDIR}/doc/tolvanex-batch")
install(TARGETS tolvanex-batch RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}" COMPONENT batch)
install(FILES "${generated}/tolvanex-batch.1.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1"
        COMPONENT batch)
# A program's completion for bash, zsh and fish, each where its shell looks, in the package of
# the program.
function(tolvanex_install_completion program component)
  install(FILES "${completion}/bash/${program}" DESTINATION "${bashCompletions}"
          COMPONENT ${component})
  install(FILES "${completion}/zsh/_${program}" DESTINATION "${zshCompletions}"
          COMPONENT ${component})
  install(FILES "${completion}/fish/${program}.fish" DESTINATION "${fishCompletions}"
          COMPONENT ${component})
endfunction()
tolvanex_install_completion(tolvanex-batch batch)
install(FILES "${PROJECT_SOURCE_DIR}/examples/SdStation3.dat"
              "${PROJECT_SOURCE_DIR}/examples/sites.lkp"
              "${PROJECT_SOURCE_DIR}/examples/tolvanex.ini.in"
              "${packaging}/jobs/tolvanex-batch.cron"
              "${packaging}/jobs/tolvanex-batch.service"
              "${packaging}/jobs/tolvanex-batch.timer"
        DESTINATION "${batchDoc}/examples" COMPONENT batch)
install(FILES "${generated}/copyright" "${generated}/changelog.Debian.gz"
              "${generated}/changelog.gz"
        DESTINATION "${batchDoc}" COMPONENT batch)
set(lintianOverrides "${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides")
install(FILES "${packaging}/lintian/tolvanex-batch" DESTINATION "${lintianOverrides}"
        COMPONENT batch)

# The package tolvanex: the window and what the desktop shows of it.
if(TOLVANEX_BUILD_QT)
  set(windowDoc "${CMAKE_INSTALL_DATAROOTDIR}/doc/tolvanex")
  install(TARGETS tolvanex RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}" COMPONENT window)
  install(FILES "${generated}/tolvanex.1.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1"
          COMPONENT window)
  tolvanex_install_completion(tolvanex window)
  install(FILES "${packaging}/tolvanex.desktop"
          DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/applications" COMPONENT window)
  install(FILES "${generated}/${TOLVANEX_APP_ID}.metainfo.xml"
          DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/metainfo" COMPONENT window)
  install(FILES "${packaging}/icons/tolvanex.svg"
          DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps" COMPONENT window)
  foreach(size 16 32 48 64 128 256)
    install(FILES "${packaging}/icons/hicolor/${size}x${size}/apps/tolvanex.png"
            DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps"
            COMPONENT window)
  endforeach()
  install(FILES "${generated}/copyright" "${generated}/changelog.Debian.gz"
                "${generated}/changelog.gz"
          DESTINATION "${windowDoc}" COMPONENT window)
  install(FILES "${packaging}/lintian/tolvanex" DESTINATION "${lintianOverrides}"
          COMPONENT window)
endif()

# The source archive of the committed tree, tolvanex-<version>.tar.gz: git archive gives every
# file the commit's time and compresses without a time stamp, so that it is the same bytes
# whenever it is made.
find_package(Git QUIET)
if(GIT_FOUND AND EXISTS "${PROJECT_SOURCE_DIR}/.git")
  set(TOLVANEX_DIST "${PROJECT_BINARY_DIR}/tolvanex-${PROJECT_VERSION}.tar.gz")
  add_custom_target(dist
    COMMAND "${GIT_EXECUTABLE}" -C "${PROJECT_SOURCE_DIR}" archive --format=tar.gz
            "--prefix=tolvanex-${PROJECT_VERSION}/" "--output=${TOLVANEX_DIST}" HEAD
    COMMENT "Source archive ${TOLVANEX_DIST} of the last commit"
    VERBATIM)
endif()

include(cmake/DebianPackages.cmake)

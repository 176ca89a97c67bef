# The version information of the Windows programs and of the installer, which Explorer shows on
# the Details tab of a file's properties: the version of project(), the maker as the About box
# names it, and the copyright line of LICENSE (both from CMakeLists.txt) with the licence's name.
set(TOLVANEX_COPYRIGHT "${TOLVANEX_COPYRIGHT_LINE}; MIT licence")
# The four numbers of a binary version: major, minor, patch, build.
set(TOLVANEX_BINARY_VERSION
    "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0")

# Gives the program TARGET (an .exe of the same name) its version information, with DESCRIPTION
# as its FileDescription.
function(tolvanex_add_version_info target description)
  set(VERSION_INFO_DESCRIPTION "${description}")
  set(VERSION_INFO_NAME "${target}")
  set(resource "${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc")
  configure_file("${PROJECT_SOURCE_DIR}/packaging/windows/version_info.rc.in" "${resource}" @ONLY)
  target_sources(${target} PRIVATE "${resource}")
endfunction()

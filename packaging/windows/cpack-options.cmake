# Read by CPack for each generator: the installer puts the files straight into the folder the
# user chooses, while the ZIP unpacks into a folder of its own.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
endif()

# What a cross build for Windows takes from the build machine: GoogleTest built from its source
# with the cross compiler, and the header-only libraries (CLI11, nlohmann-json) from the host's
# include folder. Only their own folders are put on the include path: the host's /usr/include as
# a whole would hide the cross compiler's C library headers.
set(host_headers ${PROJECT_BINARY_DIR}/host-headers)
file(MAKE_DIRECTORY ${host_headers})
foreach(folder CLI nlohmann)
  if(NOT EXISTS /usr/include/${folder})
    message(FATAL_ERROR "/usr/include/${folder} is missing: run scripts/install-deps")
  endif()
  file(CREATE_LINK /usr/include/${folder} ${host_headers}/${folder} SYMBOLIC)
endforeach()
add_library(CLI11::CLI11 INTERFACE IMPORTED GLOBAL)
set_target_properties(CLI11::CLI11 PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${host_headers})
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED GLOBAL)
set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
                      INTERFACE_INCLUDE_DIRECTORIES ${host_headers})
set(CLI11_FOUND TRUE)
set(nlohmann_json_FOUND TRUE)

if(TOLVANEX_BUILD_TESTS)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # Its own sources are not held to the project's warnings.
  foreach(target gtest gtest_main gmock gmock_main)
    if(TARGET ${target})
      set_target_properties(${target} PROPERTIES COMPILE_OPTIONS "-w")
    endif()
  endforeach()
endif()

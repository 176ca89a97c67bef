# The flags that Debian builds its packages with, as dpkg-buildflags gives them with every
# hardening feature on (FORTIFY_SOURCE, the strong stack protector, read-only relocations and
# immediate binding), for every target of the build: the tests run the code that is packaged.
# dpkg-buildflags also maps the source folder to "." in the debugging information, so that where
# the tree lies leaves no trace in the programs. The variables dpkg-buildflags honours, such as
# DEB_CXXFLAGS_APPEND, still apply.
find_program(DPKG_BUILDFLAGS_PROGRAM dpkg-buildflags REQUIRED)
foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
  execute_process(
    COMMAND "${CMAKE_COMMAND}" -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
            "${DPKG_BUILDFLAGS_PROGRAM}" --get ${kind}
    WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}"
    OUTPUT_VARIABLE flags
    OUTPUT_STRIP_TRAILING_WHITESPACE
    COMMAND_ERROR_IS_FATAL ANY)
  separate_arguments(debian${kind} UNIX_COMMAND "${flags}")
endforeach()
add_compile_options(${debianCPPFLAGS} ${debianCXXFLAGS})
add_link_options(${debianLDFLAGS})

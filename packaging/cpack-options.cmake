# Read by CPack when it builds the Debian packages: every file and every archive member gets the
# time of the last commit instead of the time of the build (unless the caller's environment
# already names one), so that two builds of a commit give the same bytes.
if(CPACK_TOLVANEX_SOURCE_DATE_EPOCH AND "$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
  set(ENV{SOURCE_DATE_EPOCH} "${CPACK_TOLVANEX_SOURCE_DATE_EPOCH}")
endif()

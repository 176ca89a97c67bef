# TOLVANEX_SOURCE_DATE_EPOCH: the time that dates what the build makes of a commit (the manual
# page, the files and the archives of the packages), so that two builds of it give the same bytes.
# It is SOURCE_DATE_EPOCH when the environment sets it; otherwise the time of the last commit,
# from git in a checkout, and in a tree unpacked from `make dist` from cmake/commit-time, which
# git archive fills in. Empty when none is known: then the build dates things as they are made.
set(TOLVANEX_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
if(TOLVANEX_SOURCE_DATE_EPOCH STREQUAL "")
  find_package(Git QUIET)
  if(GIT_FOUND)
    execute_process(
      COMMAND "${GIT_EXECUTABLE}" -C "${PROJECT_SOURCE_DIR}" log -1 --format=%ct
      OUTPUT_VARIABLE TOLVANEX_SOURCE_DATE_EPOCH
      OUTPUT_STRIP_TRAILING_WHITESPACE
      ERROR_QUIET)
  endif()
endif()
if(NOT TOLVANEX_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
  file(STRINGS "${PROJECT_SOURCE_DIR}/cmake/commit-time" TOLVANEX_SOURCE_DATE_EPOCH LIMIT_COUNT 1)
endif()
if(NOT TOLVANEX_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
  set(TOLVANEX_SOURCE_DATE_EPOCH "")
endif()

# Writes the manual page of tolvanex-batch (cmake -P), so that it says what --help says once:
# help2man makes the page from --help and packaging/man/tolvanex-batch.h2m (it moves the
# "Examples:" of --help into EXAMPLES itself), then the "Exit status:" paragraph of --help moves
# out of the description into the section EXIT STATUS, where the include file marks its place,
# and the README's table of the JSON fields fills the section JSON OUTPUT. A marker or a paragraph that is missing fails the
# build rather than leave a page that says less than --help.
# Variables: HELP2MAN, BATCH (the program), INCLUDE (the .h2m), README, OUTPUT, and
# SOURCE_DATE_EPOCH (the date of the page; empty for today).
set(environment "")
if(SOURCE_DATE_EPOCH)
  set(environment "SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH}")
endif()
execute_process(
  COMMAND "${CMAKE_COMMAND}" -E env ${environment} LC_ALL=C.UTF-8
          "${HELP2MAN}" --no-info --no-discard-stderr
          --name "convert a data logger's files without a window"
          --include "${INCLUDE}" "${BATCH}"
  OUTPUT_VARIABLE page
  COMMAND_ERROR_IS_FATAL ANY)

# Cuts the subsection headed `heading` (help2man's .SS of a "Heading:" line of --help) out of the
# page and puts its paragraphs where the include file's line `.\" From --help: heading` stands.
function(move_subsection heading)
  string(FIND "${page}" ".SS \"${heading}\"\n" start)
  set(marker ".\\\" From --help: ${heading}\n")
  string(FIND "${page}" "${marker}" place)
  if(start EQUAL -1 OR place EQUAL -1)
    message(FATAL_ERROR "${OUTPUT}: no \"${heading}\" in --help, or no place for it in ${INCLUDE}")
  endif()
  string(LENGTH ".SS \"${heading}\"\n" headingLength)
  math(EXPR bodyStart "${start} + ${headingLength}")
  string(SUBSTRING "${page}" ${bodyStart} -1 rest)
  string(REGEX MATCH "^(([^.]|\\.[^S]|\\.S[^SH])[^\n]*\n)*" body "${rest}")
  string(LENGTH "${body}" bodyLength)
  math(EXPR end "${bodyStart} + ${bodyLength}")
  string(SUBSTRING "${page}" 0 ${start} before)
  string(SUBSTRING "${page}" ${end} -1 after)
  set(page "${before}${after}")
  string(REPLACE "${marker}" "${body}" page "${page}")
  set(page "${page}" PARENT_SCOPE)
endfunction()
move_subsection("Exit status:")

# The README's table as roff: a tagged paragraph per field, the type in parentheses; `code`
# becomes bold.
function(roff_text text result)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REGEX REPLACE "`([^`]*)`" "\\\\fB\\1\\\\fR" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  set(${result} "${text}" PARENT_SCOPE)
endfunction()
file(READ "${README}" readme)
string(FIND "${readme}" "### What `tolvanex-batch --json` writes\n" start)
if(start EQUAL -1)
  message(FATAL_ERROR "${README} has no section on the JSON fields")
endif()
string(SUBSTRING "${readme}" ${start} -1 section)
# Semicolons would split the rows, as a CMake list, in two.
string(REPLACE ";" "<semicolon>" section "${section}")
string(REGEX MATCH "writes\n\n([^|]*)\n(\\|[^\n]*\n)+" table "${section}")
set(intro "${CMAKE_MATCH_1}")
string(STRIP "${intro}" intro)
string(REPLACE "\n" " " intro "${intro}")
roff_text("${intro}" json)
string(REGEX MATCHALL "\\| `[^`]+` \\|[^\n]*" rows "${table}")
foreach(row IN LISTS rows)
  string(REGEX MATCH "^\\| `([^`]+)` \\| ([^|]+) \\| (.*) \\|$" fields "${row}")
  set(name "${CMAKE_MATCH_1}")
  string(STRIP "${CMAKE_MATCH_2}" type)
  roff_text("${CMAKE_MATCH_3}" meaning)
  string(APPEND json "\n.TP\n\\fB${name}\\fR (${type})\n${meaning}")
endforeach()
string(REPLACE "<semicolon>" ";" json "${json}")
set(marker ".\\\" From README.md: the JSON fields\n")
string(FIND "${page}" "${marker}" place)
if(place EQUAL -1 OR NOT rows)
  message(FATAL_ERROR "${OUTPUT}: no JSON fields in ${README}, or no place for them in ${INCLUDE}")
endif()
string(REPLACE "${marker}" "${json}\n" page "${page}")
file(WRITE "${OUTPUT}" "${page}")

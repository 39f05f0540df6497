# Writes the header naming every interface text: `inline constexpr int Name = NUMBER;` in
# namespace trevalon::texts, one per line of texts.tsv (number TAB name TAB Polish TAB English).
# A malformed line, a name that is not PascalCase or a number or name used twice stops the build.
# The header is replaced only when its content (names, numbers, the English texts quoted in its
# comments) changes, so editing a Polish text recompiles nothing.
# Usage: cmake -DINPUT=texts.tsv -DOUTPUT=TextIds.h -DSTAMP=... -P GenerateTextIds.cmake
file(READ "${INPUT}" content)

# CMake lists split on ";" (except after "\" or inside "[...]"): stand-ins keep the texts' own
# semicolons, backslashes and brackets out of the way and are put back for the comments.
string(ASCII 1 semicolon)
string(ASCII 2 backslash)
string(ASCII 3 open_bracket)
string(ASCII 4 close_bracket)
string(REPLACE ";" "${semicolon}" content "${content}")
string(REPLACE "\\" "${backslash}" content "${content}")
string(REPLACE "[" "${open_bracket}" content "${content}")
string(REPLACE "]" "${close_bracket}" content "${content}")
string(REPLACE "\n" ";" lines "${content}")

set(body "")
set(line_number 0)
foreach(line IN LISTS lines)
  math(EXPR line_number "${line_number} + 1")
  if(line STREQUAL "" OR line MATCHES "^#")
    continue()
  endif()
  set(where "${INPUT}:${line_number}")
  if(line MATCHES "\r")
    message(FATAL_ERROR "${where}: carriage return in the line (the file must use LF endings)")
  endif()
  string(REPLACE "\t" ";" fields "${line}")
  list(LENGTH fields field_count)
  if(NOT field_count EQUAL 4)
    message(FATAL_ERROR "${where}: ${field_count} fields instead of 4 (number, name, Polish, English)")
  endif()
  list(GET fields 0 number)
  list(GET fields 1 name)
  list(GET fields 3 english)
  if(NOT number MATCHES "^[1-9][0-9]*$")
    message(FATAL_ERROR "${where}: '${number}' is not a text number")
  endif()
  if(NOT name MATCHES "^[A-Z][A-Za-z0-9]*$")
    message(FATAL_ERROR "${where}: '${name}' is not a PascalCase name")
  endif()
  if(DEFINED number_${number})
    message(FATAL_ERROR "${where}: number ${number} already used on line ${number_${number}}")
  endif()
  if(DEFINED name_${name})
    message(FATAL_ERROR "${where}: name ${name} already used on line ${name_${name}}")
  endif()
  set(number_${number} ${line_number})
  set(name_${name} ${line_number})

  string(REPLACE "${semicolon}" ";" english "${english}")
  string(REPLACE "${backslash}" "\\" english "${english}")
  string(REPLACE "${open_bracket}" "[" english "${english}")
  string(REPLACE "${close_bracket}" "]" english "${english}")
  # A comment ending in a backslash would swallow the next line.
  string(REGEX REPLACE "[ \\]+$" "" english "${english}")
  string(APPEND body "inline constexpr int ${name} = ${number};  // ${english}\n")
endforeach()

file(WRITE "${OUTPUT}.new"
  "// Generated from src/config/texts.tsv by GenerateTextIds.cmake: edit the table, not this.\n"
  "// The comment after each name is the English text.\n"
  "#pragma once\n\n"
  "namespace trevalon::texts {\n\n"
  "${body}\n"
  "}  // namespace trevalon::texts\n")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
file(TOUCH "${STAMP}")

# Writes the handset pictograph table from Unicode's EmojiSources.txt:
#   cmake -DSOURCE=/usr/share/unicode/EmojiSources.txt -DOUTPUT=pictograph_table.inc -P make_pictograph_table.cmake
# Each line of the source is the Unicode code points, then one Shift_JIS
# code per network; the handsets this editor serves are the first network's.
# The table lists the basic 166 codes first and the extended ones after, each
# in code order, so that a reader taking the first code it finds for an emoji
# prefers a basic pictograph.
if(NOT EXISTS "${SOURCE}")
  message(FATAL_ERROR "${SOURCE} is missing: install the Debian package unicode-data "
                      "(it ties each handset pictograph code to its Unicode emoji)")
endif()

file(READ "${SOURCE}" content)
# Semicolons would split the text into a CMake list.
string(REPLACE ";" "," content "\n${content}")
string(REGEX MATCHALL "\n[0-9A-Fa-f][0-9A-Fa-f ]*,[0-9A-Fa-f]+" rows "${content}")

function(is_basic code out)
  math(EXPR c "0x${code}")
  if((c GREATER_EQUAL 0xF89F AND c LESS_EQUAL 0xF8FC) OR (c GREATER_EQUAL 0xF940 AND c LESS_EQUAL 0xF949)
     OR (c GREATER_EQUAL 0xF972 AND c LESS_EQUAL 0xF97E) OR (c GREATER_EQUAL 0xF980 AND c LESS_EQUAL 0xF9B0))
    set(${out} TRUE PARENT_SCOPE)
  else()
    set(${out} FALSE PARENT_SCOPE)
  endif()
endfunction()

set(basic "")
set(extended "")
set(count 0)
foreach(row IN LISTS rows)
  string(STRIP "${row}" row)
  string(REPLACE "," ";" fields "${row}")
  list(GET fields 0 points)
  list(GET fields 1 code)
  string(TOUPPER "${code}" code)
  string(REGEX MATCHALL "[0-9A-Fa-f]+" points "${points}")
  list(LENGTH points n)
  if(n GREATER 3)
    message(FATAL_ERROR "${SOURCE}: the sequence for ${code} is longer than the table holds")
  endif()
  set(entry "    {0x${code}, {")
  set(sep "")
  foreach(p IN LISTS points)
    string(APPEND entry "${sep}0x${p}")
    set(sep ", ")
  endforeach()
  string(APPEND entry "}},\n")
  is_basic(${code} b)
  if(b)
    string(APPEND basic "${entry}")
  else()
    string(APPEND extended "${entry}")
  endif()
  math(EXPR count "${count} + 1")
endforeach()

if(count LESS 200)
  message(FATAL_ERROR "${SOURCE}: only ${count} handset codes found; the file is not what this build expects")
endif()

# Rows of one group are already in code order in the source only by
# accident; sort them so the table does not depend on the file's order.
foreach(group basic extended)
  string(REGEX MATCHALL "[^\n]+" lines "${${group}}")
  list(SORT lines)
  list(JOIN lines "\n" ${group})
endforeach()

set(text "// Generated from ${SOURCE} at build time; do not edit.\n// Basic codes first, then the extended ones.\n")
string(APPEND text "${basic}\n${extended}\n")
# Rewrite only on change, so dependants are not rebuilt for nothing.
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" old)
  if(old STREQUAL text)
    return()
  endif()
endif()
file(WRITE "${OUTPUT}" "${text}")

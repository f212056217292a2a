# Writes the header of named interface texts (OUTPUT) from the list LIST of
# "<name>=<id>" lines, after checking every id against the English table
# TABLE. Run when the build is configured: cmake -DLIST=... -DTABLE=... -DOUTPUT=... -P.
cmake_minimum_required(VERSION 3.25)
file(STRINGS "${TABLE}" table_lines REGEX "^[0-9]+=")
set(known_ids "")
foreach(line IN LISTS table_lines)
    string(REGEX MATCH "^[0-9]+" id "${line}")
    list(APPEND known_ids ${id})
endforeach()

file(STRINGS "${LIST}" lines REGEX "^[^#]")
set(names "")
set(named_ids "")
set(body "")
foreach(line IN LISTS lines)
    if(line MATCHES "^[ \t]*$")
        continue()
    endif()
    if(NOT line MATCHES "^(IDS_[A-Z0-9_]+)=([0-9]+)$")
        message(FATAL_ERROR "${LIST}: not a <name>=<id> line: ${line}")
    endif()
    set(name ${CMAKE_MATCH_1})
    set(id ${CMAKE_MATCH_2})
    if(name IN_LIST names)
        message(FATAL_ERROR "${LIST}: ${name} is named twice")
    endif()
    if(id IN_LIST named_ids)
        message(FATAL_ERROR "${LIST}: ${id} has two names")
    endif()
    if(NOT id IN_LIST known_ids)
        message(FATAL_ERROR "${LIST}: ${name}=${id} is not in the English table ${TABLE}")
    endif()
    list(APPEND names ${name})
    list(APPEND named_ids ${id})
    string(APPEND body "    ${name} = ${id},\n")
endforeach()

set(header "// SPDX-License-Identifier: GPL-3.0-or-later
// Made by the build from res/lang/string_ids.txt: edit that list, not this file.
#pragma once

// The interface texts by name: ids into the string tables of res/lang.
enum StringId : int {
${body}};
")
# Written only when it changes, so that a new text rebuilds only its users.
if(EXISTS "${OUTPUT}")
    file(READ "${OUTPUT}" previous)
endif()
if(NOT previous STREQUAL header)
    file(WRITE "${OUTPUT}" "${header}")
endif()

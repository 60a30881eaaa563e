# SPDX-License-Identifier: LGPL-2.1-or-later
# mav_add_translation(<file.ts> <variable> [OUTPUT_DIRECTORY <dir>]): the .qm file
# that lrelease makes of <file.ts> (relative to the current source folder) at
# build time, in <dir> or the current binary folder; its path goes to <variable>.
find_program(MAV_LRELEASE NAMES lrelease lrelease-qt6 HINTS /usr/lib/qt6/bin REQUIRED)
function(mav_add_translation ts variable)
  cmake_parse_arguments(T "" "OUTPUT_DIRECTORY" "" ${ARGN})
  if(NOT T_OUTPUT_DIRECTORY)
    set(T_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  endif()
  get_filename_component(_name ${ts} NAME_WE)
  set(_qm ${T_OUTPUT_DIRECTORY}/${_name}.qm)
  add_custom_command(OUTPUT ${_qm}
    COMMAND ${MAV_LRELEASE} -silent ${CMAKE_CURRENT_SOURCE_DIR}/${ts} -qm ${_qm}
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${ts}
    VERBATIM)
  set(${variable} ${_qm} PARENT_SCOPE)
endfunction()

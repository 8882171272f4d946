# Build options that change how long the build takes, not what the program does.
#
# GAME_DEBUG_INFO: "lines" (the default) compiles with -g1: function names and
# line numbers, what a crash's backtrace and a sanitizer's report show, for
# about a third less compile time than "full" (-g: variables and types too,
# for stepping through the program in a debugger).
set(GAME_DEBUG_INFO lines CACHE STRING "Debug information: lines (-g1) or full (-g)")
set_property(CACHE GAME_DEBUG_INFO PROPERTY STRINGS lines full)
if(GAME_DEBUG_INFO STREQUAL "lines")
  foreach(lang C CXX)
    foreach(config DEBUG RELWITHDEBINFO)
      string(REGEX REPLACE "(^| )-g( |$)" "\\1-g1\\2" CMAKE_${lang}_FLAGS_${config} "${CMAKE_${lang}_FLAGS_${config}}")
    endforeach()
  endforeach()
endif()

# GAME_TEST_OPTIMIZATION: the optimization level of the Windows tests' own
# code, which is most of what the build compiles: at -Og (the default) it
# compiles in about half the time it takes at -O2. The game's libraries that
# the tests link are compiled once, as the program's, at the build type's level.
# Empty: the build type's level for the tests as well.
set(GAME_TEST_OPTIMIZATION -Og CACHE STRING "Optimization of the tests' own code (empty: as the program's)")

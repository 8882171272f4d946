# One library per source folder, each naming the libraries it may use, so that
# code reaching into a folder it does not depend on fails to link. Shared by
# the Windows build and the native one.
#
#   base     the portable services of app/ (logs, formatting, Shift-JIS,
#            checked access, file replacement) and, on Windows, the close
#            request to the main window; native too
#   records  base; native too
#   files    records, base; native too
#   app      the rest of app/: base, records, files (the stage loader), gfx,
#            scenes (the scene manager makes them); the shell calls the
#            graphics library and the screens, and they call it: these
#            cycles are declared both ways
#   gfx      base, app
#   stage    files, records, gfx, app, base
#   scenes   stage and everything below it
#
# A folder's sources are globbed, so new files join their library without an
# edit here; a folder that is empty or missing is an interface library that
# only passes its dependencies on, until its first source file appears.

# The warnings our own code must keep clear of: with GAME_WARNINGS_AS_ERRORS
# (the default, and what the test runs build) any of them stops the build.
# Only our targets get it, never GoogleTest or the third-party decoder.
option(GAME_WARNINGS_AS_ERRORS "Build our own targets with warnings as errors" ON)
set(GAME_WARNING_OPTIONS)
if(GAME_WARNINGS_AS_ERRORS)
  set(GAME_WARNING_OPTIONS -Werror)
endif()

# Compile options of a target of ours: the shared options (public: the
# character sets must match in every user of our headers) and the warning
# policy (private).
function(game_target_options target)
  target_compile_options(${target} PUBLIC ${GAME_COMPILE_OPTIONS}
    PRIVATE $<$<COMPILE_LANGUAGE:CXX>:${GAME_WARNING_OPTIONS}>)
endfunction()

set(GAME_BASE_SOURCES app/log.cpp app/format.cpp app/checked.cpp app/sjis.cpp app/file_replace.cpp
  app/whole_file.cpp)
list(TRANSFORM GAME_BASE_SOURCES PREPEND ${CMAKE_SOURCE_DIR}/)

# game_folder_library(<folder> [SOURCES <files>] [EXCLUDE <regex>] [DEPENDS <libraries>])
# Makes game_<folder> from the folder's *.cpp (or the SOURCES given).
function(game_folder_library folder)
  cmake_parse_arguments(ARG "" "EXCLUDE" "SOURCES;DEPENDS" ${ARGN})
  set(target game_${folder})
  if(ARG_SOURCES)
    set(sources ${ARG_SOURCES})
  else()
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
  endif()
  if(ARG_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "${ARG_EXCLUDE}")
  endif()
  if(sources)
    add_library(${target} STATIC ${sources})
    game_target_options(${target})
    target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
    target_link_libraries(${target} PUBLIC ${ARG_DEPENDS})
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${target} INTERFACE ${ARG_DEPENDS})
  endif()
endfunction()

# The part that builds natively as well.
function(game_portable_libraries)
  game_folder_library(base SOURCES ${GAME_BASE_SOURCES})
  game_folder_library(records DEPENDS game_base)
  game_folder_library(files DEPENDS game_records game_base)
endfunction()

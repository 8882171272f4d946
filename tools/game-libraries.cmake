# One library per layer, each naming the layers it may use; the layers below
# are all it sees. A library's headers reach its users only through its own
# include folder (build/include/<library>/<folder>, a link to the source
# folder), so that including from a layer one does not depend on fails to
# compile, and calling into it fails to link. Shared by the Windows build and
# the native one. tools/check-layers.py checks the same graph on the sources.
#
#   base     app/base: logs, formatting, Shift-JIS, checked access, file
#            replacement, whole files; the close request (on Windows to the
#            main window); native too
#   records  base; native too
#   files    records, base; native too
#   system   app/system: the Win32 services below the graphics (window,
#            threads, timing, input, sound, music, dialogs, System.ini):
#            files, records, base
#   gfx      system, base
#   shell    app/shell: the main window, the screen manager and the window
#            thread's requests: gfx, system, files, records, base
#   stage    stage/ but draw/: shell, gfx, system, files, records, base;
#            natively over the headers of shell and system
#   stage_draw  stage/draw/, the stage's Windows drawing: stage, gfx and below
#   scenes   stage and everything below it
#   app      app/: start-up and the program's objects, over everything; it
#            hands the lower layers what they call upward (the screens'
#            factory, the stage's and the data's services)
#
# A folder's sources are globbed, so new files join their library without an
# edit here.

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

# The include folder of a library: <folder> of the sources seen as <folder>.
function(game_include_folder target scope folder)
  set(dir ${CMAKE_BINARY_DIR}/include/${target})
  if(NOT EXISTS ${dir}/${folder})
    get_filename_component(parent ${dir}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${dir}/${folder} SYMBOLIC)
  endif()
  target_include_directories(${target} ${scope} ${dir})
endfunction()

# game_layer_library(<name> <folder> [SOURCES <files>] [EXCLUDE <regex>]
#                    [PUBLIC <libraries>] [PRIVATE <libraries>] [HEADERS])
# Makes game_<name> from the folder's *.cpp (or the SOURCES given): PUBLIC
# the layers its headers use, PRIVATE the ones only its sources use. With
# HEADERS it is its headers alone.
function(game_layer_library name folder)
  cmake_parse_arguments(ARG "HEADERS" "EXCLUDE" "SOURCES;PUBLIC;PRIVATE" ${ARGN})
  set(target game_${name})
  if(ARG_HEADERS)
    set(sources)
  elseif(ARG_SOURCES)
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
    game_include_folder(${target} PUBLIC ${folder})
    target_link_libraries(${target} PUBLIC ${ARG_PUBLIC} PRIVATE ${ARG_PRIVATE})
  else()
    add_library(${target} INTERFACE)
    game_include_folder(${target} INTERFACE ${folder})
    target_link_libraries(${target} INTERFACE ${ARG_PUBLIC})
  endif()
endfunction()

# The portable stage: every subfolder of stage/ but draw/ (the Windows
# drawing), each seen as stage/<subfolder>.
function(game_stage_library)
  cmake_parse_arguments(ARG "" "" "PUBLIC;PRIVATE" ${ARGN})
  file(GLOB folders LIST_DIRECTORIES true RELATIVE ${CMAKE_SOURCE_DIR}/stage ${CMAKE_SOURCE_DIR}/stage/*)
  list(REMOVE_ITEM folders draw)
  set(sources)
  foreach(folder ${folders})
    if(IS_DIRECTORY ${CMAKE_SOURCE_DIR}/stage/${folder})
      file(GLOB folder_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/stage/${folder}/*.cpp)
      list(APPEND sources ${folder_sources})
    endif()
  endforeach()
  add_library(game_stage STATIC ${sources})
  game_target_options(game_stage)
  # A build folder from before stage/ had subfolders sees it whole: once.
  if(IS_SYMLINK ${CMAKE_BINARY_DIR}/include/game_stage/stage)
    file(REMOVE ${CMAKE_BINARY_DIR}/include/game_stage/stage)
  endif()
  foreach(folder ${folders})
    if(IS_DIRECTORY ${CMAKE_SOURCE_DIR}/stage/${folder})
      game_include_folder(game_stage PUBLIC stage/${folder})
    endif()
  endforeach()
  target_link_libraries(game_stage PUBLIC ${ARG_PUBLIC} PRIVATE ${ARG_PRIVATE})
endfunction()

# The part that builds natively as well.
function(game_portable_libraries)
  file(GLOB base_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/app/base/*.cpp)
  # Where the close request goes: the main window on Windows, nowhere natively.
  if(NOT WIN32)
    list(FILTER base_sources EXCLUDE REGEX "/app/base/main_window_handle\\.cpp$")
    list(APPEND base_sources ${CMAKE_SOURCE_DIR}/tools/host_shell.cpp)
  endif()
  game_layer_library(base app/base SOURCES ${base_sources})
  game_layer_library(records records PUBLIC game_base)
  game_layer_library(files files PUBLIC game_records game_base)
endfunction()

# What of the game compiles without Win32: the record layer, the data files
# and the shell's portable services they stand on.
file(GLOB HOST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/records/*.cpp ${CMAKE_SOURCE_DIR}/files/*.cpp)
list(APPEND HOST_SOURCES
  ${CMAKE_SOURCE_DIR}/app/log.cpp
  ${CMAKE_SOURCE_DIR}/app/format.cpp
  ${CMAKE_SOURCE_DIR}/app/checked.cpp
  ${CMAKE_SOURCE_DIR}/app/sjis.cpp
  ${CMAKE_SOURCE_DIR}/app/file_replace.cpp
  ${CMAKE_SOURCE_DIR}/tools/host_shell.cpp)
add_library(game_host STATIC ${HOST_SOURCES})
target_compile_options(game_host PUBLIC ${GAME_COMPILE_OPTIONS})
target_include_directories(game_host PUBLIC ${CMAKE_SOURCE_DIR})

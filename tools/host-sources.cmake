# What of the game compiles without Win32: the record layer, the data files,
# the stage objects but their drawing, and the shell's portable services they
# stand on. The close request has no window to go to here (tools/host_shell.cpp).
include(${CMAKE_CURRENT_LIST_DIR}/game-libraries.cmake)
list(APPEND GAME_BASE_SOURCES ${CMAKE_SOURCE_DIR}/tools/host_shell.cpp)
game_portable_libraries()
game_folder_library(stage EXCLUDE "/stage/(mirrored_surface|stage_scene_run|.*_draw)\\.cpp$" DEPENDS game_files game_records game_base)
add_library(game_host INTERFACE)
target_link_libraries(game_host INTERFACE game_stage game_files game_records game_base)

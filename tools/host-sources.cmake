# What of the game compiles without Win32: the record layer, the data files
# and the shell's portable services they stand on.
include(${CMAKE_CURRENT_LIST_DIR}/game-libraries.cmake)
game_portable_libraries()
add_library(game_host INTERFACE)
target_link_libraries(game_host INTERFACE game_files game_records game_base)

# What of the game compiles without Win32: the record layer, the data files,
# the stage objects but their drawing, and the shell's portable services they
# stand on. The close request has no window to go to here (tools/host_shell.cpp).
include(${CMAKE_CURRENT_LIST_DIR}/game-libraries.cmake)
game_portable_libraries()
# The shell and the system services are their portable headers alone here.
game_layer_library(system app/system HEADERS)
game_layer_library(shell app/shell HEADERS)
game_stage_library(PUBLIC game_shell game_system game_files game_records PRIVATE game_base)

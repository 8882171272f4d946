# The game's code: one library per layer (tools/game-libraries.cmake) and the
# executable.
include(${CMAKE_CURRENT_LIST_DIR}/game-libraries.cmake)
game_portable_libraries()
target_link_libraries(game_base PRIVATE user32 kernel32)

# The music library's interface: its header alone (the game loads the DLL).
add_library(vox_api INTERFACE)
game_include_folder(vox_api INTERFACE vox)

game_layer_library(system app/system
  PUBLIC game_files game_records game_base vox_api
  PRIVATE dsound dxguid winmm comdlg32 shell32 shlwapi imm32 ole32 comctl32 gdi32 user32 kernel32)
game_layer_library(gfx gfx
  PUBLIC game_system game_base
  PRIVATE d3dx9 d3d9 ddraw dxguid ole32 oleaut32 uuid gdi32 user32 kernel32)
target_include_directories(game_gfx SYSTEM PUBLIC /usr/include/stb)
game_layer_library(shell app/shell
  PUBLIC game_gfx game_system game_records
  PRIVATE game_files game_base comdlg32 gdi32 user32 kernel32)
game_stage_library(
  PUBLIC game_shell game_system game_files game_records
  PRIVATE game_gfx game_base)
game_layer_library(stage_draw stage/draw
  PUBLIC game_stage
  PRIVATE game_gfx game_shell game_system game_files game_records game_base)
game_layer_library(scenes scenes
  PUBLIC game_shell game_files
  PRIVATE game_stage_draw game_stage game_gfx game_system game_records game_base)

# The top: start-up, and what the program hands the layers below that they
# call upward (the screens, the stage's and the data's services); object
# libraries, so that every program of the game's code (the game, a test)
# holds the hand-overs, which run before WinMain. The objects that live for
# the whole run are built in one file, in one order (app/global_objects.cpp).
file(GLOB APP_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/app/*.cpp)
list(FILTER APP_SOURCES EXCLUDE REGEX "/app/(win_main|global_objects)\\.cpp$")
add_library(game_app OBJECT ${APP_SOURCES})
game_target_options(game_app)
game_include_folder(game_app PUBLIC app)
target_link_libraries(game_app PUBLIC game_scenes game_stage_draw game_stage game_shell game_gfx game_system game_files game_records game_base
  winmm user32 kernel32)
add_library(game_objects OBJECT ${CMAKE_SOURCE_DIR}/app/global_objects.cpp)
game_target_options(game_objects)
target_link_libraries(game_objects PUBLIC game_shell game_gfx game_system)

set(GAME_RESOURCES ${CMAKE_SOURCE_DIR}/app/game.rc)
# The resource script names its files from the top of the tree.
set_source_files_properties(${GAME_RESOURCES} PROPERTIES INCLUDE_DIRECTORIES ${CMAKE_SOURCE_DIR})
add_executable(Game WIN32 ${CMAKE_SOURCE_DIR}/app/win_main.cpp ${GAME_RESOURCES})
game_target_options(Game)
target_link_libraries(Game PRIVATE game_app game_objects)

# "Vox.dll", the Ogg Vorbis player library that the music component loads at
# run time, next to Game.exe. Its code (and the decoder, which only it holds)
# is also a static library, so that the player's tests can reach inside.
file(GLOB VOX_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/vox/*.cpp ${CMAKE_SOURCE_DIR}/vox/*.c)
list(FILTER VOX_SOURCES EXCLUDE REGEX "/vox/create_vox\\.cpp$")
add_library(vox_core STATIC ${VOX_SOURCES})
game_include_folder(vox_core PUBLIC vox)
target_include_directories(vox_core PUBLIC /usr/include/stb)
target_compile_options(vox_core PRIVATE $<$<COMPILE_LANGUAGE:CXX>:${GAME_COMPILE_OPTIONS} ${GAME_WARNING_OPTIONS}>)
# The decoder is third-party code: built as it is, its warnings not ours;
# its sample scaling relies on wrapping integer arithmetic.
set_source_files_properties(${CMAKE_SOURCE_DIR}/vox/vorbis_decoder.c PROPERTIES COMPILE_OPTIONS "-w;-O2;-fwrapv")
target_link_libraries(vox_core PUBLIC winmm)

add_library(Vox SHARED ${CMAKE_SOURCE_DIR}/vox/create_vox.cpp)
target_compile_options(Vox PRIVATE ${GAME_COMPILE_OPTIONS} ${GAME_WARNING_OPTIONS})
target_link_libraries(Vox PRIVATE vox_core)
# The export is __stdcall; --kill-at drops the "@0" so it is found as "CreateVox".
target_link_options(Vox PRIVATE -Wl,--kill-at)
set_target_properties(Vox PROPERTIES PREFIX "" OUTPUT_NAME "Vox" SUFFIX ".dll"
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# A short tune for the music tests, made at build time: two tones, one per
# channel, 0.4 s at 22050 Hz.
set(VOX_TEST_TUNE ${CMAKE_BINARY_DIR}/fixtures/tune.ogg)
add_custom_command(OUTPUT ${VOX_TEST_TUNE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/fixtures
  COMMAND sox -n -r 22050 -c 2 ${VOX_TEST_TUNE} synth 0.4 sine 440 sine 660
  COMMENT "Making the test tune fixtures/tune.ogg" VERBATIM)
add_custom_target(vox_fixtures ALL DEPENDS ${VOX_TEST_TUNE})

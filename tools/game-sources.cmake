# The game's code: one library per folder (tools/game-libraries.cmake), the
# umbrella game_core over all of them, and the executable.
include(${CMAKE_CURRENT_LIST_DIR}/game-libraries.cmake)
# Here the close request the services make goes to the main window (the
# native build has a stand-in of its own).
list(APPEND GAME_BASE_SOURCES ${CMAKE_SOURCE_DIR}/app/main_window_handle.cpp)
game_portable_libraries()
target_link_libraries(game_base PUBLIC user32 kernel32)
game_folder_library(app
  EXCLUDE "/app/(log|format|checked|sjis|file_replace|whole_file|main_window_handle|win_main)\\.cpp$"
  DEPENDS game_base game_records game_files game_gfx game_scenes
  dsound dxguid winmm comdlg32 shell32 shlwapi imm32 ole32 comctl32 gdi32 user32 kernel32)
game_folder_library(gfx
  DEPENDS game_base game_app
  d3dx9 d3d9 ddraw dxguid ole32 oleaut32 uuid gdi32 user32 kernel32)
target_include_directories(game_gfx SYSTEM PUBLIC /usr/include/stb)
game_folder_library(stage DEPENDS game_files game_records game_gfx game_app game_base)
game_folder_library(scenes DEPENDS game_stage game_files game_records game_gfx game_app game_base)

# app, gfx and scenes call one another; the linker reads static libraries
# once each, so the cycle is repeated on the link line often enough for a
# call that crosses it several times (app to gfx to app to scenes to gfx).
set_target_properties(game_app game_gfx game_scenes PROPERTIES LINK_INTERFACE_MULTIPLICITY 4)

add_library(game_core INTERFACE)
target_link_libraries(game_core INTERFACE
  game_scenes game_stage game_files game_records game_gfx game_app game_base)

file(GLOB GAME_RESOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/app/*.rc)
add_executable(Game WIN32 ${CMAKE_SOURCE_DIR}/app/win_main.cpp ${GAME_RESOURCES})
game_target_options(Game)
target_link_libraries(Game PRIVATE game_core)

# "Vox.dll", the Ogg Vorbis player library that the music component loads at
# run time, next to Game.exe. Its code (and the decoder, which only it holds)
# is also a static library, so that the player's tests can reach inside.
file(GLOB VOX_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/vox/*.cpp ${CMAKE_SOURCE_DIR}/vox/*.c)
list(FILTER VOX_SOURCES EXCLUDE REGEX "/vox/create_vox\\.cpp$")
add_library(vox_core STATIC ${VOX_SOURCES})
target_include_directories(vox_core PUBLIC ${CMAKE_SOURCE_DIR} /usr/include/stb)
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

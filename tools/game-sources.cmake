# The game's code, one static library over all subsystems, and the executable.
set(GAME_DIRS app gfx records files stage scenes)
set(GAME_SOURCES)
foreach(dir ${GAME_DIRS})
  file(GLOB dir_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
  list(APPEND GAME_SOURCES ${dir_sources})
endforeach()
# The entry point lives only in the executable, so tests can link the library.
list(FILTER GAME_SOURCES EXCLUDE REGEX "/app/win_main\\.cpp$")

add_library(game_core STATIC ${GAME_SOURCES})
target_compile_options(game_core PUBLIC ${GAME_COMPILE_OPTIONS})
target_include_directories(game_core PUBLIC ${CMAKE_SOURCE_DIR} /usr/include/stb)
target_link_libraries(game_core PUBLIC
  d3dx9 d3d9 ddraw dsound dxguid winmm comdlg32 shell32 shlwapi imm32 ole32 oleaut32 uuid
  comctl32 gdi32 user32 kernel32)

file(GLOB GAME_RESOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/app/*.rc)
add_executable(Game WIN32 ${CMAKE_SOURCE_DIR}/app/win_main.cpp ${GAME_RESOURCES})
target_link_libraries(Game PRIVATE game_core)

# "Vox.dll", the Ogg Vorbis player library that the music component loads at
# run time, next to Game.exe. Its code (and the decoder, which only it holds)
# is also a static library, so that the player's tests can reach inside.
file(GLOB VOX_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/vox/*.cpp ${CMAKE_SOURCE_DIR}/vox/*.c)
list(FILTER VOX_SOURCES EXCLUDE REGEX "/vox/create_vox\\.cpp$")
add_library(vox_core STATIC ${VOX_SOURCES})
target_include_directories(vox_core PUBLIC ${CMAKE_SOURCE_DIR} /usr/include/stb)
target_compile_options(vox_core PRIVATE $<$<COMPILE_LANGUAGE:CXX>:${GAME_COMPILE_OPTIONS}>)
# The decoder is third-party code: built as it is, its warnings not ours.
set_source_files_properties(${CMAKE_SOURCE_DIR}/vox/vorbis_decoder.c PROPERTIES COMPILE_OPTIONS "-w;-O2")
target_link_libraries(vox_core PUBLIC winmm)

add_library(Vox SHARED ${CMAKE_SOURCE_DIR}/vox/create_vox.cpp)
target_compile_options(Vox PRIVATE ${GAME_COMPILE_OPTIONS})
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

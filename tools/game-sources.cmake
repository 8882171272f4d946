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

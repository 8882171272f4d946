# The native test build's share of the fuzz targets: every input a fuzzer
# ever crashed on is kept in tests/fuzz/<target>/ and replayed by a test.
add_library(fuzz_support STATIC ${CMAKE_SOURCE_DIR}/fuzz/fuzz_support.cpp)
target_include_directories(fuzz_support PUBLIC ${CMAKE_SOURCE_DIR} /usr/include/stb)
target_link_libraries(fuzz_support PUBLIC game_stage sample_lib)
# The third-party decoder converts out-of-range floats to int, shifts the
# end-of-packet value -1 left, offsets null pointers by zero and lets its
# sample scaling wrap on damaged files (defined results on x86 and, for the
# wrap, under -fwrapv as in the game; undefined in C): its memory errors are
# what the fuzzing is for.
set_source_files_properties(${CMAKE_SOURCE_DIR}/vox/vorbis_decoder.c PROPERTIES COMPILE_OPTIONS
  "-w;-fwrapv;-fno-sanitize=float-cast-overflow,pointer-overflow,shift-base,signed-integer-overflow")

# The replaying entry is compiled once for all targets.
add_library(replay_main OBJECT ${CMAKE_SOURCE_DIR}/fuzz/replay_main.cpp)
target_link_libraries(replay_main PUBLIC fuzz_support)

function(fuzz_target name)
  list(TRANSFORM ARGN PREPEND ${CMAKE_SOURCE_DIR}/)
  add_executable(replay_${name} ${CMAKE_SOURCE_DIR}/fuzz/${name}.cpp $<TARGET_OBJECTS:replay_main> ${ARGN})
  target_link_libraries(replay_${name} PRIVATE fuzz_support)
  add_test(NAME FuzzInputs.${name} COMMAND replay_${name} ${CMAKE_SOURCE_DIR}/tests/fuzz/${name})
  set_tests_properties(FuzzInputs.${name} PROPERTIES TIMEOUT 120 LABELS host
    ENVIRONMENT "UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1")
endfunction()

include(${CMAKE_SOURCE_DIR}/fuzz/targets.cmake)

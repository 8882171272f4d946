# Every fuzz target: fuzz/<name>.cpp, then the sources it needs beyond the
# host library (tools/host-sources.cmake). A new loader's target is one file
# there and one line here.
fuzz_target(common_palette)
fuzz_target(stage)
fuzz_target(anime_set)
fuzz_target(block_definition)
fuzz_target(chara_definition)
fuzz_target(item_definition)
fuzz_target(flow)
fuzz_target(boot_data app/boot_data.cpp)
fuzz_target(system_ini app/system_ini.cpp)
fuzz_target(midi app/midi_file.cpp)
fuzz_target(ogg vox/vorbis_decoder.c vox/vorbis_arena.cpp)

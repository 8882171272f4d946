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
fuzz_target(boot_data app/system/boot_data.cpp)
fuzz_target(system_ini app/system/system_ini.cpp)
fuzz_target(midi app/system/midi_file.cpp)
fuzz_target(ogg vox/vorbis_decoder.c vox/vorbis_arena.cpp)
fuzz_target(system_data)
fuzz_target(database)
fuzz_target(world_map)
fuzz_target(game_progress)
fuzz_target(ranking)
fuzz_target(option_data)
fuzz_target(replay)
fuzz_target(window_data app/shell/window_data_record.cpp)
fuzz_target(wave app/system/wave_file.cpp)
fuzz_target(bmp gfx/bmp_header.cpp)
# The play targets: a stage file, or the common palette, read and played
# through the stage-play screen with the sample game around it.
fuzz_target(play_stage fuzz/play_fuzz.cpp tests/stage/sample_plays.cpp)
fuzz_target(play_defs fuzz/play_fuzz.cpp tests/stage/sample_plays.cpp)

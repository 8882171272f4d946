# Sourced by the scripts: the native build of the data layer (the record and
# file classes, their sanitizer tests and the sample game's generator).
HOST_BUILD_DIR=${HOST_BUILD_DIR:-${BUILD_DIR:-build}-host}

# Configures HOST_BUILD_DIR when needed, then builds the given targets (all
# when none are given).
host_build() {
  . tools/ccache.sh
  if [ ! -f "$HOST_BUILD_DIR/build.ninja" ]; then
    cmake -S . -B "$HOST_BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Debug "${CCACHE_LAUNCHER[@]}" \
      -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer" >/dev/null
  fi
  if [ $# -gt 0 ]; then
    cmake --build "$HOST_BUILD_DIR" -j "$(nproc)" --target "$@"
  else
    cmake --build "$HOST_BUILD_DIR" -j "$(nproc)"
  fi
}

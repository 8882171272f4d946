# Sourced by the build scripts, from the top of the checkout: ccache, where the
# machine has it, shares compiled objects between builds and checkouts.
# CCACHE_LAUNCHER holds the configure arguments that put it in front of the
# compilers (none without ccache).
CCACHE_LAUNCHER=()
if command -v ccache >/dev/null; then
  CCACHE_LAUNCHER=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  # Paths inside the checkout count relative to it, and the folder compiled
  # in does not count (it only names where the debug information was made):
  # another checkout, a fresh clone among them, hits too.
  export CCACHE_BASEDIR="$PWD"
  export CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
fi

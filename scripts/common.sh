# Shared by the set-up scripts: install what is missing, configure, build, fuzz.
# Sourced, not run.

TESSALOOM_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
TESSALOOM_BUILD=${TESSALOOM_BUILD:-$TESSALOOM_ROOT/build}
# The core, the CLI and their tests with AddressSanitizer and UndefinedBehaviorSanitizer.
TESSALOOM_SANITIZE_BUILD=${TESSALOOM_SANITIZE_BUILD:-$TESSALOOM_BUILD-sanitize}
# The fuzz targets: clang (libFuzzer) with the same sanitizers. A build of its own, so
# that the tests above keep building with the project's compiler, whose C++20 is
# ahead of clang 14's (aggregates initialised with parentheses, for one).
TESSALOOM_FUZZ_BUILD=${TESSALOOM_FUZZ_BUILD:-$TESSALOOM_BUILD-fuzz}

TESSALOOM_PACKAGES=(
  g++ cmake ninja-build pkg-config git
  libpng-dev libgif-dev libcli11-dev nlohmann-json3-dev
  libgtest-dev libgmock-dev libbenchmark-dev librapidcheck-dev
  qt6-base-dev qt6-svg-dev libqt6svg6 libgl-dev fonts-dejavu-core
)
# The compiler of the fuzz build, with its sanitizer and libFuzzer runtimes.
TESSALOOM_CLANG_PACKAGES=(clang libclang-rt-14-dev)

# The fuzz targets of tests/fuzz, by name.
TESSALOOM_FUZZ_TARGETS=(sprite rle act bmp palette roundtrip)

# Installs the Debian packages that are not installed yet; does nothing when all are.
tessaloom_install() {
  local missing=()
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Configures the tree in $1 once, with the CMake options that follow.
tessaloom_configure() {
  local dir=$1
  shift
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$TESSALOOM_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  fi
}

# Configures (once) and builds the tree in $1 with the CMake options that follow.
tessaloom_build() {
  tessaloom_configure "$@"
  cmake --build "$1"
}

# Configures (once) and builds the sanitizer build: the core, the CLI and their tests.
# Unoptimised: it compiles in less than half the time, and the tests stay quick.
tessaloom_build_sanitized() {
  tessaloom_build "$TESSALOOM_SANITIZE_BUILD" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++ \
    -DTESSALOOM_SANITIZE=ON -DTESSALOOM_GUI=OFF -DTESSALOOM_BENCH=OFF
}

# Configures (once) and builds the fuzz targets and their seeds, and nothing else.
tessaloom_build_fuzz() {
  tessaloom_configure "$TESSALOOM_FUZZ_BUILD" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DTESSALOOM_SANITIZE=ON -DTESSALOOM_FUZZ=ON -DTESSALOOM_GUI=OFF -DTESSALOOM_BENCH=OFF
  cmake --build "$TESSALOOM_FUZZ_BUILD" --target tessaloom_fuzz
}

# Runs the fuzz target $1 for $2 seconds from its seeds and kept regression inputs,
# adding what it discovers to the corpus folder $3. Prints one line of figures, or
# the end of the log when libFuzzer found something (a crash, a sanitizer report, a
# leak, a broken check, an input slower than 10 s or an allocation over 64 MB, which
# no input of a few kilobytes justifies). Fails on any finding; the input is kept
# in the build's fuzz/findings folder.
tessaloom_fuzz_run() {
  local name=$1 seconds=$2 corpus=$3
  local fuzz=$TESSALOOM_FUZZ_BUILD/fuzz
  local inputs=("$corpus" "$fuzz/seeds/$name")
  [ -d "$TESSALOOM_ROOT/tests/data/regressions/$name" ] && inputs+=("$TESSALOOM_ROOT/tests/data/regressions/$name")
  mkdir -p "$corpus" "$fuzz/findings" "$fuzz/logs"
  local log=$fuzz/logs/$name.log status=0
  UBSAN_OPTIONS=print_stacktrace=1 "$TESSALOOM_FUZZ_BUILD/tests/fuzz/fuzz_$name" "${inputs[@]}" \
    -max_total_time="$seconds" -timeout=10 -malloc_limit_mb=64 -rss_limit_mb=2048 \
    -artifact_prefix="$fuzz/findings/$name-" -print_final_stats=1 >"$log" 2>&1 || status=$?
  if [ "$status" -ne 0 ]; then
    tail -n 60 "$log"
    echo "fuzz $name: FINDING (exit status $status); full log: $log"
    return "$status"
  fi
  local runs speed coverage corpusSize
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  coverage=$(sed -n 's/.*[[:space:]]DONE .*cov: \([0-9]*\).*/\1/p' "$log")
  corpusSize=$(sed -n 's/.*[[:space:]]DONE .*corp: \([^ ]*\).*/\1/p' "$log")
  printf 'fuzz %-9s clean: %10s runs, %6s runs/s, coverage %5s, corpus %s inputs/bytes\n' \
    "$name" "$runs" "$speed" "$coverage" "$corpusSize"
}

#!/usr/bin/env bash
# Sets up a Debian 12 machine for Quorlax, builds it, and either plays it or runs every test.
#   bash tools/quorlax.sh run    install what is missing, build (Release), start the game
#   bash tools/quorlax.sh test   install what is missing, build, run the whole test suite,
#                                then build and run it again under AddressSanitizer + UBSan,
#                                then fuzz the model loading for a minute per target (clang)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)

packages=(build-essential cmake pkg-config
  libglfw3-dev libglew-dev libassimp-dev libfreeimage-dev libglm-dev libgtest-dev libx11-dev libimgui-dev
  libgl1-mesa-dri xvfb xauth xdotool imagemagick x11-utils clang libclang-rt-14-dev)

install_missing_packages() {
  local missing=()
  for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
}

# build <dir> <cmake options...>
build() {
  local dir=$1
  shift
  cmake -S "$root" -B "$dir" "$@"
  cmake --build "$dir" -j "$jobs"
}

run_tests() {
  (cd "$1" && ctest --output-on-failure -j "$jobs" --timeout 900)
}

case "${1:-}" in
  run)
    install_missing_packages
    build "$root/build" -DCMAKE_BUILD_TYPE=Release
    cd "$root/build"
    if [ -z "${DISPLAY:-}" ]; then
      echo "No display found: starting Quorlax on a virtual X server (Xvfb)."
      exec xvfb-run -a -s "-screen 0 1024x768x24" ./quorlax
    fi
    exec ./quorlax
    ;;
  test)
    install_missing_packages
    build "$root/build" -DCMAKE_BUILD_TYPE=Release
    run_tests "$root/build"
    build "$root/build-sanitize" -DCMAKE_BUILD_TYPE=Debug -DQUORLAX_SANITIZE=ON
    export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
    export LSAN_OPTIONS="suppressions=$root/tests/support/lsan.supp:print_suppressions=0"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
    # Keep the software GL driver loaded until exit, so that its own leaks are reported under its
    # name (and suppressed) rather than under an unloaded, unnamed module.
    driver=$(ls /usr/lib/*/dri/swrast_dri.so 2>/dev/null | head -n 1 || true)
    if [ -n "$driver" ]; then
      export LD_PRELOAD="$driver"
      export ASAN_OPTIONS="$ASAN_OPTIONS:verify_asan_link_order=0"
    fi
    run_tests "$root/build-sanitize"
    if command -v clang++ >/dev/null; then
      env -u LD_PRELOAD -u ASAN_OPTIONS -u LSAN_OPTIONS -u UBSAN_OPTIONS \
        bash "$root/tests/fuzz/run.sh" "$root/build" "$root/build-fuzz" 60
    fi
    ;;
  *)
    echo "usage: bash tools/quorlax.sh run|test" >&2
    exit 2
    ;;
esac

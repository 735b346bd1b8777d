#!/usr/bin/env bash
# Sets up Vokamo on a Debian 12 machine.
#   tools/setup.sh run    install what building and running need, build, and
#                         start the program in ~/Vokamo (made on its first start,
#                         with the sample question files)
#   tools/setup.sh test   install the developer tools as well, build everything
#                         and run all tests, then the core tests under the
#                         sanitizers and each fuzz target
# Run as root, as a user who may use sudo, or from a terminal where su asks
# for root's password. Nothing else asks questions.
# Reads VOKAMO_BUILD (build folder, default build/), VOKAMO_HOME (the pupil's
# folder, default ~/Vokamo) and VOKAMO_JOBS (parallel compile jobs, default 2).
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${VOKAMO_BUILD:-$ROOT/build}"
ASAN_BUILD="${VOKAMO_ASAN_BUILD:-$ROOT/build-asan}"
FUZZ_BUILD="${VOKAMO_FUZZ_BUILD:-$ROOT/build-fuzz}"
WORK="${VOKAMO_HOME:-${HOME:-.}/Vokamo}"
JOBS="${VOKAMO_JOBS:-2}"

# Building and running: the X11 platform plugin comes with Qt's GUI library,
# Qt's own Japanese texts with qt6-translations-l10n; libcsv reads the word
# tables teachers save from a spreadsheet and writes the class overview's CSV;
# printing comes with qt6-base-dev (Qt Print Support).
PACKAGES=(
    g++ cmake ninja-build pkg-config libcsv-dev
    qt6-base-dev qt6-multimedia-dev qt6-svg-dev qt6-translations-l10n
    fonts-ipafont-mincho fonts-ipafont-gothic fonts-liberation2
)
# Developers and CI: test and benchmark libraries, the virtual screen the
# window tests drive, what building and checking the Debian package needs,
# and a sound server with a null sink for the playback tests.
TEST_PACKAGES=(
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xdotool x11-utils libx11-dev imagemagick
    desktop-file-utils appstream dpkg-dev file lintian devscripts ccache
    pulseaudio pulseaudio-utils
    clang libclang-rt-14-dev
)

say() { printf '%s\n' "$*"; }

# Debian installed with a root password has no sudo: then su asks for root's
# password, as sudo would ask for the user's.
as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null 2>&1; then
        sudo "$@"
    elif [ -t 0 ]; then
        say "root のパスワードを入れてください（sudo がないため su を使います）。"
        say "Enter root's password (sudo is not installed, so su is used)."
        su root -c "$(printf '%q ' "$@")"
    else
        say "パッケージを入れるには root の権限が必要です。root で実行するか、端末から実行してください。"
        say "Installing packages needs root: run this as root, or from a terminal to be asked for root's password."
        exit 1
    fi
}

install_packages() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    if [ "${#missing[@]}" -eq 0 ]; then
        say "== packages: all present"
        return
    fi
    say "== installing: ${missing[*]}"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

configure() {
    cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@"
}

has_display() {
    [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]
}

cmd_run() {
    install_packages "${PACKAGES[@]}"
    # Tests and benchmarks need the developer packages; a parent's build leaves them out.
    configure -DVOKAMO_WERROR=OFF -DVOKAMO_TESTS=OFF -DVOKAMO_BENCH=OFF
    cmake --build "$BUILD" --target vokamo -j "$JOBS"

    # With --home the program works in the pupil's own folder, as when started
    # from the menu: made on the first start with the sample question files;
    # files already there are never overwritten.
    local chosen=""
    [ -n "${VOKAMO_HOME:-}" ] && chosen="VOKAMO_HOME=\"$WORK\" "
    export VOKAMO_HOME="$WORK"
    if ! has_display; then
        say ""
        say "Vokamo を作りました: $BUILD/vokamo"
        say "画面（ディスプレイ）が見つからないため、いまは表示しません。"
        say "デスクトップで端末を開き、次のどちらかで起動できます:"
        say "    \"$ROOT/tools/setup.sh\" run"
        say "    $chosen\"$BUILD/vokamo\" --home"
        say "画面のないコンピューターで試すだけなら、仮想画面 Xvfb を使えます:"
        say "    sudo apt-get install xvfb"
        say "    VOKAMO_HOME=\"$WORK\" xvfb-run -a \"$BUILD/vokamo\" --home"
        say ""
        say "Vokamo is built: $BUILD/vokamo"
        say "No display was found (DISPLAY and WAYLAND_DISPLAY are empty), so it is not started now."
        say "To start it later, open a terminal on your desktop and run either of the two commands"
        say "above; to try it on a machine without a screen, install xvfb and use the xvfb-run line."
        exit 0
    fi
    say "== starting Vokamo in $WORK"
    exec "$BUILD/vokamo" --home
}

cmd_test() {
    install_packages "${PACKAGES[@]}" "${TEST_PACKAGES[@]}"
    # The package test builds the program once more in a fresh folder, the
    # README's way (without -Werror, which changes no object); the compiler
    # cache makes that a matter of seconds.
    export CMAKE_CXX_COMPILER_LAUNCHER="${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}"
    export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$ROOT}" CCACHE_IGNOREOPTIONS="${CCACHE_IGNOREOPTIONS:--Werror}"
    # Developers and CI build with warnings as errors; a parent's install does not.
    configure -DVOKAMO_WERROR=ON -DVOKAMO_TESTS=ON -DVOKAMO_BENCH=ON
    cmake --build "$BUILD" -j "$JOBS"
    cd "$BUILD"
    # Window tests choose Qt's offscreen platform themselves and the end-to-end
    # test starts its own Xvfb, so no display is needed. Twice as many tests
    # as processors at a time: the end-to-end and package tests spend most of
    # their time waiting for windows, and the package build runs at the lowest
    # priority.
    ctest --output-on-failure --timeout 300 -j "$((JOBS * 2))"

    # The core tests again under AddressSanitizer and UndefinedBehaviorSanitizer,
    # and each fuzz target for 30 s, each in a build folder of its own so that
    # the Release build above stays as it is.
    say "== core tests under AddressSanitizer and UndefinedBehaviorSanitizer"
    cmake -S "$ROOT" -B "$ASAN_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVOKAMO_SANITIZE=ON \
        -DVOKAMO_TESTS=ON -DVOKAMO_BENCH=OFF -DVOKAMO_WERROR=ON
    cmake --build "$ASAN_BUILD" --target core_tests -j "$JOBS"
    "$ASAN_BUILD/tests/core_tests" --gtest_brief=1
    say "== fuzz targets"
    VOKAMO_JOBS="$JOBS" bash "$ROOT/tools/fuzz.sh" 30 "$FUZZ_BUILD"
}

case "${1:-}" in
    run) cmd_run ;;
    test) cmd_test ;;
    *)
        say "usage: $0 run | test"
        say "  run   install what Vokamo needs, build and start it in ~/Vokamo"
        say "  test  install the developer tools too, build and run all tests"
        exit 64
        ;;
esac

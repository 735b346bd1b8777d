#!/usr/bin/env bash
# Sets up Vokamo on a Debian 12 machine.
#   tools/setup.sh run    install what is needed, build, and start the program
#                         in ~/Vokamo (sample question files are copied there)
#   tools/setup.sh test   install what is needed, build everything and run all tests
# Run as root or as a user who may use sudo. Nothing asks questions.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${VOKAMO_BUILD:-$ROOT/build}"
WORK="${VOKAMO_HOME:-${HOME:-.}/Vokamo}"
JOBS="${VOKAMO_JOBS:-2}"

PACKAGES=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-multimedia-dev qt6-svg-dev qt6-qpa-plugins
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-ipafont-mincho fonts-ipafont-gothic fonts-liberation2
    xvfb xdotool x11-utils libx11-dev imagemagick
)

say() { printf '%s\n' "$*"; }

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null 2>&1; then
        sudo "$@"
    else
        say "パッケージを入れるには root の権限が必要です。root で実行するか、sudo を使えるようにしてください。"
        say "Installing packages needs root: run this as root or install sudo."
        exit 1
    fi
}

install_packages() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
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
    install_packages
    configure -DVOKAMO_WERROR=OFF
    cmake --build "$BUILD" --target vokamo -j "$JOBS"

    # The learner's own folder: records are saved here. Samples are copied only
    # when missing, so a pupil's edited or added files are never overwritten.
    mkdir -p "$WORK"
    shopt -s nullglob
    for f in "$ROOT"/samples/*; do
        [ -e "$WORK/$(basename "$f")" ] || cp "$f" "$WORK/"
    done
    shopt -u nullglob

    if ! has_display; then
        say ""
        say "画面（ディスプレイ）が見つからないため、Vokamo を表示できません。"
        say "デスクトップの中の端末から、もう一度このコマンドを実行してください。"
        say "画面のないサーバーで試すだけなら、仮想画面 Xvfb を使えます:"
        say "    cd \"$WORK\" && xvfb-run -a \"$BUILD/vokamo\""
        say ""
        say "No display found (DISPLAY and WAYLAND_DISPLAY are empty), so Vokamo cannot open its window."
        say "Run this command again from a terminal on your desktop, or, to try it on a machine"
        say "without a screen, start it under the virtual X server Xvfb:"
        say "    cd \"$WORK\" && xvfb-run -a \"$BUILD/vokamo\""
        say "The program is built: $BUILD/vokamo"
        exit 2
    fi
    say "== starting Vokamo in $WORK"
    cd "$WORK"
    exec "$BUILD/vokamo"
}

cmd_test() {
    install_packages
    # Developers and CI build with warnings as errors; a parent's install does not.
    configure -DVOKAMO_WERROR=ON
    cmake --build "$BUILD" -j "$JOBS"
    cd "$BUILD"
    # Window tests choose Qt's offscreen platform themselves and the end-to-end
    # test starts its own Xvfb, so no display is needed.
    ctest --output-on-failure --timeout 300 -j "$JOBS"
}

case "${1:-}" in
    run) cmd_run ;;
    test) cmd_test ;;
    *)
        say "usage: $0 run | test"
        say "  run   install, build and start Vokamo in ~/Vokamo"
        say "  test  install, build and run all tests"
        exit 64
        ;;
esac

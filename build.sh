#!/usr/bin/env bash
# Sets up, builds and runs Gridslate on Debian.
#   ./build.sh run [ARGS...]   install what is missing, build, start the program
#   ./build.sh test            install what is missing, build, run every test
#   ./build.sh package         install what is missing, build, write build/gridslate_*.deb
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake ninja-build g++ pkg-config qt6-base-dev libsqlite3-dev libcurl4-openssl-dev
          googletest libgtest-dev libgmock-dev libbenchmark-dev python3-pyftpdlib
          desktop-file-utils appstream qt6-charts-dev dpkg-dev file
          libhowardhinnant-date-dev tzdata chromium)

install_missing() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

build() {
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGRIDSLATE_WERROR=ON >/dev/null
    cmake --build build
}

case "${1:-}" in
run)
    shift
    install_missing
    build
    exec ./build/app/gridslate "$@"
    ;;
test)
    install_missing
    build
    export QT_QPA_PLATFORM=offscreen
    ctest --test-dir build --output-on-failure -j2
    ;;
package)
    install_missing
    build
    (cd build && cpack -G DEB)
    ;;
*)
    echo "usage: $0 run [ARGS...] | test | package" >&2
    exit 2
    ;;
esac

#!/usr/bin/env bash
# Installs what is missing (Debian 12), builds, then starts Parlog or runs every test.
#   ./build.sh run     build and start Parlog
#   ./build.sh test    build and run every test
#   ./build.sh build   build only
#   ./build.sh package build the Debian package, left in build/
# PARLOG_CMAKE_FLAGS adds options to the configure step (CI: -DPARLOG_WERROR=ON).
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake ninja-build g++ qt6-base-dev libqt6opengl6-dev qt6-charts-dev qt6-svg-dev
          libqt6sql6-sqlite libqt6sql6-psql libsqlite3-dev sqlite3 fonts-dejavu-core fonts-liberation
          poppler-utils)
# Packaging needs dpkg-shlibdeps (dpkg-dev) and CPack's look at the binaries (file).
[ "${1:-run}" = package ] && packages+=(dpkg-dev file)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# shellcheck disable=SC2086
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo ${PARLOG_CMAKE_FLAGS:-}
cmake --build build --parallel "$(nproc)"

case "${1:-run}" in
    run)   exec build/parlog ;;
    test)  cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)" ;;
    build) ;;
    package) cd build && cpack -G DEB && ls -l "$PWD"/parlog_*.deb ;;
    *)     echo "usage: $0 [run|test|build|package]" >&2; exit 2 ;;
esac

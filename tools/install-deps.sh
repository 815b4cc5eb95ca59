#!/usr/bin/env bash
# Installs the Debian 12 packages the project needs to build and run, when any is missing; with
# --tests first, also those the test suite and the benchmarks need. Further packages named as
# arguments are installed the same way.
set -euo pipefail
# Installs the missing ones of the packages named; the options go to apt-get before them.
install_missing() {
    local options=()
    while [ "${1:-}" != -- ]; do
        options+=("$1")
        shift
    done
    shift
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "installing: ${missing[*]}"
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${options[@]}" "${missing[@]}"
    fi
}
packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6printsupport6 libqt6svg6 libgl-dev
    libsqlite3-dev sqlite3 libpq-dev libpugixml-dev zlib1g-dev libzip-dev
    qt6-translations-l10n xvfb xauth fonts-wqy-microhei
)
tests=no
if [ "${1:-}" = --tests ]; then
    tests=yes
    shift
    packages+=(clang-format libgtest-dev libgmock-dev libbenchmark-dev python3-openpyxl
        poppler-utils)
fi
packages+=("$@")
install_missing -- "${packages[@]}"
if [ "$tests" = yes ]; then
    # The spreadsheet round-trip tests change a file in LibreOffice Calc, headless. Its
    # recommendations would bring in Java, a desktop's fonts and more, none of which a headless
    # conversion uses.
    install_missing --no-install-recommends -- libreoffice-calc-nogui
fi

#!/usr/bin/env bash
# Builds the Debian package from the release preset and checks it the way a user gets it:
# lintian reports no error; apt-get installs it with its dependencies; the installed programs
# answer --version and --help; the installed host, started by a user with no configuration in a
# fresh home and no display, builds that user's demo database and shows its main window, loading
# nothing from the build tree; the installed report tool reads that database, and the installed
# import takes the report's rows back unchanged; apt-get remove and purge leave none of the
# package's files behind, and the user's data stays.
# Meant for root on Debian 12, as in CI: it installs and removes the package on this machine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh lintian
cmake --preset release
cmake --build --preset release --target whinv whinv-demo-db whinv-report whinv-admin whinv-import \
    korvel
rm -f build/release/whinv_*.deb
(cd build/release && cpack -G DEB)
deb=$(echo build/release/whinv_*.deb)
version=$(dpkg-deb -f "$deb" Version)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "check-package: $*" >&2
    exit 1
}

echo "== lintian $deb"
lintian --fail-on error --display-info "$deb" | tee "$work/lintian" || fail "lintian reports errors"
echo "lintian: $(grep -c '^E:' "$work/lintian" || true) errors," \
    "$(grep -c '^W:' "$work/lintian" || true) warnings"

echo "== install"
if dpkg-query -W -f='${Status}' whinv 2>/dev/null | grep -q installed; then
    apt-get purge -y -qq whinv
fi
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "./$deb"
dpkg -L whinv | grep -vx '/\.' >"$work/files"
echo "installed $(wc -l <"$work/files") paths; depends: $(dpkg-query -W -f='${Depends}' whinv)"

echo "== the installed programs"
[ "$(/usr/bin/whinv --version)" = "whinv $version" ] || fail "whinv --version is not $version"
/usr/bin/whinv --help | grep -q -- --database || fail "whinv --help lists no options"
/usr/bin/whinv-demo-db --help | grep -q -- --output || fail "whinv-demo-db --help"
/usr/bin/whinv-report --help | grep -q -- --storekeeper || fail "whinv-report --help"
/usr/bin/whinv-import --help | grep -q -- --dry-run || fail "whinv-import --help"
for file in /usr/lib/whinv/bin/* /usr/lib/whinv/lib/*; do
    if readelf -d "$file" | grep -E 'R(UN)?PATH' | grep -v '\[\$ORIGIN[^]]*\]$'; then
        fail "$file searches its libraries outside the package"
    fi
done
if grep -F "$PWD" /usr/lib/whinv/registry/*.reg; then
    fail "the installed registration names the build tree"
fi

echo "== first start of a new user, without a display"
home=$(mktemp -d)
trap 'rm -rf "$work" "$home"' EXIT
chown nobody "$home"
as_new_user() {
    runuser -u nobody -- env -i HOME="$home" PATH=/usr/bin:/bin QT_QPA_PLATFORM=offscreen "$@"
}
(cd / && as_new_user LD_DEBUG=libs LD_DEBUG_OUTPUT="$home/loaded" whinv --quit-after-show) ||
    fail "the installed whinv did not show its main window"
[ -s "$home/.local/share/whinv/demo.db" ] || fail "no demo database in the user's data folder"
grep -h 'calling init: ' "$home"/loaded.* | sed 's/.*calling init: //' | sort -u >"$work/loaded"
grep -qx /usr/lib/whinv/lib/libkorvel.so "$work/loaded" || fail "the component was not loaded"
if grep -F "$PWD" "$work/loaded"; then
    fail "the installed whinv loaded a library from the build tree"
fi
due=$(as_new_user whinv-report due --date 2026-12-31 | wc -l)
[ "$due" -gt 1 ] || fail "the installed whinv-report found no due rows"
echo "whinv showed the new demo database; whinv-report listed $((due - 1)) due rows"
# The report's own rows, read back by the installed import: every one unchanged.
as_new_user whinv-report due --date 2026-12-31 --output "$home/due.csv"
as_new_user whinv-import "$home/due.csv" --dry-run --date 2026-12-31 >"$work/import" ||
    fail "the installed whinv-import did not take back the report's rows: $(cat "$work/import")"
echo "whinv-import read the report back: $(head -1 "$work/import")"

left_behind() {
    local path
    while read -r path; do
        if [ -L "$path" ] || [ -f "$path" ]; then
            echo "$path"
        elif [ -d "$path" ] && ! dpkg-query -S "$path" >/dev/null 2>&1; then
            echo "$path"
        fi
    done <"$work/files"
}
echo "== remove"
apt-get remove -y -qq whinv
left=$(left_behind)
[ -z "$left" ] || fail "left behind after apt-get remove: $left"
# A package without configuration files is gone whole after the remove; dpkg takes a purge of
# it all the same, where apt no longer knows the name.
echo "== purge"
dpkg --purge whinv
left=$(left_behind)
[ -z "$left" ] || fail "left behind after the purge: $left"
! dpkg-query -W -f='${Status}\n' whinv 2>/dev/null | grep -q installed ||
    fail "whinv is still installed"
[ -s "$home/.local/share/whinv/demo.db" ] || fail "the user's demo database went with the package"
echo "check-package: $deb passed: lintian without errors, installed, started, removed clean"

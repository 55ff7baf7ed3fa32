#!/usr/bin/env bash
# Builds the Debian package with CPack, checks its control data and contents, installs it with
# dpkg -i, and starts `tavlor` from PATH under the X server: its window must appear and close.
# Installing needs root (CI runs as root); otherwise the test is skipped (exit 77).
# Usage, under xvfb-run: deb_package_test.sh BUILD_DIR
set -euo pipefail
BUILD=${1:?build folder}
if [ "$(id -u)" -ne 0 ]; then
    echo "SKIP: installing the .deb with dpkg -i needs root; run as root (as CI does) to test it"
    exit 77
fi
export TAVLOR_BIN=tavlor E2E_NAME=deb_package # started by name, from PATH
source "$(dirname "$0")/lib.sh"

step "building the package with cpack -G DEB"
OUT=$E2E_WORK/package
cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$OUT" >>"$E2E_LOG" 2>&1 ||
    fail "cpack -G DEB failed (see $E2E_LOG)"
DEB=$(ls "$OUT"/tavlor_*.deb 2>/dev/null | head -n 1)
[ -n "$DEB" ] || fail "cpack made no tavlor_*.deb in $OUT"
step "built $(basename "$DEB")"
cp "$DEB" "$E2E_ARTIFACTS/"

field() { dpkg-deb -f "$DEB" "$1"; }
[ "$(field Package)" = tavlor ] || fail "package name is \"$(field Package)\""
[ "$(field Version)" = 1.1.0.0 ] || fail "package version is \"$(field Version)\""
[ "$(field Maintainer)" = "Vorlane Software <tavlor@vorlane.example>" ] ||
    fail "maintainer is \"$(field Maintainer)\""
DEPENDS=$(field Depends)
step "Depends: $DEPENDS"
DEPENDS_NAMES=$(tr ',' '\n' <<<"$DEPENDS" | sed 's/([^)]*)//; s/[[:space:]]//g')
for lib in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libcups2 libstdc++6 libc6; do
    grep -qxF "$lib" <<<"$DEPENDS_NAMES" || fail "Depends lacks $lib: $DEPENDS"
done
RECOMMENDS_NAMES=$(field Recommends | tr ',' '\n' | sed 's/([^)]*)//; s/[[:space:]]//g')
grep -qxF qt6-wayland <<<"$RECOMMENDS_NAMES" || fail "Recommends lacks qt6-wayland: $(field Recommends)"
CONTENTS=$(dpkg-deb -c "$DEB" | awk '{print $NF}')
for f in ./usr/bin/tavlor ./usr/share/applications/tavlor.desktop \
    ./usr/share/icons/hicolor/48x48/apps/tavlor.png ./usr/share/icons/hicolor/scalable/apps/tavlor.svg \
    ./usr/share/metainfo/example.vorlane.tavlor.metainfo.xml ./usr/share/tavlor/versions.txt \
    ./usr/share/tavlor/license.txt ./usr/share/doc/tavlor/copyright; do
    grep -qxF "$f" <<<"$CONTENTS" || fail "the package lacks $f"
done

WAS_INSTALLED=no
if dpkg-query -W -f='${Status}' tavlor 2>/dev/null | grep -q "install ok installed"; then
    WAS_INSTALLED=yes
fi
step "installing with dpkg -i (tavlor installed before: $WAS_INSTALLED)"
dpkg -i "$DEB" >>"$E2E_LOG" 2>&1 || fail "dpkg -i $(basename "$DEB") failed (see $E2E_LOG)"
remove_again() {
    if [ "$WAS_INSTALLED" = no ]; then
        dpkg -r tavlor >/dev/null 2>&1 || echo "warning: dpkg -r tavlor failed" >&2
    fi
}
trap 'remove_again; e2e_cleanup' EXIT
dpkg-query -W -f='${Status}' tavlor | grep -q "install ok installed" || fail "dpkg does not list tavlor as installed"

ON_PATH=$(command -v tavlor || true)
[ "$ON_PATH" = /usr/bin/tavlor ] || fail "tavlor on PATH is \"$ON_PATH\", expected /usr/bin/tavlor"
step "starting tavlor from PATH"
cd "$E2E_WORK"
start_app
wait_window "Vorlane Tavlor" 20
screenshot deb_package
close_request
wait_exit 10
[ "$APP_STATUS" -eq 0 ] || fail "tavlor ended with status $APP_STATUS after the close request"
echo "PASS: the .deb builds, installs, and tavlor runs from PATH"

#!/usr/bin/env bash
# Installs the build into a temporary prefix with `cmake --install` and checks the desktop layout:
# program, desktop entry, icons, AppStream metainfo and version history, with both validators.
# Usage: install_layout_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
BUILD=${1:?build folder}
SOURCE=${2:?source folder}
PREFIX=$(mktemp -d "${TMPDIR:-/tmp}/tavlor-install.XXXXXX")
trap 'rm -rf "$PREFIX"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
ok() { echo "ok: $*"; }

for tool in desktop-file-validate appstreamcli file; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (bash scripts/setup.sh installs it)" >&2; exit 1; }
done

cmake --install "$BUILD" --prefix "$PREFIX" >"$PREFIX.log" 2>&1 || { cat "$PREFIX.log" >&2; rm -f "$PREFIX.log"; echo "FAIL: cmake --install failed" >&2; exit 1; }
rm -f "$PREFIX.log"

DESKTOP=$PREFIX/share/applications/tavlor.desktop
METAINFO=$PREFIX/share/metainfo/example.vorlane.tavlor.metainfo.xml
PNG=$PREFIX/share/icons/hicolor/48x48/apps/tavlor.png
SVG=$PREFIX/share/icons/hicolor/scalable/apps/tavlor.svg
VERSIONS=$PREFIX/share/tavlor/versions.txt
LICENSE=$PREFIX/share/tavlor/license.txt
COPYRIGHT=$PREFIX/share/doc/tavlor/copyright

[ -x "$PREFIX/bin/tavlor" ] && ok "bin/tavlor is executable" || fail "bin/tavlor is missing or not executable"
for f in "$DESKTOP" "$METAINFO" "$PNG" "$SVG" "$VERSIONS" "$LICENSE" "$COPYRIGHT"; do
    [ -s "$f" ] && ok "${f#"$PREFIX"/} installed" || fail "${f#"$PREFIX"/} is missing or empty"
done

if [ -f "$DESKTOP" ]; then
    if out=$(desktop-file-validate "$DESKTOP" 2>&1) && [ -z "$out" ]; then
        ok "desktop-file-validate passes"
    else
        fail "desktop-file-validate: ${out:-failed}"
    fi
    entry() { sed -n "s/^$1=//p" "$DESKTOP"; }
    [ "$(entry Name)" = "Vorlane Tavlor" ] || fail "desktop Name is \"$(entry Name)\""
    [ -n "$(entry GenericName)" ] || fail "desktop entry has no GenericName"
    [ "$(entry Exec)" = "tavlor %f" ] || fail "desktop Exec is \"$(entry Exec)\", expected \"tavlor %f\""
    [ "$(entry MimeType)" = "text/csv;" ] || fail "desktop MimeType is \"$(entry MimeType)\""
    [ "$(entry Icon)" = "tavlor" ] || fail "desktop Icon is \"$(entry Icon)\", expected the themed name tavlor"
    [ -n "$(entry Categories)" ] || fail "desktop entry has no Categories"
fi

if [ -f "$METAINFO" ]; then
    if out=$(appstreamcli validate --no-net "$METAINFO" 2>&1); then
        ok "appstreamcli validate --no-net passes"
    else
        fail "appstreamcli validate --no-net: $out"
    fi
    grep -q '<launchable type="desktop-id">tavlor.desktop</launchable>' "$METAINFO" ||
        fail "the metainfo does not launch tavlor.desktop"
    grep -q '<binary>tavlor</binary>' "$METAINFO" || fail "the metainfo does not provide the binary tavlor"
    META_LICENSE=$(sed -n 's:.*<project_license>\(.*\)</project_license>.*:\1:p' "$METAINFO")
    SPDX_LICENSE=$(sed -n 's/^SPDX-License-Identifier: //p' "$SOURCE/resources/license.txt")
    [ -n "$META_LICENSE" ] && [ "$META_LICENSE" = "$SPDX_LICENSE" ] ||
        fail "the metainfo's project_license \"$META_LICENSE\" differs from license.txt's \"$SPDX_LICENSE\""
fi

if [ -f "$PNG" ]; then
    case $(file -b "$PNG") in
        "PNG image data, 48 x 48,"*) ok "the 48x48 icon is a 48 x 48 PNG" ;;
        *) fail "48x48/apps/tavlor.png is $(file -b "$PNG")" ;;
    esac
fi
if [ -f "$SVG" ] && ! grep -q '<svg' "$SVG"; then
    fail "scalable/apps/tavlor.svg is not an SVG"
fi
if [ -f "$VERSIONS" ] && ! cmp -s "$VERSIONS" "$SOURCE/resources/versions.txt"; then
    fail "share/tavlor/versions.txt differs from resources/versions.txt"
fi

for f in "$LICENSE" "$COPYRIGHT"; do
    if [ -f "$f" ] && ! cmp -s "$f" "$SOURCE/resources/license.txt"; then
        fail "${f#"$PREFIX"/} differs from resources/license.txt"
    fi
done
if [ -f "$SOURCE/resources/license.txt" ] && ! grep -q "LGPL-3.0" "$SOURCE/resources/license.txt"; then
    fail "license.txt does not give Qt's licence (LGPL-3.0)"
fi

if [ "$failures" -ne 0 ]; then
    echo "FAIL: $failures problem(s) in the install layout" >&2
    exit 1
fi
echo "PASS: install layout under a temporary prefix"

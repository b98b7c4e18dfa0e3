#!/usr/bin/env bash
# Desktop integration: the desktop entry and metainfo validate, the executable carries its
# package note, `cmake --install` puts everything in place, and the Debian package that CPack
# builds unpacks to a program that runs. Usage: package.sh SOURCE_DIR BUILD_DIR
source "$(dirname "$0")/lib.sh"
SRC=$1
BUILD=$2
check "the desktop entry validates" desktop-file-validate "$SRC/packaging/cn.lanshaji.Gifts.desktop"
check "the metainfo validates" appstreamcli validate --no-net "$SRC/packaging/cn.lanshaji.Gifts.metainfo.xml"
note=$(readelf -n "$BUILD/lanshaji-gifts")
check "the executable carries its package note" bash -c "grep -q FDO <<<'$note' && grep -q '\"version\":\"1.0.0.0\"' <<<'$note' && grep -q '蓝砂纪礼包大全' <<<'$note'"

cmake --install "$BUILD" --prefix "$E2E_TMP/prefix" >/dev/null
P=$E2E_TMP/prefix/share
check "the executable is installed" [ -x "$E2E_TMP/prefix/bin/lanshaji-gifts" ]
check "the desktop entry is installed" [ -f "$P/applications/cn.lanshaji.Gifts.desktop" ]
check "the metainfo is installed" [ -f "$P/metainfo/cn.lanshaji.Gifts.metainfo.xml" ]
for size in 16 32 64 128; do
  check "the ${size}px icon is installed at its size" \
    [ "$(identify -format '%wx%h' "$P/icons/hicolor/${size}x$size/apps/lanshaji-gifts.png")" = "${size}x$size" ]
done

(cd "$E2E_TMP" && cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$E2E_TMP/deb" >/dev/null 2>&1)
DEB=$(ls "$E2E_TMP"/deb/*.deb 2>/dev/null | head -n1)
check "CPack builds a Debian package" [ -f "$DEB" ]
check "the package has version 1.0.0.0" bash -c "dpkg-deb -f '$DEB' Version | grep -qx 1.0.0.0"
check "the package depends on the CJK fonts" bash -c "dpkg-deb -f '$DEB' Depends | grep -q fonts-noto-cjk"
# Installed by dpkg into a private root, so that the test leaves the machine as it was.
ROOT=$E2E_TMP/root
mkdir -p "$ROOT/var/lib/dpkg/info" "$ROOT/var/lib/dpkg/updates"
touch "$ROOT/var/lib/dpkg/status"
check "dpkg installs the package" dpkg --root="$ROOT" --force-depends --force-not-root --force-script-chrootless -i "$DEB"
check "dpkg knows it as installed" bash -c "dpkg --root='$ROOT' -s lanshaji-gifts | grep -q 'Status: install ok installed'"
start_x
"$E2E_TMP/root/usr/bin/lanshaji-gifts" &
PID=$!
E2E_PIDS+=($PID)
W=$(win_wait 蓝砂纪礼包大全)
check "the packaged program runs" [ -n "$W" ]
focused() { [ "$(xdotool getwindowfocus)" = "$W" ]; }
until_ok focused
xdotool key Escape
exit_code_of "$PID"
code=$EXIT_CODE
check "and ends with exit code 0 (got $code)" [ "$code" = 0 ]
finish

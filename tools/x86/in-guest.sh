#!/bin/bash
# The guest's half of guest-run: the same settings as a build's wine-run (Japanese locale and
# fonts, the capturing sound device, the caller's DLL overrides), in the prefix kept in the
# cached root, with the 64-bit Wine 10 that runs 32-bit programs in its WoW64 mode.
SOURCE_DIR=$(cd "$(dirname "$0")/../.." && pwd)
export WINEPREFIX=/var/lib/polkamina-clock/prefix
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${CLOCK_DLLOVERRIDES:+$CLOCK_DLLOVERRIDES;}mscoree,mshtml=;winemenubuilder.exe=d"
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
[ -z "${CLOCK_GUEST_DISPLAY:-}" ] || export DISPLAY=$CLOCK_GUEST_DISPLAY
if [ "${CLOCK_REAL_AUDIO:-0}" != 1 ]; then
    export ALSA_CONFIG_PATH="/usr/share/alsa/alsa.conf:$SOURCE_DIR/tools/alsa-capture.conf"
fi
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver64
[ -x "$WINESERVER" ] || WINESERVER=/usr/lib/wine/wineserver

# Made here, not on the host: a prefix made by a Wine that cannot run 32-bit code gets no
# usable syswow64. The host's guest lock keeps two guests from doing it at once.
prefix_init() {
    [ -f "$WINEPREFIX/.clock-ready" ] && return
    echo "guest-run: preparing the prefix (minutes, once)" >&2
    rm -rf "$WINEPREFIX"
    "$WINE" wineboot -i >/dev/null 2>&1
    "$WINE" regedit /S "Z:$(echo "$SOURCE_DIR/tools/wine-prefix.reg" | tr / '\\')" >/dev/null 2>&1
    "$WINESERVER" -w
    [ -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ] || { echo "guest-run: no syswow64" >&2 && exit 1; }
    touch "$WINEPREFIX/.clock-ready"
}

case "${1:-}" in
--init) prefix_init; exit ;;
--kill) "$WINESERVER" -k 2>/dev/null; "$WINESERVER" -w 2>/dev/null; exit 0 ;;
esac
prefix_init
# The caller's libfaketime, for the wineserver as much as for a program.
[ -z "${CLOCK_GUEST_PRELOAD:-}" ] || export LD_PRELOAD=$CLOCK_GUEST_PRELOAD
[ "${1:-}" != --wineserver ] || { shift && exec "$WINESERVER" "$@"; }
exec "$WINE" "$@"

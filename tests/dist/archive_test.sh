#!/usr/bin/env bash
# The release archive as `make dist` packs it: its files, its readme, the 32-bit program's
# imports and what its version resource says.
set -u
fail() { echo "FAIL: $*" >&2; exit 1; }
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }
WORK="$CLOCK_BUILD/dist-check"
rm -rf "$WORK"
VERSION=$(sed -n 's/^#define CLOCK_VERSION_\(MAJOR\|MINOR\) \([0-9]\+\)$/\2/p' \
  "$CLOCK_SOURCE/resources/version.h" | paste -sd.)
ZIP=$("$CLOCK_SOURCE/tools/dist/make-dist.sh" "$CLOCK_X86_BUILD" "$WORK") || fail "packing failed"
[ "$ZIP" = "$WORK/polkamina-clock-$VERSION.zip" ] || fail "archive name $ZIP, version $VERSION"
files=$(unzip -Z1 "$ZIP" | sort | xargs)
[ "$files" = "clock.exe readme.txt $(echo wave/w0{1..6}.wav)" ] || fail "archive holds: $files"
unzip -q "$ZIP" -d "$WORK/x" || fail "cannot unpack"
EXE="$WORK/x/clock.exe"

README="$WORK/x/readme.txt"
iconv -f CP932 -t UTF-8 "$README" >"$WORK/readme.utf8" || fail "readme.txt is not Shift-JIS"
grep -q -v $'\r$' "$README" && fail "readme.txt has a line not ended by CR LF"
[ "$(tail -c 1 "$README" | od -An -tx1 | xargs)" = 0a ] || fail "readme.txt does not end in CR LF"
for want in "バージョン $VERSION" 'HKEY_CURRENT_USER\Software\quillory\Vorimo\Clock\Clock1' \
  CLOCK.dat; do
  grep -qF "$want" "$WORK/readme.utf8" || fail "readme.txt does not mention $want"
done

# The imports themselves are judged by make-dist (tools/dist/pe-imports.py); here only the kind.
i686-w64-mingw32-objdump -f "$EXE" | grep -q 'file format pei-i386' || fail "not a 32-bit program"

got=$("$WINE_RUN" "$CLOCK_BUILD/bin/dist_probe.exe" version "$(winpath "$EXE")" |
  iconv -f CP932 -t UTF-8 | tr -d '\r')
want="Fixed $VERSION.0.0
Translation 0411 932
FileVersion $VERSION
ProductVersion $VERSION
ProductName ポルカミーナ・アナログ時計
LegalCopyright (C) 2026 quillory / Vorimo"
[ "$got" = "$want" ] || fail "version resource reads back as:
$got"
# The icon is drawn for every size Windows asks for up to 200 % and Explorer's largest view.
ICON=$(sed -n 's/^#define IDI_CLOCK \([0-9]*\)$/\1/p' "$CLOCK_SOURCE/resources/resource.h")
got=$("$WINE_RUN" "$CLOCK_BUILD/bin/dist_probe.exe" icons "$(winpath "$EXE")" "$ICON" | xargs)
[ "$got" = "32:4 32:8 16:8 20:8 24:8 40:8 48:8 64:8 96:8 128:8 256:8" ] || fail "icon: $got"
# The manifest asks for per-monitor DPI awareness and Common Controls 6, as Windows reads them.
"$WINE_RUN" "$CLOCK_BUILD/bin/dist_probe.exe" manifest "$(winpath "$EXE")" >"$WORK/manifest.xml" ||
  fail "no manifest in clock.exe"
python3 - "$WORK/manifest.xml" <<'EOF' || fail "the manifest reads back as: $(cat "$WORK/manifest.xml")"
import sys, xml.etree.ElementTree as ET
root = ET.parse(sys.argv[1]).getroot()
v1, v3 = "{urn:schemas-microsoft-com:asm.v1}", "{urn:schemas-microsoft-com:asm.v3}"
text = lambda path: [e.text for e in root.iterfind(v3 + "application/" + v3 + "windowsSettings/" + path)]
assert text("{http://schemas.microsoft.com/SMI/2005/WindowsSettings}dpiAware") == ["true/pm"]
assert text("{http://schemas.microsoft.com/SMI/2016/WindowsSettings}dpiAwareness") == \
    ["PerMonitorV2, PerMonitor"]
assert {"type": "win32", "name": "Microsoft.Windows.Common-Controls", "version": "6.0.0.0",
        "processorArchitecture": "*", "publicKeyToken": "6595b64144ccf1df", "language": "*"} in \
    [e.attrib for e in root.iterfind(v1 + "dependency/" + v1 + "dependentAssembly/" + v1 + "assemblyIdentity")]
EOF
echo "ok: $(basename "$ZIP"), $(stat -c %s "$ZIP") bytes"

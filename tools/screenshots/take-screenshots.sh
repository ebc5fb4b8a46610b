#!/usr/bin/env bash
# Takes the pictures of the plug-in's windows in docs/screenshots: the win64
# build's host simulator loads the plug-in under Wine on a virtual X display
# (Xvfb), and window-shots works the windows and copies each from the
# screen.
#
#   tools/screenshots/take-screenshots.sh <win64-build-dir> [<output-dir>]
#
# Needs wine, xvfb-run, ImageMagick's convert, the mingw-w64 compiler, a
# font with the Chinese characters (fonts-wqy-zenhei) and, for the title bar
# buttons, Wine's fonts (fonts-wine). Wine runs in a
# private prefix of its own, in a virtual desktop, where the Song face that
# the windows ask for is drawn with WenQuanYi Zen Hei's 12-pixel strikes.
set -euo pipefail

build=${1:?usage: take-screenshots.sh <win64-build-dir> [<output-dir>]}
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
out=${2:-$root/docs/screenshots}
build=$(cd "$build" && pwd)

for tool in wine xvfb-run convert x86_64-w64-mingw32-g++ iconv; do
  command -v "$tool" >/dev/null || { echo "take-screenshots: $tool is missing" >&2; exit 1; }
done
[ -f "$build/host-sim.exe" ] || { echo "take-screenshots: build host-sim in $build" >&2; exit 1; }

work=$(mktemp -d)
export WINEPREFIX=$work/prefix
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
cleanup() {
  wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

echo "building window-shots"
x86_64-w64-mingw32-g++ -O2 -finput-charset=UTF-8 -fexec-charset=GBK -static \
  "$here/window_shots.cc" -o "$work/window-shots.exe" -lgdi32 -luser32

echo "preparing a wine prefix"
wineboot -i >/dev/null 2>&1
# Wine's own fonts (package fonts-wine), Marlett among them for the title
# bar buttons; this Wine does not find them where the package puts them.
cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
# Every program of this prefix on one virtual desktop (so that window-shots
# sees the simulator's windows, with title bars drawn by Wine), and the
# Song face replaced.
{
  printf 'Windows Registry Editor Version 5.00\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\r\n"Desktop"="Default"\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\r\n"Default"="800x480"\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
  printf '"宋体"="WenQuanYi Zen Hei Sharp"\r\n"SimSun"="WenQuanYi Zen Hei Sharp"\r\n\r\n'
} | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } > "$work/settings.reg"
wine regedit /S "$work/settings.reg"
wineserver -w

"$root/tools/host-sim/make-run-dir.sh" "$build" "$work/run" "$here/config"
# The simulator keeps the windows up while window-shots works them.
printf '@sleep 90\n' > "$work/run/idle.txt"
mkdir -p "$work/shots"

cat > "$work/session.sh" <<EOF
#!/usr/bin/env bash
cd "$work/run"
wine ./host-sim.exe idle.txt > "$work/host-sim.log" 2>&1 &
cd "$work/shots"
status=0
wine "$work/window-shots.exe" . || status=\$?
wineserver -k 2>/dev/null || true
exit \$status
EOF
chmod +x "$work/session.sh"
echo "taking the pictures"
xvfb-run -a -s "-screen 0 1024x768x24" "$work/session.sh"

mkdir -p "$out"
for shot in main-window main-window-menu keyword-editor group-settings; do
  convert "$work/shots/$shot.bmp" "$out/$shot.png"
  echo "$out/$shot.png"
done

#!/bin/sh
# `cmake --install` of the build tree into a scratch prefix lays out what a
# Debian user expects, and each file is valid for the tool that reads it:
# desktop-file-validate, appstreamcli, man, the icon theme's sizes, udev's
# order of rules.
#   install_layout_test.sh BUILD_DIR APP_ID
set -u
build=${1:?usage: install_layout_test.sh BUILD_DIR APP_ID}
id=${2:?usage: install_layout_test.sh BUILD_DIR APP_ID}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/usr
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 || { cat "$work/install.log"; exit 1; }

for program in rv7300s rv7300s-cli rv7300s-sim; do
  [ -x "$prefix/bin/$program" ] || fail "bin/$program is not an installed program"
done
for manual in Eng Jpn; do
  [ -s "$prefix/share/rv7300s/Manuals/RV7300s_UsersManual_$manual.pdf" ] || fail "the $manual manual is missing"
done
# The panel's pictures as the build drew them, every one.
built=$(cd "$build/bin" && find Pictures -type f | sort)
installed=$(cd "$prefix/share/rv7300s" && find Pictures -type f | sort)
[ -n "$built" ] && [ "$built" = "$installed" ] || fail "share/rv7300s/Pictures differs from the pictures built"
case $(head -n 1 "$prefix/share/rv7300s/Languages/lang.txt" 2>/dev/null) in
  English | Japanese) ;;
  *) fail "share/rv7300s/Languages/lang.txt names no language" ;;
esac

desktop=$prefix/share/applications/$id.desktop
desktop-file-validate "$desktop" || fail "$id.desktop is not valid"
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
[ -x "$prefix/bin/${exec_line%% *}" ] || fail "Exec=$exec_line names no installed program"
icon=$(sed -n 's/^Icon=//p' "$desktop")
[ "$icon" = "$id" ] || fail "Icon=$icon is not the installed icon $id"

# Each PNG is square and of its folder's size; the SVG is one.
sizes=0
for png in "$prefix"/share/icons/hicolor/*x*/apps/"$id".png; do
  [ -f "$png" ] || break
  size=$(basename "$(dirname "$(dirname "$png")")")
  actual=$(identify -format '%wx%h' "$png") || actual=unreadable
  [ "$actual" = "$size" ] || fail "$png is $actual"
  sizes=$((sizes + 1))
done
[ $sizes -ge 4 ] || fail "only $sizes PNG sizes of the icon"
for size in 48x48 256x256; do
  [ -f "$prefix/share/icons/hicolor/$size/apps/$id.png" ] || fail "no $size icon"
done
svg=$prefix/share/icons/hicolor/scalable/apps/$id.svg
python3 - "$svg" <<'CHECK' || fail "$svg is not a square SVG drawing"
import sys, xml.etree.ElementTree as tree
root = tree.parse(sys.argv[1]).getroot()
shapes = [e for e in root.iter() if e.tag.split("}")[-1] in ("path", "ellipse", "circle", "polyline", "rect")]
left, top, width, height = map(float, root.get("viewBox", "").split() or [0, 0, 0, 0])
sys.exit(0 if root.tag == "{http://www.w3.org/2000/svg}svg" and width == height > 0 and shapes else 1)
CHECK

metainfo=$prefix/share/metainfo/$id.metainfo.xml
appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" 2>&1 || { cat "$work/appstream.log"; fail "$id.metainfo.xml is not valid"; }
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "the metainfo launches no $id.desktop"
# The newest release it names is this version of the program.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
newest=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -n 1)
[ "$newest" = "$version" ] || fail "the metainfo's newest release is $newest, the program is $version"

for page in rv7300s rv7300s-cli; do
  man=$prefix/share/man/man1/$page.1
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$man" 2>&1 >"$work/$page.txt") || fail "man cannot show $page.1"
  [ -z "$warnings" ] || fail "$page.1: $warnings"
  grep -q "^NAME" "$work/$page.txt" && grep -q "^ *$page " "$work/$page.txt" || fail "$page.1 shows no NAME of $page"
done

# udev applies uaccess in 73-seat-late.rules: a rule that tags later is too late.
rules=$(ls "$prefix/lib/udev/rules.d/" 2>/dev/null)
[ "$(echo "$rules" | wc -w)" -eq 1 ] || fail "lib/udev/rules.d holds: $rules"
[ "$(printf '%s\n%s\n' "$rules" 73-seat-late.rules | sort | head -n 1)" = "$rules" ] || fail "$rules sorts after 73-seat-late.rules"
grep -Eq '^SUBSYSTEM=="tty",.*ATTRS\{idVendor\}=="067b",.*TAG\+="uaccess"' "$prefix/lib/udev/rules.d/$rules" ||
  fail "$rules gives the meters' cable (067b) no uaccess"

[ $failures -eq 0 ] && echo "install layout: passed"
[ $failures -eq 0 ]

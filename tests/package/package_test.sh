#!/usr/bin/env bash
# Unpacks the Debian package that cpack made in the build folder and checks
# what a technician gets from it: the file list and owners, the control
# fields, the desktop entry, the icons, the manual pages, and that the
# unpacked programs run.
#   package_test.sh BUILD_DIR VERSION HAS_CLI BINARY...
# HAS_CLI is 1 when the build has the vilaron-cli target; BINARY... are the
# freshly built executables, which must not be newer than the package.
set -uo pipefail

build=$1
version=$2
has_cli=$3
shift 3

arch=$(dpkg --print-architecture)
deb=$build/vilaron-setup_${version}_${arch}.deb
if [ ! -f "$deb" ]; then
  echo "FAIL: no package $deb; make it with 'cpack' in $build or scripts/package.sh"
  exit 1
fi
for binary in "$@"; do
  if [ "$binary" -nt "$deb" ]; then
    echo "FAIL: $binary is newer than $deb; run cpack again"
    exit 1
  fi
done

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root" || { echo "FAIL: dpkg-deb -x $deb"; exit 1; }

# The file list, exactly.
icon_sizes="16 22 24 32 48 64 128 256"
expected=(
  ./usr/bin/vilaron-register-sim
  ./usr/bin/vilaron-setup
  ./usr/share/applications/vilaron-setup.desktop
  ./usr/share/doc/vilaron-setup/README.md
  ./usr/share/doc/vilaron-setup/changelog.gz
  ./usr/share/doc/vilaron-setup/copyright
  ./usr/share/icons/hicolor/scalable/apps/vilaron-setup.svg
  ./usr/share/man/man1/vilaron-register-sim.1.gz
  ./usr/share/man/man1/vilaron-setup.1.gz
)
for size in $icon_sizes; do
  expected+=("./usr/share/icons/hicolor/${size}x${size}/apps/vilaron-setup.png")
done
if [ "$has_cli" = 1 ]; then
  expected+=(./usr/bin/vilaron-cli ./usr/share/man/man1/vilaron-cli.1.gz)
fi
want=$(printf '%s\n' "${expected[@]}" | sort)
have=$(cd "$root" && find . \( -type f -o -type l \) | sort)
if [ "$want" != "$have" ]; then
  fail "the file list differs (< expected, > in the package):"
  diff <(echo "$want") <(echo "$have") | grep '^[<>]'
fi

# Everything belongs to root, and nothing but the programs is executable.
owners=$(dpkg-deb -c "$deb" | awk '{print $2}' | sort -u)
[ "$owners" = "root/root" ] || fail "owners in the package: $owners"
while read -r mode path; do
  case "$path" in
    ./usr/bin/*) [ "$mode" = "-rwxr-xr-x" ] || fail "$path has mode $mode" ;;
    *) [ "$mode" = "-rw-r--r--" ] || fail "$path has mode $mode" ;;
  esac
done < <(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $1, $6}')

# Control fields: the project version, dependencies found from the binaries,
# a short and a long description.
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = vilaron-setup ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', not $version"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture is '$(field Architecture)'"
depends=$(field Depends)
# libquazip1-qt6-1: the article import reads XLSX and ODS through it.
for lib in libc6 libstdc++6 libqt6core6 libqt6widgets6 libqt6serialport6 libquazip1-qt6-1; do
  [[ "$depends" == *"$lib "* || "$depends" == *"$lib," || "$depends" == *"$lib" ]] \
    || fail "Depends lacks $lib: $depends"
done
description=$(field Description)
summary=$(head -n1 <<<"$description")
long_lines=$(tail -n +2 <<<"$description" | grep -c .)
[ -n "$summary" ] && [ ${#summary} -le 80 ] || fail "short description: '$summary'"
[ "$long_lines" -ge 3 ] || fail "long description has $long_lines lines"

# The desktop entry: valid, in Serbian and English, in the menu categories.
desktop=$root/usr/share/applications/vilaron-setup.desktop
if [ -f "$desktop" ]; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the desktop entry"
  for key in 'Name=' 'Name\[sr\]=' 'Comment=' 'Comment\[sr\]=' 'Exec=vilaron-setup$' \
             'Icon=vilaron-setup$' 'Categories=.*Office;.*Finance;'; do
    grep -q "^$key" "$desktop" || fail "desktop entry lacks ^$key"
  done
  grep -q "^Name\[sr\]=.*Виларон" "$desktop" || fail "the Serbian name is not in Cyrillic"
fi

# Icons: each PNG has its size; the SVG is a drawing.
for size in $icon_sizes; do
  png=$root/usr/share/icons/hicolor/${size}x${size}/apps/vilaron-setup.png
  [ -f "$png" ] || continue
  read -r w1 w2 w3 w4 h1 h2 h3 h4 < <(od -An -tu1 -j16 -N8 "$png")
  width=$(( (w1 << 24) | (w2 << 16) | (w3 << 8) | w4 ))
  height=$(( (h1 << 24) | (h2 << 16) | (h3 << 8) | h4 ))
  [ "$(head -c4 "$png" | od -An -c | tr -d ' ')" = '211PNG' ] || fail "$png is no PNG"
  [ "$width" = "$size" ] && [ "$height" = "$size" ] || fail "$png is ${width}x${height}"
done
grep -q '<svg' "$root/usr/share/icons/hicolor/scalable/apps/vilaron-setup.svg" || fail "the scalable icon is no SVG"

# Manual pages and the changelog: compressed, readable, of this version.
for page in "$root"/usr/share/man/man1/*.1.gz; do
  gzip -t "$page" || { fail "$page is not gzip"; continue; }
  zcat "$page" | head -n1 | grep -q "^\.TH .*vilaron-setup $version" || fail "$page: no .TH line of version $version"
done
zcat "$root/usr/share/doc/vilaron-setup/changelog.gz" | head -n1 | grep -q "^vilaron-setup ($version)" \
  || fail "the changelog does not start with version $version"
grep -q 'Copyright: 2026 The Vilaron register setup tool developers' "$root/usr/share/doc/vilaron-setup/copyright" \
  || fail "the copyright file lacks the copyright line"
grep -q 'Permission is hereby granted' "$root/usr/share/doc/vilaron-setup/copyright" \
  || fail "the copyright file lacks the licence text"

# The unpacked programs run and say their version.
expect_output() { # expected-text command...
  local want=$1
  shift
  local out
  out=$(timeout 60 "$@" 2>&1)
  local status=$?
  [ "$status" -eq 0 ] || { fail "$* exited with $status: $out"; return; }
  [ -z "$want" ] || [[ "$out" == *"$want"* ]] || fail "$* printed '$out', not '$want'"
}
expect_output "vilaron-register-sim $version" "$root/usr/bin/vilaron-register-sim" --version
# Also on a machine without a display.
expect_output "vilaron-setup $version" env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY \
  "$root/usr/bin/vilaron-setup" --version
if [ "$has_cli" = 1 ]; then
  expect_output "$version" "$root/usr/bin/vilaron-cli" --version
  expect_output "" "$root/usr/bin/vilaron-cli" ports
else
  echo "SKIPPED: the vilaron-cli checks (--version, ports): this build has no vilaron-cli target yet"
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed for $deb"
  exit 1
fi
echo "$deb: all checks passed"

#!/bin/sh
# The installation in a scratch prefix: exactly the expected files, each one sound (entries and
# metadata validated, man pages formatting cleanly and naming every option and subcommand the
# programs know, the file type registered, the icons at their sizes).
set -u
prefix=$1
fail=0
say() { echo "$*"; fail=1; }
have() { command -v "$1" >/dev/null 2>&1; }

expected='games/kelmarin
games/kelmarin-cli
share/applications/kelmarin.desktop
share/doc/kelmarin/changelog.gz
share/doc/kelmarin/copyright
share/icons/hicolor/256x256/apps/kelmarin.png
share/icons/hicolor/48x48/apps/kelmarin.png
share/icons/hicolor/scalable/apps/kelmarin.svg
share/man/man6/kelmarin-cli.6.gz
share/man/man6/kelmarin.6.gz
share/metainfo/org.kelmarin.Kelmarin.metainfo.xml
share/mime/packages/kelmarin.xml'
installed=$(cd "$prefix" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort)
[ "$installed" = "$expected" ] || say "installed files differ from the expected ones:
$(echo "$installed" | diff -u /dev/fd/3 - 3<<EOT
$expected
EOT
)"

for program in kelmarin kelmarin-cli; do
  [ -x "$prefix/games/$program" ] || say "games/$program is not executable"
done

desktop=$prefix/share/applications/kelmarin.desktop
have desktop-file-validate && { desktop-file-validate "$desktop" || say "desktop entry not valid"; }
grep -qx 'Exec=kelmarin %f' "$desktop" || say "desktop entry: no 'Exec=kelmarin %f'"
grep -qx 'MimeType=application/x-kelmarin-game;' "$desktop" || say "desktop entry: no MimeType"

if have appstreamcli; then
  appstreamcli validate --no-net "$prefix/share/metainfo/org.kelmarin.Kelmarin.metainfo.xml" >/dev/null ||
    say "metainfo not valid"
fi

mime=$prefix/share/mime/packages/kelmarin.xml
grep -q '<comment>Kelmarin saved game</comment>' "$mime" || say "file type: no comment"
grep -q '<icon name="kelmarin"/>' "$mime" || say "file type: no icon"
if have update-mime-database; then
  scratch=$(mktemp -d)
  cp -r "$prefix/share/mime" "$scratch/"
  XDG_DATA_DIRS=$scratch update-mime-database "$scratch/mime" 2>&1 | grep . && say "file type: update-mime-database complains"
  grep -qx 'application/x-kelmarin-game:\*\.kmr' "$scratch/mime/globs" || say "file type: *.kmr not registered"
  rm -rf "$scratch"
fi

for size in 48 256; do
  width=$(od -An -tu1 -j18 -N2 "$prefix/share/icons/hicolor/${size}x$size/apps/kelmarin.png" |
    awk '{ print $1 * 256 + $2 }')
  [ "$width" = "$size" ] || say "icon ${size}x$size is $width pixels wide"
done

for file in doc/kelmarin/changelog.gz man/man6/kelmarin.6.gz man/man6/kelmarin-cli.6.gz; do
  gzip -t "$prefix/share/$file" || say "$file: not a sound gzip file"
done
warnings=$(mktemp)
page() { # the man page as plain text
  gzip -dc "$prefix/share/man/man6/$1.6.gz" | groff -man -Tascii -P-cbou -ww 2>>"$warnings"
}
if have groff; then
  text=$(page kelmarin)
  for option in $("$prefix/games/kelmarin" --help | sed -n 's/^  \(--[a-z-]*\).*/\1/p'); do
    echo "$text" | grep -q "^       $option" || say "kelmarin.6 does not describe $option"
  done
  text=$(page kelmarin-cli)
  for name in $("$prefix/games/kelmarin-cli" 2>&1 | sed -n 's/^  kelmarin-cli \([a-z-]*\).*/\1/p'); do
    echo "$text" | grep -q "^       $name\( \|$\)" || say "kelmarin-cli.6 does not describe $name"
  done
  for section in SYNOPSIS OPTIONS FILES 'EXIT STATUS'; do
    echo "$text" | grep -qx "$section" || say "kelmarin-cli.6 has no $section"
  done
  [ -s "$warnings" ] && say "groff warns about the man pages: $(cat "$warnings")"
fi
rm -f "$warnings"
exit $fail

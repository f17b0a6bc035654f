#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what lands there: the
# exact list of files, the desktop entry, the MIME type (its magic against a
# header the program itself writes), the rendered icons and the manual page.
#   install_check.sh CMAKE BUILD_DIR
set -euo pipefail
cmake=$1 build=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix=$scratch/prefix
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

"$cmake" --install "$build" --prefix "$prefix" >/dev/null

sizes=(16 22 24 32 48 64 128 256)
expected=(
  bin/tralva
  bin/tralva-util
  share/applications/tralva.desktop
  share/bash-completion/completions/tralva-util
  share/icons/hicolor/scalable/apps/tralva.svg
  share/man/man1/tralva-util.1.gz
  share/mime/packages/tralva.xml
)
for size in "${sizes[@]}"; do
  expected+=("share/icons/hicolor/${size}x${size}/apps/tralva.png")
done
installed=$(cd "$prefix" && find . -type f -printf '%P\n' | LC_ALL=C sort)
wanted=$(printf '%s\n' "${expected[@]}" | LC_ALL=C sort)
if [[ $installed != "$wanted" ]]; then
  fail "installed files differ from the expected list:"
  diff <(echo "$wanted") <(echo "$installed") >&2 || true
fi
for program in tralva tralva-util; do
  [[ -x $prefix/bin/$program ]] || fail "bin/$program is not executable"
done

# The desktop entry: valid, and it opens project files with the program.
desktop=$prefix/share/applications/tralva.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate refuses tralva.desktop"
for line in 'Exec=tralva %f' 'Icon=tralva' 'MimeType=application/x-tralva-project;'; do
  grep -qxF "$line" "$desktop" || fail "tralva.desktop lacks '$line'"
done
for category in Science Engineering; do
  grep -qx "Categories=\(.*;\)\?$category;.*" "$desktop" ||
    fail "tralva.desktop is not in the category $category"
done

# The MIME type: the database compiles it, with its glob and its magic.
mime=$scratch/mime
mkdir -p "$mime/packages"
cp "$prefix/share/mime/packages/tralva.xml" "$mime/packages/"
XDG_DATA_DIRS=$scratch update-mime-database "$mime" 2>"$scratch/mime.log" || fail "update-mime-database failed"
[[ -s $scratch/mime.log ]] && fail "update-mime-database complains: $(cat "$scratch/mime.log")"
grep -qxF 'application/x-tralva-project:*.tlva' "$mime/globs" ||
  fail "the glob *.tlva is not registered"
grep -qa 'application/x-tralva-project' "$mime/magic" || fail "the magic is not registered"
comment=$(xmllint --xpath 'string(//*[local-name()="comment"])' "$mime/packages/tralva.xml")
[[ $comment == 'Progetto di linea Tralva' ]] || fail "MIME comment is '$comment'"

# The magic must be the first line of a header as the program writes it:
# the merge rewrites a project with its own header block.
project=$scratch/progetto.tlva
{
  # Any 13 lines stand for the header block, which readers skip.
  printf 'x\r\n%.0s' {1..13}
  printf '\r\n100 1 2 30\r\n0 0\r\n0 0 0 90 300 0 0 90\r\n20 20\r\n2 2\r\n1000\r\n'
} >"$project"
"$prefix/bin/tralva-util" unisci "$project" "$project" >/dev/null ||
  fail "tralva-util unisci could not write a project"
first_line=$(head -n 1 "$project" | tr -d '\r')
magic=$(xmllint --xpath 'string(//*[local-name()="match"]/@value)' "$mime/packages/tralva.xml")
[[ ${#magic} -ge 70 && $first_line == "$magic" ]] ||
  fail "the magic '$magic' is not the header's first line '$first_line'"

# The icons: each PNG of its size, rendered from the SVG.
for size in "${sizes[@]}"; do
  png=$prefix/share/icons/hicolor/${size}x${size}/apps/tralva.png
  file -b "$png" | grep -q "^PNG image data, $size x $size, 8-bit/color RGBA" ||
    fail "$png: $(file -b "$png")"
done

# The manual page: formatted without a warning, every section there.
page=$prefix/share/man/man1/tralva-util.1.gz
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
[[ -z $warnings ]] || fail "man warns about tralva-util.1: $warnings"
text=$(LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$page" 2>/dev/null)
for section in NOME SINTESI DESCRIZIONE COMANDI 'STATO DI USCITA' ESEMPI; do
  grep -qx "$section" <<<"$text" || fail "tralva-util.1 has no section $section"
done
# Every command that the program's usage names has its section in the page,
# and each of the command's options is described there.
usage=$("$prefix/bin/tralva-util" --help)
while read -r _ command synopsis; do
  block=$(awk -v command="$command" '
    /^   [a-z]/ { inside = ($1 == command) }
    /^[A-Z]/ { inside = 0 }
    inside' <<<"$text")
  if [[ -z $block ]]; then
    fail "tralva-util.1 does not describe '$command'"
    continue
  fi
  for option in $(grep -oE -- '-{1,2}[a-z]+(-[a-z]+)*' <<<"$synopsis"); do
    grep -qE -- "^ {7}(.*, )?$option( |,|$)" <<<"$block" ||
      fail "tralva-util.1 does not describe $command $option"
  done
done < <(grep '^  tralva-util ' <<<"$usage")
grep -qE '^ +64 ' <<<"$text" || fail "tralva-util.1 does not give exit status 64"

if ((failures > 0)); then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "installed tree as expected: ${#expected[@]} files"

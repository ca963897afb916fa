#!/usr/bin/env bash
# check-install.sh tree|editor CMAKE BUILD_DIR MODULE_DIR MODULE_FROM_BIN
# Installs the build into a temporary DESTDIR with prefix /usr and checks it:
#   tree:   the files are those expected and nothing else; the binaries run; the live output's
#           module is where the editor looks for it (MODULE_FROM_BIN, relative to bin/), links
#           and offers its factory, and the editor itself links no OLA; the desktop entry
#           validates; the file types are read by shared-mime-info and name both globs; the icons
#           are there at their sizes; the default name set is the tool's own.
#   editor: the installed editor, started with a read-only installed tree and an empty home,
#           seeds the user's data folder from the installed default name set and writes nothing
#           into the program folder; a second start keeps the user's copy.
set -euo pipefail
mode=$1 cmake=$2 build=$3 moduledir=$4 modulefrombin=$5

for tool in desktop-file-validate update-mime-database xmllint file; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing (scripts/setup-deps.sh)"; exit 77; }
done

work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$work/root" "$cmake" --install "$build" --prefix /usr >/dev/null
usr=$work/root/usr
names=$usr/share/fixture-editor/ChNameSet.fix

if [ "$mode" = tree ]; then
  expected="bin/fixture-editor
bin/fixture-tool
$moduledir/fixture-ola-output.so
share/applications/fixture-editor.desktop
share/fixture-editor/ChNameSet.fix
share/icons/hicolor/128x128/apps/fixture-editor.png
share/icons/hicolor/256x256/apps/fixture-editor.png
share/icons/hicolor/32x32/apps/fixture-editor.png
share/icons/hicolor/48x48/apps/fixture-editor.png
share/icons/hicolor/64x64/apps/fixture-editor.png
share/icons/hicolor/scalable/apps/fixture-editor.svg
share/man/man1/fixture-tool.1.gz
share/mime/packages/fixture-editor.xml"
  expected=$(LC_ALL=C sort <<<"$expected")
  actual=$(cd "$usr" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
  [ "$actual" = "$expected" ] || fail "installed files differ:
$(diff <(echo "$expected") <(echo "$actual") || true)"

  # The binaries run from the installed tree.
  # The usage is read whole first: grep -q stops at its match, and the tool writing the rest of
  # a long usage into the closed pipe would fail the pipeline.
  help=$("$usr/bin/fixture-tool" --help)
  grep -q 'fixture-tool names --init FILE' <<<"$help" ||
    fail "fixture-tool --help does not show the usage"
  mkdir "$work/names"
  "$usr/bin/fixture-tool" names --init "$work/names/ChNameSet.fix"
  [ "$(stat -c %s "$work/names/ChNameSet.fix")" = 3542 ] || fail "names --init wrote no name set"
  cmp -s "$work/names/ChNameSet.fix" "$names" ||
    fail "the installed name set is not the default one"
  [ "$("$usr/bin/fixture-tool" names "$names" | grep -c .)" = 253 ] ||
    fail "fixture-tool cannot read the installed name set"

  # Live loads the module from the installed tree; only the module needs OLA and protobuf.
  module=$usr/bin/$modulefrombin/fixture-ola-output.so
  [ -f "$module" ] || fail "no live output module at bin/$modulefrombin"
  ! ldd -r "$module" 2>&1 | grep -E 'not found|undefined symbol' ||
    fail "the live output module does not link"
  nm -D --defined-only "$module" | grep -qw fixture_make_ola_output ||
    fail "the live output module has no factory"
  ! ldd "$usr/bin/fixture-editor" | grep -E 'libola|protobuf' ||
    fail "the editor links OLA itself"

  # The desktop entry, and the types it claims are the ones the MIME package defines.
  desktop=$usr/share/applications/fixture-editor.desktop
  desktop-file-validate "$desktop" || fail "desktop-file-validate refuses the desktop entry"
  grep -qx 'Exec=fixture-editor %f' "$desktop" || fail "Exec does not pass the file"
  xmllint --noout "$usr/share/mime/packages/fixture-editor.xml" || fail "MIME XML is not well formed"
  mkdir -p "$work/mime/packages"
  cp "$usr/share/mime/packages/fixture-editor.xml" "$work/mime/packages/"
  XDG_DATA_DIRS="$work" update-mime-database "$work/mime" 2>"$work/mime.log" || fail "update-mime-database: $(cat "$work/mime.log")"
  [ ! -s "$work/mime.log" ] || fail "update-mime-database: $(cat "$work/mime.log")"
  grep -q ':application/x-fixture-setup:\*\.tff$' "$work/mime/globs2" || fail "no type for *.tff"
  grep -q ':application/x-qlc-fixture:\*\.qxf$' "$work/mime/globs2" || fail "no type for *.qxf"
  for type in $(sed -n 's/^MimeType=//p' "$desktop" | tr ';' ' '); do
    grep -qx "$type" "$work/mime/types" || fail "the desktop entry names $type, which is not defined"
  done

  # The icons, each at the size its folder says.
  for size in 32 48 64 128 256; do
    png=$usr/share/icons/hicolor/${size}x${size}/apps/fixture-editor.png
    file -b "$png" | grep -q "^PNG image data, $size x $size," || fail "$png is not a $size px PNG"
  done
  xmllint --noout "$usr/share/icons/hicolor/scalable/apps/fixture-editor.svg" || fail "SVG icon"
  gzip -t "$usr/share/man/man1/fixture-tool.1.gz" || fail "manual page"
  echo "installed tree OK"
  exit 0
fi

[ "$mode" = editor ] || fail "unknown check $mode"
# An installed tree nobody may write (root still can: the editor must not even try) and an empty
# home with no XDG variables, as a fresh user account has.
chmod -R a-w "$work/root"
mkdir -m 700 "$work/home" "$work/runtime"
start() {
  env -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u XDG_DATA_DIRS HOME="$work/home" \
    XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=offscreen FIXTURE_EDITOR_QUIT_AFTER_START=1 \
    timeout 60 "$usr/bin/fixture-editor" || fail "the installed editor did not start and quit (status $?)"
}
start
user=$work/home/.local/share/ORVA/ChNameSet.fix
[ -f "$user" ] || fail "no name set in the user's data folder"
cmp -s "$user" "$names" || fail "the user's name set is not the installed default"
[ "$(stat -c %A "$user" | cut -c3)" = w ] || fail "the user's name set is not writable by the user"
[ ! -e "$usr/bin/ChNameSet.fix" ] || fail "the editor wrote a name set into the program folder"

# A second start keeps what the user has made of the copy.
printf 'x' >>"$user"
start
[ "$(stat -c %s "$user")" = 3543 ] || fail "the second start replaced the user's name set"
echo "installed editor OK"

#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR and checks the installation as a user meets it: the
# layout, the desktop entry and AppStream metadata, the installed corvane-search against a private
# directory server, and the installed corvane-ldap started through its bin/ link on a virtual
# screen, finding its companion files (the whole "?" menu).
#
#   install_test.sh BUILD-DIR SOURCE-DIR
set -euo pipefail
build=$1
source=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/corvane-install-XXXXXX")
# The installed program records its installation in the all-users folder when it may write there (as
# root); what this test's run leaves there is removed again.
record=/var/lib/Corvane
had_record=0
[ -e "$record" ] && had_record=1
cleanup() {
  "$source/scripts/directory-server" stop "$work/server" >/dev/null 2>&1 || true
  rm -rf "$work"
  if [ "$had_record" -eq 0 ] && [ -w /var/lib ]; then rm -rf "$record"; fi
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

dest=$work/dest
DESTDIR=$dest cmake --install "$build" --prefix /usr >"$work/install.log"
usr=$dest/usr
folder=$usr/lib/corvane-ldap

# the program folder holds the programs and every companion file of the source tree
expected=(corvane-ldap corvane-search)
for file in "$source"/resources/languages/*.ini "$source"/resources/help/*.html "$source"/resources/documents/*.txt; do
  [ -e "$file" ] && expected+=("$(basename "$file")")
done
for name in "${expected[@]}"; do
  [ -f "$folder/$name" ] || fail "program folder lacks $name"
done
# every shipped language has its user guide
for file in "$source"/resources/languages/LangLDAP_*.ini; do
  [ -e "$file" ] || continue
  language=$(basename "$file" .ini)
  [ -f "$folder/LDAP_${language#LangLDAP_}.html" ] || fail "no user guide for $(basename "$file")"
done
for program in corvane-ldap corvane-search; do
  [ "$(readlink -f "$usr/bin/$program")" = "$(readlink -f "$folder/$program")" ] || fail "bin/$program is no link to the program folder"
  [ -f "$usr/share/man/man1/$program.1.gz" ] || fail "no manual page $program(1)"
done
for size in 16x16 22x22 24x24 32x32 48x48 64x64 128x128 256x256; do
  [ -f "$usr/share/icons/hicolor/$size/apps/corvane-ldap.png" ] || fail "no $size icon"
done
[ -f "$usr/share/icons/hicolor/scalable/apps/corvane-ldap.svg" ] || fail "no scalable icon"
grep -q 'pattern="\*.cvl"' "$usr/share/mime/packages/corvane-ldap.xml" || fail "no MIME type for *.cvl"

desktop=$usr/share/applications/corvane-ldap.desktop
grep -qx 'MimeType=application/x-corvane-profile;' "$desktop" || fail "the desktop entry does not open profiles"
desktop-file-validate "$desktop" || fail "desktop-file-validate"
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$usr"/share/metainfo/*.metainfo.xml >"$work/appstream.log" ||
    { cat "$work/appstream.log"; fail "appstreamcli validate"; }
fi

# the installed corvane-search against the private test directory
port=$("$source/scripts/directory-server" start "$work/server" --data test)
status=0
output=$("$usr/bin/corvane-search" -H "ldap://127.0.0.1:$port" -b dc=corvane,dc=test --search-attribute sn -r cn Smith) || status=$?
[ "$status" -eq 0 ] || fail "corvane-search exited $status"
printf '%s\n' "$output" | grep -q '^Smithers' || fail "corvane-search did not find Smithers: $output"
"$usr/bin/corvane-search" --help | grep -q '^Usage: corvane-search' || fail "corvane-search --help"

# the installed window through its bin/ link, in a clean home
mkdir -p "$work/home"
probe=$(HOME=$work/home XDG_CONFIG_HOME=$work/home/config CORVANE_STARTUP_PROBE=$(date +%s%N) \
  xvfb-run -a -s "-screen 0 1280x1024x24" "$usr/bin/corvane-ldap" 2>"$work/window.log") ||
  { cat "$work/window.log"; fail "corvane-ldap did not start"; }
menu=$(printf '%s\n' "$probe" | sed -n 's/^last-menu //p')
[ "$menu" = "Help|License|Changes|Check for update|Info" ] || fail "the ? menu is \"$menu\""

[ "$failures" -eq 0 ] || exit 1
echo "installation checked"

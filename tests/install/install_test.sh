#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR and checks the installation as a user meets it: the
# layout, the desktop entry and AppStream metadata, the installed corvane-search against a private
# directory server, and the installed corvane-ldap started through its bin/ link on a virtual
# screen, finding its companion files (the whole "?" menu) and writing --ENGLISH's file where its
# user may write. Then builds the Debian package and checks it as a distribution's archive does.
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
appstreamcli validate --no-net "$usr"/share/metainfo/*.metainfo.xml >"$work/appstream.log" ||
  { cat "$work/appstream.log"; fail "appstreamcli validate"; }

# the installed corvane-search against the private test directory
port=$("$source/scripts/directory-server" start "$work/server" --data test)
status=0
output=$("$usr/bin/corvane-search" -H "ldap://127.0.0.1:$port" -b dc=corvane,dc=test --search-attribute sn -r cn Smith) || status=$?
[ "$status" -eq 0 ] || fail "corvane-search exited $status"
grep -q '^Smithers' <<<"$output" || fail "corvane-search did not find Smithers: $output"
# (read whole first: grep -q stops reading at its match, and a writer still writing then fails the pipe)
help=$("$usr/bin/corvane-search" --help) || fail "corvane-search --help exited non-zero"
grep -q '^Usage: corvane-search' <<<"$help" || fail "corvane-search --help"

# the installed window through its bin/ link, in a clean home
mkdir -p "$work/home"
probe=$(HOME=$work/home XDG_CONFIG_HOME=$work/home/config CORVANE_STARTUP_PROBE=$(date +%s%N) \
  xvfb-run -a -s "-screen 0 1280x1024x24" "$usr/bin/corvane-ldap" 2>"$work/window.log") ||
  { cat "$work/window.log"; fail "corvane-ldap did not start"; }
menu=$(printf '%s\n' "$probe" | sed -n 's/^last-menu //p')
[ "$menu" = "Help|License|Changes|Check for update|Info" ] || fail "the ? menu is \"$menu\""

# --ENGLISH in an installation whose program folder the user may not write: the file goes into the
# storage folder, and the program says where (root writes anywhere, so the run is as nobody)
chmod 755 "$work"
chmod a-w "$folder"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  install -d -o nobody "$work/user"
else
  mkdir -p "$work/user"
fi
stored=$work/user/config/Corvane/LDAP/LangLDAP_English.ini
english=$(HOME=$work/user XDG_CONFIG_HOME=$work/user/config CORVANE_STARTUP_PROBE=$(date +%s%N) \
  "${as_user[@]}" xvfb-run -a -s "-screen 0 1280x1024x24" "$usr/bin/corvane-ldap" --ENGLISH 2>"$work/english.log") ||
  { cat "$work/english.log"; fail "corvane-ldap --ENGLISH did not start"; }
chmod u+w "$folder"
[ ! -e "$folder/LangLDAP_English.ini" ] || fail "--ENGLISH wrote into the read-only program folder"
grep -q '^\[LDAP_CLDAPDlg - ' "$stored" 2>/dev/null || fail "--ENGLISH wrote no English file into the storage folder"
printf '%s\n' "$english" | grep -qxF "corvane-ldap: English language file written to $stored" ||
  fail "--ENGLISH did not say where it wrote: $english"

# the Debian package as a distribution's archive checks it
cpack -G DEB -B "$work/package" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack -G DEB"; }
deb=$(find "$work/package" -maxdepth 1 -name '*.deb' | head -n 1)
if [ -n "$deb" ]; then
  lintian --fail-on error,warning --info "$deb" >"$work/lintian.log" 2>&1 ||
    { cat "$work/lintian.log"; fail "lintian reports errors or warnings"; }
  dpkg-deb -x "$deb" "$work/unpacked"
  appstreamcli validate --no-net "$work"/unpacked/usr/share/metainfo/*.metainfo.xml >"$work/appstream-deb.log" ||
    { cat "$work/appstream-deb.log"; fail "appstreamcli validate on the package's metadata"; }
  mail=$(sed -n 's/^CORVANE_MAIL_ADDRESS:STRING=//p' "$build/CMakeCache.txt")
  maintainer=$(dpkg-deb -f "$deb" Maintainer)
  [ "$maintainer" = "The Corvane LDAP authors <$mail>" ] || fail "the package's maintainer is \"$maintainer\""
  # the changelog's newest entry is the package's version, from the change list's newest version
  newest=$(zcat "$work/unpacked/usr/share/doc/corvane-ldap/changelog.Debian.gz" | head -n 1)
  [ "$newest" = "corvane-ldap ($(dpkg-deb -f "$deb" Version)) unstable; urgency=medium" ] ||
    fail "the changelog starts with \"$newest\""
fi

[ "$failures" -eq 0 ] || exit 1
echo "installation checked"

#!/usr/bin/env bash
# run.sh WINDOWS-BUILD LINUX-BUILD - the Windows tests under Wine: ctest in the Windows build (Wine
# as its emulator) runs the unit tests and the directory and command-line tests, whose private
# servers its fixtures start natively on 127.0.0.1 (the server script is no Windows program, so
# ctest runs it here, not under Wine) and stop after; corvane-search.exe against the Linux program
# on the private directory servers, the window on a virtual screen (closed while a search is stuck
# inside the directory library), and the installer: silent install, a silent re-install over it, an
# interactive one stopped at its first page, the installed program finds entries, silent uninstall
# removes it and the installation record.
set -euo pipefail
windows=$(cd "$1" && pwd)
linux=$(cd "$2" && pwd)
here=$(cd "$(dirname "$0")/../.." && pwd)
server="$here/scripts/directory-server"
export WINEDEBUG=-all
# no offer to install Wine's .NET and HTML engines when a prefix is made: nothing here uses them
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX="${WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/corvane-ldap/wine-prefix}"
jobs=$(nproc 2>/dev/null || echo 2)

work=$(mktemp -d "${TMPDIR:-/tmp}/corvane-wine.XXXXXX")
cleanup() {
  [ -f "$work/server/port" ] && "$server" stop "$work/server" >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}

echo "== Windows unit, directory and command-line tests (Wine)"
# the prefix is made once, before programs start in parallel
wine cmd /c exit >/dev/null 2>&1 || true
# One Wine server for all the tests: left to itself it ends a few seconds after its last program
# (as while a fixture starts a directory server), and a test that starts as it ends fails at once.
# Its services are started here, so that no test's output stays open in them.
wineserver -w
wineserver -p
wine cmd /c exit >/dev/null 2>&1 || true
# Now and then Wine fails to start a program at all (exit code -1, no output), most often early in
# the run: a test that failed is run once more on its own, and fails the run only if it fails again.
if ! ctest --test-dir "$windows" --output-on-failure -j"$jobs"; then
  echo "== the failed tests once more"
  ctest --test-dir "$windows" --output-on-failure --rerun-failed || fail "the tests of the Windows build"
fi
wineserver -k
wineserver -w

echo "== corvane-search.exe against corvane-search"
"$here/tests/windows/cli_compare.sh" "$linux/src/cli/corvane-search" "$windows/src/cli/corvane-search.exe" ||
  fail "corvane-search.exe differs from corvane-search"

port=$("$server" start "$work/server" --data test)

echo "== the Windows account's sign-in (Wine has no Windows account: a clear refusal)"
status=0
err=$(wine "$windows/src/cli/corvane-search.exe" -Y GSSAPI -H "ldap://127.0.0.1:$port" -b dc=corvane,dc=test \
  --search-attribute sn -r cn Smith 2>&1 >/dev/null) || status=$?
{ [ "$status" -eq 4 ] && grep -q 'no Windows account' <<<"$err"; } || fail "the Windows account's sign-in: status $status: $err"
wineserver -w

echo "== the window (Wine on a virtual screen)"
# a profile with a name outside ASCII, opened as a double click on it would
profile="$work/Łukasz Smith.cvl"
cat >"$profile" <<PROFILE
<?xml version="1.0" encoding="utf-8"?>
<InitFile>
  <LDAPServer>127.0.0.1</LDAPServer>
  <LDAPServerPort>$port</LDAPServerPort>
  <DN>dc=corvane,dc=test</DN>
  <Preselect></Preselect>
  <SearchAttributes>sn</SearchAttributes>
  <ResultAttributes>cn,mail</ResultAttributes>
</InitFile>
PROFILE
# Wine's drive Z: is the root; the session's server must be one started with the virtual screen
windows_profile="Z:${profile//\//\\}"
wineserver -w
# then a search of ldaps:// on the plain port, which WLDAP32 waits for without end, and Exit while
# it runs: the program must end well before the search's time limit of 100 s
timeout 300 xvfb-run -a -s "-screen 0 1280x1024x24" \
  timeout 60 wine "$windows/tests/windows/window_smoke.exe" "$windows_profile" Smith 2 "ldaps://127.0.0.1:$port" \
  >"$work/smoke.out" || fail "the window smoke test"
cat "$work/smoke.out"
grep -q 'ended with a search left running' "$work/smoke.out" || fail "the window did not end beside its stuck search"
wineserver -k || true
wineserver -w

echo "== installer (silent install, silent and interactive re-install, search, silent uninstall)"
installer=$(ls "$windows"/corvane-ldap-*-win64-setup.exe)
folder="$WINEPREFIX/drive_c/Program Files/Corvane LDAP"
installed() {
  for name in corvane-ldap.exe corvane-search.exe Uninstall.exe LDAP_English.chm LangLDAP_Deutsch.ini; do
    [ -f "$folder/$name" ] || fail "$1: the installation lacks $name"
  done
  wine reg query 'HKCR\.cvl' 2>/dev/null | grep -q 'Corvane.LDAP.Profile' || fail "$1: no .cvl association"
  wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Corvane LDAP' >/dev/null 2>&1 ||
    fail "$1: no Uninstall entry"
}
wine "$installer" /S || fail "the installer exited $?"
installed "installed"
# over the installed copy: installed in place, nothing asked
wine "$installer" /S || fail "the installer run again exited $?"
installed "installed again"
# the setup started by hand and cancelled at its first page (Escape, then Yes to the question
# whether to quit; ended from outside if it is still there) has changed nothing: the copy before
# it stays whole. A question whether to remove the installed copy first, which a setup must not
# ask, would be answered Yes ("y"). Its windows need a Wine server started with the virtual screen.
wineserver -w
xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
  wine "$1" &
  for _ in $(seq 60); do
    xdotool search --name "Corvane LDAP" >/dev/null 2>&1 && break
    sleep 1
  done
  xdotool search --name "Corvane LDAP" >/dev/null 2>&1 || exit 1
  sleep 2
  xdotool key y
  sleep 5
  xdotool key Escape
  sleep 2
  xdotool key Return
  sleep 3
  wineserver -k' sh "$installer" || fail "the setup started by hand did not show"
wineserver -w
installed "after a setup stopped at its first page"
out=$(wine "$folder/corvane-search.exe" --server 127.0.0.1 -p "$port" -b dc=corvane,dc=test --search-attribute sn -r cn Smith) ||
  fail "the installed corvane-search exited $?"
printf '%s\n' "$out" | grep -q '^Smithers' || fail "the installed corvane-search did not find Smithers"
# the installation record the program writes on its first start goes with the uninstall
record="$WINEPREFIX/drive_c/ProgramData/Corvane/LDAP"
mkdir -p "$record"
printf 'InstallationDirectory="C:\\Program Files\\Corvane LDAP\\"\r\n' >"$record/Installation.ini"
wine "$folder/Uninstall.exe" /S || fail "the uninstaller exited $?"
# the uninstaller runs on from a copy of itself: wait for the folder to go
for _ in $(seq 60); do
  [ -e "$folder/corvane-ldap.exe" ] || break
  sleep 1
done
[ ! -e "$folder/corvane-ldap.exe" ] || fail "the uninstaller left the program"
if wine reg query 'HKCR\.cvl' >/dev/null 2>&1; then fail "the uninstaller left the .cvl association"; fi
[ ! -e "$record/Installation.ini" ] || fail "the uninstaller left Installation.ini"

[ "$failures" -eq 0 ] || exit 1
echo "Windows tests passed"

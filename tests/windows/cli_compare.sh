#!/usr/bin/env bash
# cli_compare.sh LINUX_SEARCH WINDOWS_SEARCH - corvane-search.exe under Wine against the Linux
# corvane-search, both asking the same private directory servers (started natively on loopback):
# the same standard output bytes, the same standard error and the same exit status, for the
# 1000-entry search, texts outside ASCII in arguments, values and a bind password, an output
# file with such a name, a refused bind, a missing server, a server list whose first server is
# down, an unknown host, ldaps:// to a plain port, the null device as the output file and the
# output to a console, and people of the Active Directory test directory bound as user@realm
# over StartTLS and as DOMAIN\user over ldaps:// (skipped with its reason where Samba cannot run).
# Standard error is compared without the CR of Windows line ends.
set -uo pipefail
linux=$1
windows=$2
here=$(cd "$(dirname "$0")/../.." && pwd)
server="$here/scripts/directory-server"
export WINEDEBUG=-all
# no offer to install Wine's .NET and HTML engines when a prefix is made: nothing here uses them
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX="${WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/corvane-ldap/wine-prefix}"

work=$(mktemp -d "${TMPDIR:-/tmp}/corvane-wine-cli.XXXXXX")
cleanup() {
  for config in normal nobind login ad; do
    [ -d "$work/$config" ] && "$server" stop "$work/$config" >/dev/null 2>&1
  done
  rm -rf "$work"
}
trap cleanup EXIT

declare -A port
for config in normal nobind login; do
  port[$config]=$("$server" start "$work/$config" --config "$config" --data test) || {
    echo "cli_compare: the $config server did not start" >&2
    exit 1
  }
done

printf 'Leser-P\xc3\xa4sswort-7Qx\n' >"$work/password"

ad_status=0
port[ad]=$("$server" start "$work/ad" --config ad) || ad_status=$?
if [ "$ad_status" -ne 0 ] && [ "$ad_status" -ne 77 ]; then
  echo "cli_compare: the Active Directory test directory did not start" >&2
  exit 1
fi

failures=0
# compare NAME CONFIG ARGS... : both programs with --server/-p/-b of the server, in a folder of their own.
# With COMPARE_SERVER=no the arguments name the server themselves; LINUX_OUTPUT and WINDOWS_OUTPUT,
# when set, are the --output file of each side (a device has a name of its system's own).
compare() {
  local name=$1 config=$2
  shift 2
  local args=(-b "dc=corvane,dc=test" "$@")
  [ "${COMPARE_SERVER:-yes}" = yes ] && args=(--server 127.0.0.1 -p "${port[$config]}" "${args[@]}")
  local linux_args=("${args[@]}") windows_args=("${args[@]}")
  [ -n "${LINUX_OUTPUT:-}" ] && linux_args=(--output "$LINUX_OUTPUT" "${args[@]}")
  [ -n "${WINDOWS_OUTPUT:-}" ] && windows_args=(--output "$WINDOWS_OUTPUT" "${args[@]}")
  mkdir -p "$work/linux" "$work/windows"
  (cd "$work/linux" && "$linux" "${linux_args[@]}" >out 2>err </dev/null; echo $? >status)
  # a program that never ends fails here rather than holding the run
  (cd "$work/windows" && timeout 120 wine "$windows" "${windows_args[@]}" >out 2>err.crlf </dev/null; echo $? >status)
  # standard error is console text, its lines end in CR LF on Windows
  tr -d '\r' <"$work/windows/err.crlf" >"$work/windows/err" && rm "$work/windows/err.crlf"
  local file files=(status out err)
  case "$name" in
    # Wine's WLDAP32 meets a closed port only at the bind, where its code no longer tells why the
    # connection failed: the reason in parentheses is the system's own
    "no server")
      sed -i 's/ ([^()]*)$//' "$work/linux/err" "$work/windows/err"
      ;;
    # Wine's WLDAP32 waits for a TLS answer from a plain port without end, where the Linux client
    # fails the handshake at once: both fail without output, Windows at the time limit
    "ldaps:// to a plain port")
      files=(status out)
      grep -q 'search failed: no answer within 3 seconds' "$work/windows/err" || {
        echo "FAILED $name: corvane-search.exe did not end at its time limit: $(head -c 300 "$work/windows/err")" >&2
        failures=$((failures + 1))
      }
      ;;
  esac
  for file in "${files[@]}" "$(ls "$work/linux" | grep -v -e '^out$' -e '^err$' -e '^status$' || true)"; do
    [ -n "$file" ] || continue
    if ! cmp -s "$work/linux/$file" "$work/windows/$file"; then
      echo "FAILED $name: $file differs" >&2
      diff <(head -c 2000 "$work/linux/$file" | od -c | head -20) \
        <(head -c 2000 "$work/windows/$file" | od -c | head -20) >&2 || true
      failures=$((failures + 1))
    fi
  done
  # a usage error on both sides would compare equal and test nothing
  if [ "$(cat "$work/linux/status")" = 2 ]; then
    echo "FAILED $name: the command line was refused: $(head -c 300 "$work/linux/err")" >&2
    failures=$((failures + 1))
  fi
  echo "ok $name ($(wc -c <"$work/linux/out") bytes, status $(cat "$work/linux/status"))"
  rm -rf "$work/linux" "$work/windows"
}

compare "1000-entry search" normal --search-attribute uid -r cn,mail,telephoneNumber p
compare "non-ASCII search value" normal --search-attribute sn -r l,description,title "Mü"
compare "non-ASCII names in the answer" normal --search-attribute givenName -r cn,sn,givenName "Łukasz"
compare "details" normal --details --search-attribute sn -r cn,mail Smith
compare "output file with a non-ASCII name" normal --search-attribute sn -r cn --output "Müller Ørsted.csv" Müller
compare "bind with a non-ASCII password" login -D "cn=reader,dc=corvane,dc=test" \
  --password-file "$work/password" --search-attribute sn -r cn Smith
compare "refused anonymous bind" nobind --search-attribute sn -r cn Smith
compare "no server" normal -p 1 --search-attribute sn -r cn Smith
COMPARE_SERVER=no compare "a server list whose first server is down" normal \
  -H "ldap://127.0.0.1:1 ldap://127.0.0.1:${port[normal]}" --search-attribute sn -r cn Smith
COMPARE_SERVER=no compare "unknown host" normal -H "ldap://no-such-host.invalid" --search-attribute sn -r cn Smith
COMPARE_SERVER=no compare "ldaps:// to a plain port" normal -H "ldaps://127.0.0.1:${port[normal]}" -l 3 \
  --search-attribute sn -r cn Smith
LINUX_OUTPUT=/dev/null WINDOWS_OUTPUT=NUL compare "the null device as the output" normal \
  --search-attribute sn -r cn Smith
if [ "$ad_status" -eq 0 ]; then
  # Wine trusts every certificate; the Linux program the test CA of the run. Wine's WLDAP32 loses
  # its place in an encrypted answer of this server after about 1.3 KB (a plain one it reads
  # whole, and slapd's encrypted ones too): each search here asks for one person.
  ad_search=(-D reader@corvane.test --password-file "$work/ad/reader-password" --search-attribute sAMAccountName
    -r cn,displayName,mail,otherTelephone)
  LDAPTLS_CACERT="$work/ad/tls/ca.pem" COMPARE_SERVER=no compare "AD person, user@realm over StartTLS" ad \
    -H "ldap://127.0.0.1:${port[ad]}" -ZZ "${ad_search[@]}" m0003
  ad_search[1]='CORVANE\reader'
  LDAPTLS_CACERT="$work/ad/tls/ca.pem" COMPARE_SERVER=no compare "AD person, DOMAIN\\user over ldaps://" ad \
    -H "ldaps://127.0.0.1:$(cat "$work/ad/ldaps-port")" "${ad_search[@]}" m1001
else
  echo "skipped AD people: $(cat "$work/ad/skip-reason")"
fi

# On a console (Wine gives a program on a terminal a console) the text shows as its characters
# whatever the console's code page; the terminal here takes UTF-8.
search="wine '$windows' --server 127.0.0.1 -p ${port[normal]} -b dc=corvane,dc=test --search-attribute sn"
mueller=$(printf 'M\xc3\xbcller') greek=$(printf '\xce\xa0\xce\xb1\xcf\x80\xce\xb1')
console_out=$(LANG=C.UTF-8 script -qec "$search -r cn,l '$mueller'; $search -r sn '$greek'" /dev/null </dev/null |
  tr -d '\r' | sed 's/\x1b\[[0-9;?]*[a-zA-Z]//g')  # without the console's cursor moves
for text in "$mueller J\xc3\xbcrgen;M\xc3\xbcnchen" "'$greek"; do
  if ! printf '%s' "$console_out" | grep -q "$(printf "$text")"; then
    echo "FAILED console output: $(printf "$text") is not shown: $(printf '%s' "$console_out" | head -c 300)" >&2
    failures=$((failures + 1))
  fi
done
echo "ok console output"

[ "$failures" -eq 0 ] || exit 1

# ad.sh - the Active Directory configuration of directory-server (sourced by it): a Samba AD domain
# controller of the realm CORVANE.TEST, with the people and groups of ad-data.py and a reader.
#
# The domain controller listens on its fixed ports (389 with StartTLS, 636 ldaps://, 3268 and
# 3269 the global catalog, 88 its Kerberos KDC, 53 its DNS server with the domain's _ldap._tcp and
# _gc._tcp records) inside a private network namespace of its own, where nothing else runs,
# so that several of them can run at once. netns-relay.py makes the four ports reachable on
# 127.0.0.1 on free ports, written to DIR/port (389), DIR/ldaps-port, DIR/gc-port and
# DIR/gcs-port. The certificate comes from a test CA made for the run (DIR/tls/ca.pem).
# Provisioning and loading the data take a minute: the result is kept as a template in the cache
# folder, keyed by the data script and the provisioning steps, and copied for every start.
# Where Samba cannot run (not root, no network namespaces, not installed) start says why in
# DIR/skip-reason and exits 77.

ad_realm=CORVANE.TEST
ad_domain=CORVANE
ad_base=DC=corvane,DC=test
ad_host=dc1.corvane.test
ad_admin_pw="Verwalter-Pässwort-3Kd"
ad_reader=reader
ad_reader_pw="Leser-Pässwort-7Qx"

ad_skip() {
  echo "$1" >"$dir/skip-reason"
  echo "directory-server: $1" >&2
  exit 77
}

ad_check() {
  [ "$(id -u)" -eq 0 ] || ad_skip "a Samba domain controller needs root"
  local tool
  for tool in samba samba-tool ldbadd unshare ip python3 ldapsearch openssl; do
    command -v "$tool" >/dev/null 2>&1 || [ -x "/usr/sbin/$tool" ] || ad_skip "$tool is not installed"
  done
  local reason
  reason=$(unshare --net true 2>&1) || ad_skip "network namespaces are not allowed here: $reason"
}

# smb.conf of a domain controller whose files are all below $1.
ad_write_config() {
  local root=$1
  mkdir -p "$root/run" "$root/cache" "$root/log" "$root/state"
  cat >"$root/smb.conf" <<CONF
# Samba configuration of a private test domain controller (written by directory-server)
[global]
	netbios name = DC1
	realm = $ad_realm
	workgroup = $ad_domain
	server role = active directory domain controller
	server services = ldap, kdc, dns
	ldap server require strong auth = allow_sasl_over_tls
	interfaces = lo
	bind interfaces only = yes
	private dir = $root/private
	lock directory = $root/run
	state directory = $root/state
	cache directory = $root/cache
	pid directory = $root/run
	ncalrpc dir = $root/run/ncalrpc
	binddns dir = $root/bind-dns
	log file = $root/log/samba.log
	logging = file
	log level = 1
	idmap_ldb:use rfc2307 = yes
	tls enabled = yes
	tls keyfile = $root/tls/server.key
	tls certfile = $root/tls/server.pem
	tls cafile = $root/tls/ca.pem
CONF
}

# Provisions a domain into $1, loads the data and adds the reader (whose password never expires).
ad_provision() {
  local root=$1 conf=$1/etc/smb.conf sam=$1/private/sam.ldb
  mkdir -p "$root"
  samba-tool domain provision --targetdir="$root" --realm="$ad_realm" --domain="$ad_domain" \
    --server-role=dc --dns-backend=SAMBA_INTERNAL --host-name=dc1 --host-ip=127.0.0.1 --host-ip6=::1 --use-rfc2307 \
    --adminpass="$ad_admin_pw" >"$root/provision.log" 2>&1 || return 1
  python3 "$templates/ad-data.py" "$ad_base" "$ad_realm" >"$root/data.ldif" || return 1
  ldbadd -H "$sam" "$root/data.ldif" >>"$root/provision.log" 2>&1 || return 1
  samba-tool user create "$ad_reader" "$ad_reader_pw" --given-name=Leser --use-username-as-cn -s "$conf" -H "$sam" \
    >>"$root/provision.log" 2>&1 || return 1
  samba-tool user setexpiry "$ad_reader" --noexpiry -s "$conf" -H "$sam" >>"$root/provision.log" 2>&1 || return 1
  # The directory service's Kerberos names, by which clients that sign in with a ticket ask for it.
  local spn
  for spn in "ldap/$ad_host" "ldap/$ad_host/${ad_realm,,}" "ldap/DC1"; do
    samba-tool spn add "$spn" 'DC1$' -s "$conf" -H "$sam" >>"$root/provision.log" 2>&1 || return 1
  done
  rm -rf "$root/etc" "$root/data.ldif"
}

# The provisioned template of the current data script, made when missing; prints its folder.
ad_template() {
  local cache_root key template
  cache_root="${CORVANE_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/corvane-ldap}"
  mkdir -p "$cache_root"
  # The data script and the provisioning steps make the template: a change of either makes a new one.
  key=$({ declare -f ad_provision; cat "$templates/ad-data.py"; } | sha256sum | cut -c1-16)
  template="$cache_root/ad-template-$key"
  if [ ! -f "$template/ready" ]; then
    exec 8>"$cache_root/ad-template.lock"
    flock 8
    if [ ! -f "$template/ready" ]; then
      echo "directory-server: provisioning the Active Directory template (once, about a minute)" >&2
      rm -rf "$template.new"
      # Templates of other data go once unused for a day: another checkout may be using one.
      find "$cache_root" -maxdepth 1 -name 'ad-template-*' -mmin +1440 -exec rm -rf {} + 2>/dev/null || true
      if ! ad_provision "$template.new"; then
        echo "directory-server: provisioning failed, see $template.new/provision.log" >&2
        exit 1
      fi
      touch "$template.new/ready"
      rm -rf "$template"
      mv "$template.new" "$template"
    fi
    exec 8>&-
  fi
  touch "$template"  # in use: not to be pruned
  echo "$template"
}

ad_alive() {
  local state
  state=$(awk '{ print $3 }' "/proc/$1/stat" 2>/dev/null) || return 1
  [ -n "$state" ] && [ "$state" != Z ]
}

ad_stop() {
  local dir=$1 name pid i
  for name in relay samba; do
    [ -f "$dir/$name.pid" ] || continue
    pid=$(cat "$dir/$name.pid")
    # Each runs in a session and process group of its own: end the whole group.
    kill -TERM -- "-$pid" 2>/dev/null || kill -TERM "$pid" 2>/dev/null || true
    for ((i = 0; i < 100; i++)); do
      ad_alive "$pid" || break
      sleep 0.1
    done
    ad_alive "$pid" && kill -KILL -- "-$pid" 2>/dev/null
    rm -f "$dir/$name.pid"
  done
  rm -f "$dir/port" "$dir/ldaps-port" "$dir/gc-port" "$dir/gcs-port" "$dir/relay-ports"
}

ad_start() {
  local dir=$1 template pid i port
  mkdir -p "$dir"
  dir=$(cd "$dir" && pwd)
  ad_stop "$dir"
  rm -rf "$dir/private" "$dir/state" "$dir/run" "$dir/cache" "$dir/log" "$dir/tls" "$dir/skip-reason"
  ad_check
  template=$(ad_template)
  cp -a "$template/private" "$template/state" "$dir/"
  certificate_names=",DNS:$ad_host" make_certificates "$dir"
  chmod 600 "$dir/tls/server.key"
  ad_write_config "$dir"
  (umask 077 && printf '%s' "$ad_reader_pw" >"$dir/reader-password")

  setsid unshare --net sh -c 'ip link set lo up && exec samba -s "$1" --foreground --no-process-group' \
    sh "$dir/smb.conf" </dev/null >"$dir/log/samba.out" 2>&1 &
  echo $! >"$dir/samba.pid"
  pid=$!
  for ((i = 0; i < 50; i++)); do
    [ "$(readlink "/proc/$pid/ns/net")" != "$(readlink /proc/self/ns/net)" ] && break
    sleep 0.1
  done
  setsid python3 "$templates/netns-relay.py" "/proc/$pid/ns/net" "$dir/relay-ports" 389 636 3268 3269 \
    </dev/null >"$dir/log/relay.out" 2>&1 &
  echo $! >"$dir/relay.pid"
  for ((i = 0; i < 50; i++)); do
    [ -f "$dir/relay-ports" ] && break
    sleep 0.1
  done
  relay_port() { awk -v p="$1" '$1 == p { print $2 }' "$dir/relay-ports" 2>/dev/null; }
  port=$(relay_port 389)
  for ((i = 0; i < 600; i++)); do
    if [ -n "$port" ] && LDAPTLS_CACERT="$dir/tls/ca.pem" "$ldapsearch" -x -ZZ -H "ldap://127.0.0.1:$port/" \
      -D "$ad_reader@$ad_realm" -w "$ad_reader_pw" -b "$ad_base" -s base -o nettimeout=2 -l 2 dn >/dev/null 2>&1; then
      relay_port 636 >"$dir/ldaps-port"
      relay_port 3268 >"$dir/gc-port"
      relay_port 3269 >"$dir/gcs-port"
      echo "$port" >"$dir/port"
      echo "$port"
      return 0
    fi
    ad_alive "$pid" || break
    sleep 0.1
  done
  ad_stop "$dir"
  echo "directory-server: the domain controller did not start, see $dir/log" >&2
  exit 1
}

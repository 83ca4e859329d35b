# shellcheck shell=bash
# Shared by the transfer benchmarks (source it): a vsftpd on 127.0.0.1 with its own config,
# anonymous login, "/" read-only and /pub writable, as the test fixture starts it. Needs root,
# /usr/sbin/vsftpd and the user "ftp".
#   vsftpd_start ROOT   sets VSFTPD_PORT and VSFTPD_PID; ROOT/pub is made and given to "ftp".
#                       VSFTPD_TLS=1: TLS only, with a self-signed certificate; VSFTPD_PIN is the
#                       sha256// pin of its key, for curl --pinnedpubkey. VSFTPD_EXTRA: more
#                       lines for its config (the passive ports of bench/lib/wan.sh)

#   vsftpd_stop         stops the server and the sessions it forked
#   bench_ratio A B     prints A/B with two decimals (0 when B is 0)
#   bench_build         the build folder (VAMOX_BUILD, default build)
#   bench_now, bench_secs, bench_max, bench_field, bench_need_space, bench_random_file, bench_tree:
#                       timing, numbers, driver output and test data (see each)

bench_build() { echo "${VAMOX_BUILD:-build}"; }

bench_ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }'; }

bench_now() { date +%s%N; }

# Seconds between two bench_now values.
bench_secs() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.6f", (b - a) / 1e9 }'; }

# The larger of two numbers (the first may be empty).
bench_max() { awk -v a="$1" -v b="$2" 'BEGIN { print (a == "" || b + 0 > a + 0) ? b : a }'; }

vsftpd_free_port() {
    /usr/bin/python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

vsftpd_greets() { # port banner
    local line
    { exec 3<>"/dev/tcp/127.0.0.1/$1"; } 2>/dev/null || return 1
    read -r -t 2 line <&3 || true
    exec 3<&-
    case $line in 220*"$2"*) return 0 ;; *) return 1 ;; esac
}

# shellcheck disable=SC2034 # VSFTPD_PORT is for the caller
vsftpd_start() {
    local root=$1 conf
    [ "$(id -u)" = 0 ] && [ -x /usr/sbin/vsftpd ] && getent passwd ftp >/dev/null ||
        { echo "vsftpd: needs root, /usr/sbin/vsftpd and the user ftp" >&2; return 2; }
    VSFTPD_DIR=$(mktemp -d)
    mkdir -p "$root/pub" /var/run/vsftpd/empty
    chmod 755 "$root"
    chown ftp:ftp "$root/pub"
    conf=$VSFTPD_DIR/vsftpd.conf
    local try port banner
    for try in 1 2 3 4 5; do
        port=$(vsftpd_free_port)
        banner="Vamox bench $$-$try"
        umask 077
        cat > "$conf" <<CONF
listen=YES
listen_ipv6=NO
listen_address=127.0.0.1
listen_port=$port
background=NO
isolate=NO
isolate_network=NO
seccomp_sandbox=NO
ftpd_banner=$banner
anonymous_enable=YES
local_enable=NO
write_enable=YES
anon_upload_enable=YES
anon_mkdir_write_enable=YES
anon_other_write_enable=YES
anon_world_readable_only=NO
anon_umask=022
anon_root=$root
ftp_username=ftp
secure_chroot_dir=/var/run/vsftpd/empty
pasv_enable=YES
connect_from_port_20=NO
idle_session_timeout=600
xferlog_enable=NO
dirmessage_enable=NO
use_localtime=NO
CONF
        if [ "${VSFTPD_TLS:-0}" = 1 ]; then
            [ -f "$VSFTPD_DIR/cert.pem" ] ||
                openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=127.0.0.1 \
                    -keyout "$VSFTPD_DIR/key.pem" -out "$VSFTPD_DIR/cert.pem" 2>/dev/null
            VSFTPD_PIN=sha256//$(openssl x509 -in "$VSFTPD_DIR/cert.pem" -pubkey -noout |
                openssl pkey -pubin -outform der | openssl dgst -sha256 -binary | base64)
            cat >> "$conf" <<CONF
ssl_enable=YES
allow_anon_ssl=YES
force_anon_logins_ssl=YES
force_anon_data_ssl=YES
require_ssl_reuse=YES
rsa_cert_file=$VSFTPD_DIR/cert.pem
rsa_private_key_file=$VSFTPD_DIR/key.pem
CONF
        fi
        [ -n "${VSFTPD_EXTRA:-}" ] && echo "$VSFTPD_EXTRA" >> "$conf"
        umask 022
        /usr/sbin/vsftpd "$conf" 2>"$VSFTPD_DIR/log" &
        VSFTPD_PID=$!
        local i
        for i in $(seq 50); do
            if vsftpd_greets "$port" "$banner"; then VSFTPD_PORT=$port; return 0; fi
            kill -0 "$VSFTPD_PID" 2>/dev/null || break
            sleep 0.1
        done
        vsftpd_stop
    done
    echo "vsftpd: did not start: $(tail -c 500 "$VSFTPD_DIR/log" 2>/dev/null)" >&2
    return 1
}

vsftpd_stop() {
    [ -n "${VSFTPD_PID:-}" ] || return 0
    local kids
    kids=$(ps -o pid= --ppid "$VSFTPD_PID" 2>/dev/null || true)
    # shellcheck disable=SC2086 # one pid per word
    kill "$VSFTPD_PID" $kids 2>/dev/null || true
    wait "$VSFTPD_PID" 2>/dev/null || true
    VSFTPD_PID=
    [ -n "${VSFTPD_DIR:-}" ] && rm -rf "$VSFTPD_DIR"
    VSFTPD_DIR=
}

# Value of key=value in a line of words: bench_field KEY LINE
bench_field() { echo "$2" | tr ' ' '\n' | sed -n "s/^$1=//p" | tail -n 1; }

# Fails unless the folder's file system has at least N MiB free: bench_need_space DIR MIB
bench_need_space() {
    local free
    free=$(df -Pk "$1" | awk 'NR == 2 { print int($4 / 1024) }')
    [ "$free" -ge "$2" ] || { echo "need ${2} MiB free in $1, have ${free} MiB" >&2; return 2; }
}

# A file of N MiB of random bytes, really written (not sparse): bench_random_file PATH MIB
bench_random_file() { head -c "$(($2 * 1024 * 1024))" /dev/urandom > "$1"; }

# COUNT files of 4 KiB of random bytes below DIR: a quarter in DIR itself, the rest spread over
# sub1, sub2 and sub2/diep: bench_tree DIR COUNT
bench_tree() {
    local dir=$1 count=$2 all i=0 f target
    mkdir -p "$dir/sub1" "$dir/sub2/diep"
    all=$(mktemp -d)
    head -c $((count * 4096)) /dev/urandom | split -b 4096 -a 5 -d - "$all/f"
    for f in "$all"/f*; do
        case $((i % 4)) in
            0) target=$dir ;; 1) target=$dir/sub1 ;; 2) target=$dir/sub2 ;; *) target=$dir/sub2/diep ;;
        esac
        mv "$f" "$target/bestand-$i.dat"
        i=$((i + 1))
    done
    rmdir "$all"
}

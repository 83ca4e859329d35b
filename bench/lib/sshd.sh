# shellcheck shell=bash
# Shared by the SFTP benchmarks (source it): OpenSSH's sshd on 127.0.0.1 with a host key and a
# client key made per run, internal-sftp, no PAM; logins as the user running it.
#   sshd_start DIR   sets SSHD_PORT, SSHD_KEY (the client's private key), SSHD_KNOWN_HOSTS (for
#                    127.0.0.1 and 127.0.0.2) and, for the driver, BENCH_SFTP_KEYS and
#                    BENCH_SFTP_KNOWN_HOSTS
#   sshd_stop        stops the server and the sessions it forked
source "$(dirname "${BASH_SOURCE[0]}")/vsftpd.sh"

# shellcheck disable=SC2034 # the variables are for the caller
sshd_start() {
    local dir=$1 try port
    [ -x /usr/sbin/sshd ] || { echo "sshd: /usr/sbin/sshd not found (openssh-server)" >&2; return 2; }
    mkdir -p "$dir/keys"
    [ "$(id -u)" = 0 ] && mkdir -p /run/sshd
    ssh-keygen -q -t ed25519 -N '' -f "$dir/host" </dev/null
    ssh-keygen -q -t ed25519 -N '' -f "$dir/keys/id_ed25519" </dev/null
    cp "$dir/keys/id_ed25519.pub" "$dir/authorized_keys"
    for try in 1 2 3 4 5; do
        port=$(vsftpd_free_port)
        cat > "$dir/sshd_config" <<CONF
Port $port
ListenAddress 127.0.0.1
HostKey $dir/host
PidFile none
UsePAM no
StrictModes no
AuthorizedKeysFile $dir/authorized_keys
PermitRootLogin yes
MaxStartups 100
Subsystem sftp internal-sftp
CONF
        /usr/sbin/sshd -D -e -f "$dir/sshd_config" 2>"$dir/sshd.log" &
        SSHD_PID=$!
        local i
        for i in $(seq 50); do
            if { exec 3<>"/dev/tcp/127.0.0.1/$port"; } 2>/dev/null; then
                exec 3<&-
                SSHD_PORT=$port
                SSHD_KEY=$dir/keys/id_ed25519
                SSHD_KNOWN_HOSTS=$dir/known_hosts
                # 127.0.0.2: the far end of the slow line (bench/lib/wan.sh).
                {
                    echo "[127.0.0.1]:$port $(cut -d' ' -f1,2 "$dir/host.pub")"
                    echo "[127.0.0.2]:$port $(cut -d' ' -f1,2 "$dir/host.pub")"
                } > "$SSHD_KNOWN_HOSTS"
                export BENCH_SFTP_KEYS=$dir/keys BENCH_SFTP_KNOWN_HOSTS=$SSHD_KNOWN_HOSTS
                return 0
            fi
            kill -0 "$SSHD_PID" 2>/dev/null || break
            sleep 0.1
        done
        kill "$SSHD_PID" 2>/dev/null || true
        wait "$SSHD_PID" 2>/dev/null || true
    done
    echo "sshd: did not start: $(tail -3 "$dir/sshd.log")" >&2
    return 1
}

sshd_stop() {
    [ -n "${SSHD_PID:-}" ] || return 0
    pkill -TERM -P "$SSHD_PID" 2>/dev/null || true
    kill "$SSHD_PID" 2>/dev/null || true
    wait "$SSHD_PID" 2>/dev/null || true
    SSHD_PID=
}

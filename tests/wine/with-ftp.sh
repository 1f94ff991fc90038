#!/usr/bin/env bash
# Runs a command with two FTP servers on 127.0.0.1 and stops them afterwards:
#   FTP_PORT          vsftpd (anonymous; the password "wrong@pass" is refused) serving a copy of
#                     tests/fixtures/ftp/root plus generated files (files/, holes/ with an unreadable
#                     file in its middle, big/ when FTP_BIG=1); FTP_RATE caps each download at that
#                     many bytes per second
#   FTP_HOSTILE_PORT  tests/wine/hostile_ftp.py, whose user name picks the misbehaviour
#   FTP_MUTE_PORT     the same server with --mute: it accepts connections and never greets
#   FTP_DEAD_PORT     a port where nothing listens
#   FTP_ROOT          the served folder, as Wine sees it (drive Z:)
# vsftpd runs as root in the foreground with a configuration of its own.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
fixtures=$(cd "$here/../fixtures/ftp" && pwd)
PY=/usr/bin/python3
work=$(mktemp -d /tmp/ftp-test.XXXXXX)
chmod 755 "$work"
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  for p in "${pids[@]}"; do wait "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

root="$work/root"
cp -r "$fixtures/root" "$root"
mkdir -p "$root/files" "$root/incoming"
head -c 3000 /dev/urandom > "$root/files/three.bin"
: > "$root/files/empty.bin"
head -c 2048 /dev/urandom > "$root/files/two.bin"
head -c $((1 << 20)) /dev/urandom > "$root/files/mega.bin"
printf "line one\nline two\n" > "$root/files/notes.txt"
cp "$root/files/notes.txt" "$root/files/notes.dat"
mkdir -p "$root/holes/mid" "$root/holes/zlast"
printf first > "$root/holes/first.bin"; printf locked > "$root/holes/mid/locked.bin"
printf after > "$root/holes/mid/after.bin"; printf later > "$root/holes/zlast/later.bin"
if [ "${FTP_BIG:-0}" = 1 ]; then
  mkdir -p "$root/big"
  head -c $((64 << 20)) /dev/urandom > "$root/big/64mb.bin"
  head -c $((8 << 20)) "$root/big/64mb.bin" > "$root/big/8mb.bin"
fi
chown ftp "$root/incoming"
chmod -R a+rX "$root"
chmod 000 "$root/holes/mid/locked.bin"

free_port() { "$PY" -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])'; }
FTP_PORT=$(free_port); FTP_HOSTILE_PORT=$(free_port); FTP_MUTE_PORT=$(free_port); FTP_DEAD_PORT=$(free_port)

echo 'wrong@pass' > "$work/banned"
cat > "$work/vsftpd.conf" <<CONF
listen=YES
listen_address=127.0.0.1
listen_port=$FTP_PORT
background=NO
anonymous_enable=YES
local_enable=NO
anon_root=$root
ftp_username=ftp
no_anon_password=NO
deny_email_enable=YES
banned_email_file=$work/banned
write_enable=YES
anon_upload_enable=YES
anon_mkdir_write_enable=YES
anon_other_write_enable=YES
anon_umask=022
seccomp_sandbox=NO
connect_from_port_20=NO
port_enable=YES
pasv_enable=YES
xferlog_enable=NO
ascii_download_enable=YES
ascii_upload_enable=YES
secure_chroot_dir=/var/run/vsftpd/empty
anon_max_rate=${FTP_RATE:-0}
CONF
/usr/sbin/vsftpd "$work/vsftpd.conf" &
pids+=($!)
"$PY" "$here/hostile_ftp.py" "$FTP_HOSTILE_PORT" &
pids+=($!)
"$PY" "$here/hostile_ftp.py" "$FTP_MUTE_PORT" --mute &
pids+=($!)

# Both must answer before the command starts.
for port in "$FTP_PORT" "$FTP_HOSTILE_PORT" "$FTP_MUTE_PORT"; do
  for _ in $(seq 50); do
    "$PY" -c "import socket,sys; socket.create_connection(('127.0.0.1',$port),1).close()" 2>/dev/null && break
    sleep 0.1
  done
done

export FTP_PORT FTP_HOSTILE_PORT FTP_MUTE_PORT FTP_DEAD_PORT FTP_ROOT="Z:${root//\//\\}"
"$@"

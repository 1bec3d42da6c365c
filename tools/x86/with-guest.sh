#!/usr/bin/env bash
# with-guest.sh STATE COMMAND...: boots the emulated x86-64 machine (see setup.sh), runs COMMAND
# on the host while it is up, then powers it off. COMMAND reaches the guest through guest-run;
# STATE (a folder inside the clone) holds the job spool and the guest's console log.
# The guest draws on the host's $DISPLAY without any X server listening on TCP: each connection
# the guest opens to 10.0.2.100:6000 is handed by QEMU's user network to a socat of its own,
# joined to the display's Unix socket. The network is restricted: that forward is all the guest
# reaches, and nothing listens on the host. One guest at a time per cache: they share the prefix.
set -u
CACHE=${CLOCK_X86_CACHE:-/var/cache/polkamina-clock/x86}
TOP=$(cd "$(dirname "$0")/../.." && pwd)
mkdir -p "$1" && STATE=$(cd "$1" && pwd)
shift
case $STATE/ in "$TOP"/*) ;; *) echo "with-guest: $STATE is not inside $TOP" >&2 && exit 2 ;; esac
[ -f "$CACHE/root/.clock-packages" ] && [ -f "$CACHE/boot/initrd.gz" ] ||
    { echo "with-guest: no guest in $CACHE; run tools/x86/setup.sh" >&2 && exit 2; }

exec 8>"$CACHE/guest.lock"
flock 8
SPOOL=$STATE/spool
rm -rf "$SPOOL" && mkdir -p "$SPOOL"
net=user,id=net,restrict=on
if [ -n "${DISPLAY:-}" ]; then
    n=${DISPLAY#*:} && n=${n%%.*}
    [ -S "/tmp/.X11-unix/X$n" ] || { echo "with-guest: $DISPLAY has no Unix socket" >&2 && exit 2; }
    net="$net,guestfwd=tcp:10.0.2.100:6000-cmd:socat STDIO UNIX-CONNECT:/tmp/.X11-unix/X$n"
    export CLOCK_GUEST_DISPLAY=10.0.2.100:0
fi
# SMAP off: QEMU 7.2's TCG checks the user stack of Wine's IRETQ syscall returns with kernel
# rights, and the guest kernel oopses.
qemu-system-x86_64 -nodefaults -machine q35 -cpu max,-smap -smp 2 -accel tcg,thread=multi \
    -m 3072 -kernel "$CACHE/boot/vmlinuz" -initrd "$CACHE/boot/initrd.gz" \
    -append "console=ttyS0 quiet panic=-1 clock.share=$TOP clock.spool=$SPOOL" \
    -display none -serial "file:$STATE/console.log" -monitor none -no-reboot \
    -virtfs "local,path=$CACHE/root,mount_tag=root,security_model=passthrough,id=root" \
    -virtfs "local,path=$TOP,mount_tag=clone,security_model=passthrough,id=clone" \
    -netdev "$net" -device virtio-net-pci,netdev=net,romfile= \
    </dev/null >"$STATE/qemu.log" 2>&1 8>&- &
QEMU=$!
echo "$QEMU" >"$STATE/qemu.pid"
trap 'kill $QEMU 2>/dev/null' EXIT
trap 'exit 130' INT TERM HUP
for _ in $(seq 1200); do
    [ -f "$SPOOL/ready" ] || ! kill -0 $QEMU 2>/dev/null && break
    sleep 0.1
done
[ -f "$SPOOL/ready" ] ||
    { echo "with-guest: the guest did not start ($STATE/console.log)" >&2 && exit 3; }
export CLOCK_X86_VM=$STATE
"$@" 8>&-
rc=$?
: >"$SPOOL/poweroff.job"
for _ in $(seq 300); do kill -0 $QEMU 2>/dev/null && sleep 0.1; done
exit $rc

#!/usr/bin/env bash
# Builds what runs the 32-bit clock here: this host's kernel faults on every 32-bit code segment,
# so i686 code only runs inside an emulated x86-64 machine (QEMU without KVM). Made once, from
# Debian packages, in a cache outside the clone ($CLOCK_X86_CACHE, default
# /var/cache/polkamina-clock/x86) that every clone and CI run reuses:
#   root/   a Debian trixie root: Wine 10 (64-bit), whose WoW64 mode runs 32-bit programs once
#           the i386 PE DLLs of libwine:i386 lie beside its own; X, ALSA, Japanese locale and
#           font, libfaketime. The guest boots on it over 9p. Wine 8 of this host's release
#           cannot: its WoW64 GDI has no memory device contexts.
#   boot/   the trixie kernel and a busybox initramfs that mounts the root and the clone.
# The Wine prefix is made later inside the guest (guest-run --init). Each step is skipped when
# its result is there; a lock keeps two runs from building at once. Needs root (debootstrap).
set -euo pipefail
CACHE=${CLOCK_X86_CACHE:-/var/cache/polkamina-clock/x86}
ROOT=$CACHE/root
BOOT=$CACHE/boot
SUITE=trixie
HOST_PKGS="qemu-system-x86 debootstrap socat xz-utils"
# No Recommends: they would bring Mesa, GStreamer and the 32-bit Unix side of Wine.
GUEST_PKGS="wine64 libwine libx11-6 libxext6 libxrender1 libxcursor1 libxi6 libxrandr2
 libxinerama1 libxcomposite1 libxfixes3 libxxf86vm1 libasound2t64 libasound2-data locales
 fonts-ipafont-gothic faketime"
# Modules the guest loads from its initramfs: the 9p shares and the virtio network card.
MODULES="9p 9pnet_virtio virtio_net"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

missing=""
for p in $HOST_PKGS; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  echo "x86 setup: installing$missing"
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing ||
    { $SUDO apt-get update -q && $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q \
        --no-install-recommends $missing; }
fi
[ -f "$ROOT/.clock-packages" ] && [ -f "$BOOT/initrd.gz" ] && exit 0
[ -z "$SUDO" ] || exec sudo env CLOCK_X86_CACHE="$CACHE" bash "$0" "$@"

mkdir -p "$CACHE"
exec 9>"$CACHE/setup.lock"
flock 9
t0=$(date +%s)
say() { echo "x86 setup: $* ($(($(date +%s) - t0)) s)"; }

# The host's own Debian mirror, read at run time so that no address is written down here.
mirror() {
  awk '/^URIs:/ && $2 ~ /\/debian\/?$/ {print $2; exit}' /etc/apt/sources.list.d/*.sources 2>/dev/null ||
    true
  awk '$1 == "deb" {for (i = 2; i <= NF; i++) if ($i ~ /^[a-z]+:\/\/.*\/debian\/?$/) {print $i; exit}}' \
    /etc/apt/sources.list 2>/dev/null || true
}
MIRROR=${CLOCK_X86_MIRROR:-$(mirror | head -n1)}
[ -n "$MIRROR" ] || { echo "x86 setup: no Debian mirror in the apt sources" >&2; exit 1; }

# Commands in the root run chrooted in a mount namespace of their own, gone when they end.
in_root() {
  unshare --mount --propagation private bash -c '
    r=$1; shift
    mount -t proc proc "$r/proc" && mount --rbind /dev "$r/dev" && mount -t sysfs sys "$r/sys" || exit 1
    cp /etc/resolv.conf "$r/etc/resolv.conf" 2>/dev/null
    exec chroot "$r" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive "$@"
  ' in_root "$ROOT" "$@"
}
LISTS=""
apt_lists() {
  [ -z "$LISTS" ] || return 0
  echo "deb $MIRROR $SUITE main" >"$ROOT/etc/apt/sources.list"
  in_root dpkg --add-architecture i386
  in_root apt-get update -qq
  LISTS=1
}
# Whatever names the mirror goes again: the sources, the package lists, the bootstrap log.
forget_mirror() {
  : >"$ROOT/etc/apt/sources.list"
  rm -rf "$ROOT"/var/lib/apt/lists/* "$ROOT"/var/cache/apt/*.bin "$ROOT"/var/cache/apt/archives/*.deb \
    "$ROOT"/var/log/bootstrap.log "$ROOT/etc/resolv.conf"
}
trap 'forget_mirror 2>/dev/null' EXIT

if [ ! -f "$ROOT/.clock-base" ]; then
  say "debootstrap $SUITE into $ROOT"
  rm -rf "$ROOT"
  debootstrap --variant=minbase "$SUITE" "$ROOT" "$MIRROR" >"$CACHE/debootstrap.log" 2>&1 ||
    { tail -20 "$CACHE/debootstrap.log" >&2; exit 1; }
  touch "$ROOT/.clock-base"
fi

if [ ! -f "$ROOT/.clock-wine" ]; then
  say "Wine and its libraries"
  apt_lists
  in_root apt-get install -y -q --no-install-recommends $GUEST_PKGS >"$CACHE/packages.log" 2>&1 ||
    { tail -20 "$CACHE/packages.log" >&2; exit 1; }
  sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' "$ROOT/etc/locale.gen"
  grep -q '^ja_JP.UTF-8 UTF-8' "$ROOT/etc/locale.gen" || echo 'ja_JP.UTF-8 UTF-8' >>"$ROOT/etc/locale.gen"
  in_root locale-gen >/dev/null
  touch "$ROOT/.clock-wine"
fi

# Only libwine:i386 carries the 32-bit PE DLLs; installing it would pull in the whole i386 Unix
# side, so it is unpacked and its i386-windows folder put where the 64-bit Wine looks for it.
I386=usr/lib/x86_64-linux-gnu/wine/i386-windows
if [ ! -f "$ROOT/.clock-packages" ]; then
  say "the i386 PE DLLs of the same Wine"
  apt_lists
  version=$(in_root dpkg-query -W -f='${Version}' libwine)
  rm -rf "$ROOT/tmp/i386" && mkdir -p "$ROOT/tmp/i386"
  in_root sh -c "cd /tmp/i386 && apt-get -o APT::Sandbox::User=root download -q libwine:i386=$version >/dev/null"
  dpkg -x "$ROOT"/tmp/i386/libwine_*_i386.deb "$ROOT/tmp/i386/x"
  mkdir -p "$ROOT/$I386"
  cp -a "$ROOT/tmp/i386/x/usr/lib/i386-linux-gnu/wine/i386-windows/." "$ROOT/$I386/"
  rm -rf "$ROOT/tmp/i386"
  [ -f "$ROOT/$I386/kernel32.dll" ] || { echo "x86 setup: no i386 kernel32.dll" >&2; exit 1; }
  mkdir -p "$ROOT/var/lib/polkamina-clock"
  touch "$ROOT/.clock-packages"
fi

# The kernel and an initramfs of busybox and the modules (with what they need, in load order).
if [ ! -f "$BOOT/initrd.gz" ]; then
  say "guest kernel and initramfs"
  apt_lists
  kernel=$(in_root apt-cache depends linux-image-amd64 | awk '/Depends: linux-image-[0-9]/ {print $2; exit}')
  rm -rf "$ROOT/tmp/boot" && mkdir -p "$ROOT/tmp/boot"
  in_root sh -c "cd /tmp/boot && apt-get -o APT::Sandbox::User=root download -q $kernel busybox-static >/dev/null"
  x=$ROOT/tmp/boot/x
  for deb in "$ROOT"/tmp/boot/*.deb; do dpkg -x "$deb" "$x"; done
  mods=$(ls -d "$x"/usr/lib/modules/*)
  ird=$ROOT/tmp/boot/initrd
  mkdir -p "$ird/bin" "$ird/m"
  cp "$x/usr/bin/busybox" "$ird/bin/"
  ordered=""
  add_module() { # what it depends on first (its modinfo's "depends="), each once
    local file dep
    case " $ordered " in *" $1 "*) return ;; esac
    file=$(find "$mods" \( -name "$1.ko*" -o -name "${1//_/-}.ko*" \) | head -n1)
    [ -n "$file" ] || { echo "x86 setup: no module $1" >&2 && exit 1; }
    xz -dcf "$file" >"$ird/m/$1.ko"
    for dep in $(tr '\0' '\n' <"$ird/m/$1.ko" | sed -n 's/^depends=//p' | tr ',' ' '); do
      add_module "$dep"
    done
    ordered="$ordered $1"
  }
  for m in $MODULES; do add_module "$m"; done
  echo "$ordered" >"$ird/m/order"
  cp "$(dirname "$0")/guest-init" "$ird/init"
  chmod +x "$ird/init"
  mkdir -p "$BOOT"
  (cd "$ird" && find . | "$x/usr/bin/busybox" cpio -o -H newc 2>/dev/null | gzip -1 >"$BOOT/initrd.tmp")
  cp "$x"/boot/vmlinuz-* "$BOOT/vmlinuz"
  mv "$BOOT/initrd.tmp" "$BOOT/initrd.gz"
  rm -rf "$ROOT/tmp/boot"
fi
forget_mirror
say "ready: $CACHE ($(du -sh "$CACHE" | cut -f1))"

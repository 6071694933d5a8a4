#!/usr/bin/env bash
# A 32-bit Wine for the x86 build's tests, in build/wine32, without touching the system's Wine or
# dpkg state.  The kernels of these machines cannot start 32-bit Linux programs, and installing
# wine32:i386 system-wide would replace the 64-bit Wine's loader, so Debian's own i386 Wine of the
# installed wine64 version is unpacked into a private root and every 32-bit Wine process runs
# under qemu's user-mode emulator (qemu-user of bookworm-backports: the 7.2 of bookworm hangs).
# The system's 64-bit wineserver, of the same version, serves them.  Called by install-deps.sh;
# idempotent.  When the package archive cannot serve these packages it says so and leaves the
# x86 build to its file-level check (scripts/test-x86.sh reads build/wine32/unavailable).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
base="$root/build/wine32"
sysroot="$base/root"
apt="$base/apt"
version=$(dpkg-query -W -f='${Version}' wine64)
ready="wine $version"

[ -f "$sysroot/.ready" ] && [ "$(cat "$sysroot/.ready")" = "$ready" ] && [ -x "$base/bin/wine" ] && exit 0

echo "setting up the emulated 32-bit Wine $version in build/wine32"
rm -rf "$sysroot" "$base/bin" "$base/unavailable"
mkdir -p "$apt"/{lists/partial,archives/partial,sources.list.d,preferences.d,log}
: >"$apt/status"  # nothing installed: every i386 dependency is fetched

# An apt of its own: lists, status and cache here, and i386 beside amd64 only for it.
keyring=/usr/share/keyrings/debian-archive-keyring.gpg
{
    for suite in bookworm bookworm-updates bookworm-backports; do
        echo "deb [signed-by=$keyring] http://deb.debian.org/debian $suite main"
    done
    echo "deb [signed-by=$keyring] http://deb.debian.org/debian-security bookworm-security main"
} >"$apt/sources.list"
cat >"$apt/apt.conf" <<EOF
Dir::State "$apt";
Dir::State::Lists "$apt/lists";
Dir::State::status "$apt/status";
Dir::Cache "$apt";
Dir::Cache::Archives "$apt/archives";
Dir::Etc::SourceList "$apt/sources.list";
Dir::Etc::SourceParts "$apt/sources.list.d";
Dir::Etc::Preferences "$apt/preferences";
Dir::Etc::PreferencesParts "$apt/preferences.d";
Dir::Log "$apt/log";
APT::Architecture "amd64";
APT::Architectures { "amd64"; "i386"; };
APT::Install-Recommends "false";
Acquire::Languages "none";
EOF

# The X11 driver loads these when present; without them windows lack features the tests use.
x11=(libxcomposite1 libxcursor1 libxfixes3 libxi6 libxinerama1 libxrandr2 libxrender1 libxxf86vm1)
wanted=("wine32:i386=$version" "libwine:i386=$version" "${x11[@]/%/:i386}" qemu-user/bookworm-backports)

unavailable() {
    mkdir -p "$base"
    printf '%s\n' "$1" >"$base/unavailable"
    echo "the package archive cannot serve the emulated 32-bit Wine: $1" >&2
    echo "the x86 build will be checked as a file only (its exports and imports), not run" >&2
    exit 0
}
# apt-get update only warns about lists it could not fetch; the download says whether the
# packages are there, and the warning tells why not.
log="$apt/log/update.log"
apt-get -c "$apt/apt.conf" -q update >"$log" 2>&1 || true
lists=$(grep -m1 -E '^[WE]: (Failed to fetch|Some index files|The repository)' "$log" || true)
apt-get -c "$apt/apt.conf" -q -y install --download-only "${wanted[@]}" >"$apt/log/download.log" 2>&1 ||
    unavailable "$(grep -m1 '^E: ' "$apt/log/download.log" || tail -1 "$apt/log/download.log")${lists:+ ($lists)}"

# Unpacked, not installed: the i386 and architecture-independent packages, and of qemu only the
# one emulator (the package holds every architecture's).
mkdir -p "$sysroot"
for deb in "$apt"/archives/*_i386.deb "$apt"/archives/*_all.deb; do
    dpkg-deb -x "$deb" "$sysroot"
done
qemu=$(ls "$apt"/archives/qemu-user_*_amd64.deb)
dpkg-deb --fsys-tarfile "$qemu" | tar -x -C "$sysroot" ./usr/bin/qemu-i386

# qemu's -L root hides a system path wherever the root has the same one: the root's own font
# folders would leave only its one font (no Japanese), and its fontconfig caches would go to the
# system's cache folder.  The fonts come from the system, the caches go to a folder of their own.
rm -rf "$sysroot/usr/share/fonts" "$sysroot/etc/fonts"
mkdir -p "$base/fontconfig"
cat >"$base/fontconfig/fonts.conf" <<EOF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <include ignore_missing="yes">/etc/fonts/conf.d</include>
  <dir>/usr/share/fonts</dir>
  <cachedir>$base/fontconfig/cache</cachedir>
</fontconfig>
EOF

# A linker cache of the root's own: the system's names the system's i386 C library in /lib32
# (libc6-i386), whose build differs from the root's loader.
echo 'include /etc/ld.so.conf.d/*.conf' >"$sysroot/etc/ld.so.conf"
ldconfig -r "$sysroot"

# libwine's post-install step: zlib1.dll from libz-mingw-w64, marked as a Wine builtin DLL.
zlib="$sysroot/usr/i686-w64-mingw32/lib/zlib1.dll"
{
    head -c 64 "$zlib"
    printf 'Wine builtin DLL'
    printf '\0%.0s' $(seq 16)
    tail -c +97 "$zlib"
} >"$sysroot/usr/lib/i386-linux-gnu/wine/i386-windows/zlib1.dll"

# Wine starts each new process by exec'ing its loader's folder plus basename(argv[0]): the loader
# runs as "wine32", and that name in its folder brings every child back through qemu.
cat >"$sysroot/usr/lib/wine/wine32" <<'EOF'
#!/bin/sh
sysroot=$(cd "$(dirname "$(readlink -f "$0")")/../../.." && pwd)
exec "$sysroot/usr/bin/qemu-i386" -L "$sysroot" -0 wine32 "$sysroot/usr/lib/wine/wine" "$@"
EOF
chmod +x "$sysroot/usr/lib/wine/wine32"

# The commands the test scripts call, for scripts/wine-env.sh to put first in PATH.
mkdir -p "$base/bin"
ln -s ../root/usr/lib/wine/wine32 "$base/bin/wine"
for tool in wineboot winepath; do
    printf '#!/bin/sh\nexec "$(dirname "$0")/wine" %s.exe "$@"\n' "$tool" >"$base/bin/$tool"
    chmod +x "$base/bin/$tool"
done
printf '%s\n' "$ready" >"$sysroot/.ready"
echo "the emulated 32-bit Wine is ready after $SECONDS s ($(du -sh "$sysroot" | cut -f1))"

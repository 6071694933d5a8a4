#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks for building and testing Driftlace.
# Idempotent and quiet when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config
  zlib1g-dev libgtest-dev libgmock-dev googletest libbenchmark-dev libstb-dev
  libmypaint-dev  # the drawing benchmark's peer; never linked into the plug-in
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  binutils-mingw-w64-x86-64 binutils-mingw-w64-i686 libz-mingw-w64-dev
  wine wine64 xvfb xdotool imagemagick x11-utils
  locales fonts-ipafont-gothic
  clang libclang-rt-14-dev clang-format
)

# One query for all of them; apt is started only when something is missing.
installed=$(dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' "${packages[@]}" 2>/dev/null | awk '$1 == "ii" {print $2}' | sed 's/:.*//' || true)
missing=()
for p in "${packages[@]}"; do
  grep -qxF "$p" <<<"$installed" || missing+=("$p")
done

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq >/dev/null
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Wine shows the Japanese interface only under code page 932, which needs this locale.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  echo "generating the ja_JP.UTF-8 locale"
  "${sudo_cmd[@]}" sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
  "${sudo_cmd[@]}" locale-gen >/dev/null
fi

# The x86 build's tests run under an emulated 32-bit Wine unpacked into build/ (no system change).
bash "$(dirname "$0")/install-wine32.sh"

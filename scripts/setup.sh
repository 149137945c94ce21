#!/usr/bin/env bash
# Installs every Debian package that the builds and tests need.
# Idempotent: when everything is present it returns in well under a second.
set -euo pipefail

packages=(
  build-essential cmake ninja-build git
  googletest libgtest-dev libbenchmark-dev
  libfreeimage-dev libvips-dev pkg-config
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64
  wine wine64 wine32:i386
  xvfb imagemagick
  gegl
  qemu-user-static
)

# Some kernels (micro-VMs among them) cannot execute 32-bit x86 programs, which
# the 32-bit Wine loader is. Then binfmt_misc hands them to qemu's i386 user
# emulator, so that the win32 tests still run under Wine.
enable_i386_emulation() {
  /lib/ld-linux.so.2 --version >/dev/null 2>&1 && return 0
  local misc=/proc/sys/fs/binfmt_misc
  [ -e "$misc/register" ] || mount binfmt_misc -t binfmt_misc "$misc"
  [ -e "$misc/qemu-i386" ] && return 0
  printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:FP' \
    >"$misc/register"
}

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  enable_i386_emulation
  exit 0
fi

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
echo "setup: installing ${missing[*]}" >&2
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
enable_i386_emulation

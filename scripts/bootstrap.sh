#!/bin/sh
# Installs the Debian packages the build and the tests need, only those missing,
# then the 32-bit Wine that runs the 32-bit programs we ship, where this machine
# runs 32-bit code at all. Returns at once when everything is there.
set -eu

packages="cmake ninja-build make g++ binutils clang googletest libbenchmark-dev libclang-rt-14-dev
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  wine wine64 locales xvfb xauth xdotool imagemagick fonts-ipafont-gothic valgrind
  pandoc man-db dpkg-dev unzip python3-pefile lintian llvm lld
  zlib1g-dev libz-mingw-w64-dev libgif-dev python3-pil chromium gifsicle python3-jsonschema"
# Node and npm test and package the VS Code extension. A machine that has them
# from elsewhere keeps its own: Debian's are older, and the two would clash.
if ! command -v npm >/dev/null 2>&1; then
  packages="$packages nodejs npm"
fi

# Prints those of the named packages that are not installed.
missing_of() {
  for p in "$@"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
    [ "$status" = "installed" ] || printf ' %s' "$p"
  done
}

need_root() {
  if [ "$(id -u)" -ne 0 ]; then
    echo "bootstrap: must run as root to install packages" >&2
    exit 1
  fi
}

export DEBIAN_FRONTEND=noninteractive

# shellcheck disable=SC2086
missing=$(missing_of $packages)
if [ -n "$missing" ]; then
  echo "bootstrap: installing$missing"
  need_root
  apt-get update -qq
  # shellcheck disable=SC2086
  apt-get install -y -qq --no-install-recommends $missing >/dev/null
fi

# Some kernels are built without 32-bit support (or have it switched off): a
# static 32-bit program that only exits with status 32 tells. Binutils assembles
# 32-bit code without a 32-bit C library.
runs_32_bit() {
  dir=$(mktemp -d)
  printf '.globl _start\n_start:\n movl $1, %%eax\n movl $32, %%ebx\n int $0x80\n' >"$dir/exit.s"
  status=0
  { as --32 -o "$dir/exit.o" "$dir/exit.s" && ld -m elf_i386 -o "$dir/exit" "$dir/exit.o" &&
    "$dir/exit"; } >/dev/null 2>&1 || status=$?
  rm -rf "$dir"
  [ "$status" = 32 ]
}

if ! runs_32_bit; then
  echo "bootstrap: this machine cannot run 32-bit programs: the win32 tests will be reported as skipped"
  exit 0
fi

[ -z "$(missing_of wine32:i386)" ] && exit 0

echo "bootstrap: installing wine32:i386 (the 32-bit Wine)"
need_root
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
apt-get update -qq
# The 32-bit side must be the same version as the installed 64-bit Wine.
version=$(dpkg-query -W -f='${Version}' wine64)
apt-get install -y -qq --no-install-recommends "wine32:i386=$version" >/dev/null

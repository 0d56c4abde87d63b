#!/bin/sh
# Installs the Debian packages the build and the tests need, only those missing.
# Returns at once when everything is there.
set -eu

packages="cmake ninja-build make g++ clang googletest libbenchmark-dev libclang-rt-14-dev
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  wine wine64 locales xvfb xauth xdotool imagemagick fonts-ipafont-gothic valgrind
  python3-jsonschema"

missing=""
for p in $packages; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [ "$status" = "installed" ] || missing="$missing $p"
done

[ -z "$missing" ] && exit 0

echo "bootstrap: installing$missing"
if [ "$(id -u)" -ne 0 ]; then
  echo "bootstrap: must run as root to install packages" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
# shellcheck disable=SC2086
apt-get install -y -qq --no-install-recommends $missing >/dev/null

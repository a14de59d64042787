#!/bin/bash
# Installs what building and testing need on Debian 12 (run as root).
# Idempotent: when everything is already there it returns at once.
set -euo pipefail

paquetes=(
  cmake make g++ pkg-config                    # native build
  libgtest-dev libgmock-dev libbenchmark-dev   # tests and benchmarks
  g++-mingw-w64-i686 binutils-mingw-w64-i686   # the 32-bit Windows DLLs
  socat                                        # pseudo-terminal pairs for serial tests
  libfltk1.3-dev                               # the operator windows on Linux
  xvfb xauth imagemagick                       # window tests and screenshots without a screen
  clang libclang-rt-14-dev                     # fuzz targets (libFuzzer)
)

faltan=()
for p in "${paquetes[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    faltan+=("$p")
  fi
done
if ((${#faltan[@]} == 0)); then
  echo "instalar: todo instalado"
  exit 0
fi

if ((EUID != 0)); then
  echo "instalar: faltan ${faltan[*]}; hace falta root para instalarlos" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
echo "instalar: ${faltan[*]}"
apt-get update -q
apt-get install -y -q --no-install-recommends "${faltan[@]}" </dev/null

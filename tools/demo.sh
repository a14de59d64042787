#!/bin/bash
# Builds both driver libraries, the command-line host and the printer
# simulator, then, for each library: loads it as a host does and shows its
# exported variables at load, and runs the status order (200) against a
# simulated printer of its protocol on a pseudo-terminal mapped to COM2.
#   tools/demo.sh [BUILD_DIR]     (default: build)
set -euo pipefail

raiz=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$raiz/build}

# A parameter folder of its own, so nothing of the user's is read or written.
perfil=$(mktemp -d)
simulador=
terminar() {
  if [[ -n $simulador ]]; then kill "$simulador" 2>/dev/null || true; fi
  rm -rf "$perfil"
}
trap terminar EXIT
export XDG_CONFIG_HOME=$perfil
mkdir -p "$perfil/drvfiscal"

# The build speaks only when it fails.
if ! { cmake -S "$raiz" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo &&
       cmake --build "$dir" --target drvepson drvhasar fiscalhost fiscalsim -- -j2; } \
     >"$perfil/log" 2>&1
then
  cat "$perfil/log"
  exit 1
fi
host=$dir/tools/host/fiscalhost

for protocolo in epson hasar; do
  biblioteca=$dir/drv$protocolo.so
  echo "=== drv$protocolo: variables al cargar"
  "$host" --lib "$biblioteca"
  echo

  # The simulator prints the path of its line, then serves it.
  "$dir/tools/simulador/fiscalsim" --protocol "$protocolo" --roll "$perfil/rollo-$protocolo" \
    --journal "$perfil/diario-$protocolo.jsonl" </dev/null >"$perfil/ruta" &
  simulador=$!
  for _ in $(seq 50); do
    [[ -s $perfil/ruta ]] && break
    sleep 0.1
  done
  ruta=$(head -n 1 "$perfil/ruta")
  [[ -n $ruta ]] || { echo "demo: el simulador no arranco"; exit 1; }
  printf '[Puertos]\nCOM2=%s\n[Impresora Fiscal]\nGrabacion=11/12/26 10:00:00\nLP_ImpresoraPuerto=2\nLP_TipoComprobante=TQ\n' \
    "$ruta" >"$perfil/drvfiscal/fiscal.ini"

  echo "=== drv$protocolo: orden 200 (estado) con la impresora simulada en COM2 ($ruta)"
  "$host" --lib "$biblioteca" --sin-cajas 200 2>&1
  echo

  echo "=== drv$protocolo: un tique (216, 218, 218, 222, 224)"
  orden() {
    local salida
    salida=$("$host" --lib "$biblioteca" --sin-cajas "$@" 2>&1)
    if ! grep -q '^LP_Error  *0$' <<<"$salida"; then
      echo "$salida"
      echo "demo: la orden $1 fallo"
      exit 1
    fi
    echo "$salida"
  }
  # Argument 12 of the opening order is the document kind: T, a ticket.
  orden 216 "" "" "" "" "" "" "" "" "" "" "" T >/dev/null
  orden 218 Yerba "" "" "" 2 150.50 "" 21 "" "" T >/dev/null
  orden 218 Azucar "" "" "" 1 99.99 "" 21 "" "" T >/dev/null
  orden 222 Efectivo 500 >/dev/null
  orden 224 "Gracias por su compra" | grep -E '^LP_(UltimoComprobante|Ultimo(Total|Neto|Iva))'
  echo "--- rollo de papel de la impresora simulada"
  cat "$perfil/rollo-$protocolo"
  echo
  kill "$simulador"
  wait "$simulador" 2>/dev/null || true
  simulador=
done

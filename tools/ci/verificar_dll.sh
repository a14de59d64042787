#!/bin/bash
# Builds the Windows DLLs with mingw-w64 and checks what a Windows host
# sees of them:
#   - the export table holds exactly the 3 procedures and 33 variables,
#     under their plain names (no @bytes suffix);
#   - the procedures point into code, the variables into data, and the
#     import library marks the variables DATA (no call thunk);
#   - the DLL imports nothing but KERNEL32, msvcrt and USER32;
#   - a C host compiled against lp_fiscal.h links with the import library.
#
#   tools/ci/verificar_dll.sh [BUILD_DIR] [PREFIX]
# BUILD_DIR defaults to build-win, PREFIX to i686-w64-mingw32.
set -euo pipefail

raiz=$(cd "$(dirname "$0")/../.." && pwd)
dir=${1:-$raiz/build-win}
prefijo=${2:-i686-w64-mingw32}
objdump=$prefijo-objdump
nm=$prefijo-nm
trabajo=$(mktemp -d)
trap 'rm -rf "$trabajo"' EXIT

procedimientos=(LP_IMPRIMIR LP_EDITARPARAMETROS LP_EDITARTITULOS)
variables=(LP_Resultado LP_ResultadoMostrar LP_Error LP_ErrorMensaje LP_ErrorMostrar
  LP_UltimoComprobante LP_UltimoTotal LP_UltimoNeto LP_UltimoIva LP_UltimoImpInterno
  LP_UltimoPercepcion LP_SerieImpresora LP_Fiscalizada LP_CajonAbierto LP_ParametrosLeidos
  LP_NumeroImpresora LP_FechaImpresora LP_HoraImpresora LP_LonObsFac LP_LonLinFac
  LP_LonPagFac LP_LonLinNoF LP_LonLinPag LP_LonLinCot LP_EmiteFAC LP_EmiteCRE LP_EmiteRTO
  LP_EmitePAG LP_EmiteCOT LP_CanDecimales LP_PreDecimales LP_CanMaxima LP_PreMaximo)
permitidas="kernel32.dll msvcrt.dll user32.dll"
# Symbol names of the import library: i686 prefixes C names with "_" and
# adds the argument bytes to __stdcall names.
if [[ $prefijo == i686-* ]]; then
  declare -A decorado=([LP_IMPRIMIR]=_LP_IMPRIMIR@92 [LP_EDITARPARAMETROS]=_LP_EDITARPARAMETROS@0
                       [LP_EDITARTITULOS]=_LP_EDITARTITULOS@0)
  guion=_
else
  declare -A decorado=([LP_IMPRIMIR]=LP_IMPRIMIR [LP_EDITARPARAMETROS]=LP_EDITARPARAMETROS
                       [LP_EDITARTITULOS]=LP_EDITARTITULOS)
  guion=
fi

echo "== Compilacion cruzada ($prefijo) en $dir"
if [[ ! -f $dir/CMakeCache.txt ]]; then
  cmake -S "$raiz" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$raiz/cmake/mingw-i686.cmake" \
    -DMINGW_PREFIJO="$prefijo" -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$dir" --target drvepson drvhasar -- -j2 >/dev/null

fallas=0
falla() { echo "  FALLA: $*"; fallas=$((fallas + 1)); }

for biblioteca in drvepson drvhasar; do
  dll=$dir/$biblioteca.dll
  implib=$dir/lib$biblioteca.dll.a
  echo "== $biblioteca.dll"
  "$objdump" -p "$dll" >"$trabajo/p"
  "$objdump" -h "$dll" >"$trabajo/h"

  # Imports.
  while read -r importada; do
    [[ " $permitidas " == *" ${importada,,} "* ]] || falla "importa $importada"
  done < <(awk '/DLL Name:/ {print $3}' "$trabajo/p")

  # Export name -> RVA, through the ordinal of each name.
  awk '
    /^ImageBase/ { next }
    /^Export Address Table -- Ordinal Base/ { tabla = "dir"; next }
    /^\[Ordinal\/Name Pointer\] Table/ { tabla = "nombres"; next }
    /^$/ { tabla = "" }
    tabla == "dir" && /Export RVA/ { gsub(/[][]/, " "); rva[$1] = $4 }
    tabla == "nombres" && /^\t\[/ { gsub(/[][]/, " "); print $2, rva[$1] }
  ' "$trabajo/p" | sort >"$trabajo/exportadas"

  # Sections as "first-RVA last-RVA is-code".
  base=$(awk '/^ImageBase/ {print $2}' "$trabajo/p")
  awk '/^ *[0-9]+ \./ { tam = $3; vma = $4; next }
       vma != "" { print vma, tam, ($0 ~ /CODE/) ? 1 : 0; vma = "" }' "$trabajo/h" |
    while read -r vma tam codigo; do
      echo $((16#$vma - 16#$base)) $((16#$vma - 16#$base + 16#$tam)) "$codigo"
    done >"$trabajo/secciones"
  es_codigo() {
    local rva=$((16#$1))
    awk -v r="$rva" '$1 <= r && r < $2 { print $3; exit }' "$trabajo/secciones"
  }

  esperadas=$(printf '%s\n' "${procedimientos[@]}" "${variables[@]}" | sort)
  if ! diff <(echo "$esperadas") <(cut -d' ' -f1 "$trabajo/exportadas") >"$trabajo/diff"; then
    falla "la tabla de exportaciones no es la del interfaz:"
    sed 's/^/    /' "$trabajo/diff"
  fi
  "$nm" "$implib" >"$trabajo/implib" 2>/dev/null
  for p in "${procedimientos[@]}"; do
    rva=$(awk -v n="$p" '$1 == n {print $2}' "$trabajo/exportadas")
    [[ -n $rva && $(es_codigo "$rva") == 1 ]] || falla "$p no apunta a codigo"
    grep -q " T ${decorado[$p]}\$" "$trabajo/implib" ||
      falla "la biblioteca de importacion no define ${decorado[$p]}"
  done
  for v in "${variables[@]}"; do
    rva=$(awk -v n="$v" '$1 == n {print $2}' "$trabajo/exportadas")
    [[ -n $rva && $(es_codigo "$rva") == 0 ]] || falla "$v no apunta a datos"
    grep -q " T ${guion}$v\$" "$trabajo/implib" && falla "$v no esta marcada DATA"
    grep -q " I __imp_${guion}$v\$" "$trabajo/implib" || falla "$v no se puede importar"
  done

  # A C host binds every name through the import library.
  "$prefijo-gcc" -std=c99 -pedantic -Wall -Wextra -Werror -I"$raiz/common" \
    "$raiz/tests/exportaciones/host_en_c.c" "$implib" -o "$dir/host_c_$biblioteca.exe" ||
    falla "un host en C no enlaza con lib$biblioteca.dll.a"

  echo "  $(wc -l <"$trabajo/exportadas") exportaciones; importa: $(awk '/DLL Name:/ {printf "%s ", $3}' "$trabajo/p")"
done

if ((fallas)); then
  echo "verificar_dll: $fallas fallas"
  exit 1
fi
echo "verificar_dll: las DLL exportan el interfaz y nada mas"

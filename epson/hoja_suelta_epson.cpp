// The loose-sheet prompt of order 225: the printer is set for a sheet, and
// polled until the sheet is in, the operator presses ESC, or the wait runs
// out.
#include <cstdint>

#include "../common/errores.h"
#include "../common/estado.h"
#include "../common/lp_fiscal.h"
#include "ordenes_epson.h"

namespace fiscal {

namespace {

constexpr int kAsteriscosMaximos = 40;
// An operator without a display never presses ESC, and a printer may never
// see the sheet: the wait ends with an error after this long.
constexpr int64_t kEsperaMaximaCs = 300 * 100;  // 5 minutes

constexpr std::string_view kSinHoja =
    "No se coloco la hoja suelta en la impresora|Espera=300 segundos";

}  // namespace

void EsperarHojaSuelta() {
  EnviarComando('Z', {"P", "D", "S", "O"});
  if (LP_Error) return;
  EnviarComando('Z', {"P", "P", "S", "U", "999", "88"});
  if (LP_Error) return;
  EnviarComando('[', {"P", "D"});
  if (LP_Error) return;
  EnviarComando('[', {"P", "P", "S"});
  if (LP_Error) return;

  Operador& operador = ElOperador();
  operador.DescartarTeclas();
  operador.AbrirHojaSuelta();
  const int64_t inicio = ElReloj().Centesimas();
  int contador = 0;
  while (true) {
    if (contador == 0) {
      EnviarComando('\\', {"D", "P", "P", "U", "O"});
      if (LP_Error) break;
    }
    EnviarComando('*', {"P"});
    if (LP_Error || ElEnlace().IndicadorBit9) break;
    if (!ElEnlace().IndicadorBit8) {
      contador = 0;
    } else {
      if (operador.EscapePulsado()) break;
      contador = contador % kAsteriscosMaximos + 1;
      operador.AnimarHojaSuelta(contador);
    }
    if (ElReloj().Centesimas() - inicio > kEsperaMaximaCs) {
      operador.CerrarHojaSuelta();
      MostrarError(kSinHoja);
      return;
    }
  }
  operador.CerrarHojaSuelta();
}

}  // namespace fiscal

// The daily closings: X (206) and Z (207), shown in the information window
// and recorded in the closings log.
#include "../common/estado.h"
#include "../common/registro_cierres.h"
#include "ordenes_epson.h"

namespace fiscal {

void CierreDiario(char letra, int16_t orden) {
  GrabarLineasPie({});
  {
    VentanaProgreso progreso;
    EnviarImpreso('9', {std::string_view(&letra, 1), "P"});
  }
  MostrarRespuesta(orden);
  AnotarCierre(letra);
}

void CierreX(Argumentos&) { CierreDiario('X', 206); }
void CierreZ(Argumentos&) { CierreDiario('Z', 207); }

}  // namespace fiscal

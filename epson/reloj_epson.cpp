// The printer's clock read back: shown in the information window (213) or
// handed to the host as date and time serials (231).
#include "../common/estado.h"
#include "../common/fecha_impresora.h"
#include "../common/lp_fiscal.h"
#include "ordenes_epson.h"

namespace fiscal {

void MostrarReloj(Argumentos&) {
  EnviarComando('Y');
  MostrarRespuesta(213);
}

void LeerReloj(Argumentos&) {
  EnviarComando('Y');
  // A failed exchange may leave a partial, unchecked answer: no date then.
  const Enlace& en = ElEnlace();
  LP_FechaImpresora = LP_Error ? 0 : SerialDeFechaImpresora(en.CamposRespuesta[0].Valor());
  LP_HoraImpresora = LP_Error ? 0 : SerialDeHoraImpresora(en.CamposRespuesta[1].Valor());
}

}  // namespace fiscal

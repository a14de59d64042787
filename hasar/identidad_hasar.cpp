// The first-contact identity query: last document number, serial number
// and, on forms, the printer model.
#include "../common/driver.h"
#include "../common/estado.h"
#include "../common/lp_fiscal.h"
#include "../common/texto.h"

namespace fiscal {

void ConsultarIdentidad() {
  EstadoDriver& e = Estado();
  const Enlace& en = e.enlace;
  EnviarComando('*');
  if (LP_Error) return;
  LP_UltimoComprobante = static_cast<int32_t>(LeerEntero(en.CamposRespuesta[0].Valor()));

  // Older printers do not know "s": then the serial is not known.
  e.enlace.ToleraRechazo = 1;
  EnviarComando('s');
  // A failed exchange leaves the serial blank, so the next connection asks
  // again instead of keeping whatever a broken answer held.
  if (LP_Error) return;
  e.SerieLeida = en.ComandoAceptado ? en.CamposRespuesta[2].Valor() : "Sin serie";
  AsignarFijo(LP_SerieImpresora, e.SerieLeida.Valor());

  if (e.parametros.LP_TipoComprobante == "FC") {
    EnviarComando(0x7F);
    if (LP_Error) return;
    e.ModeloImpresora = en.CamposRespuesta[0].Valor();
  } else {
    e.ModeloImpresora = "Sin modelo";
  }
}

}  // namespace fiscal

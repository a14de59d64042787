// The end of an Epson fiscal document: cancel (223) and close (224).
#include <string>

#include "../common/estado.h"
#include "../common/lp_fiscal.h"
#include "ordenes_epson.h"

namespace fiscal {

void CancelarComprobante(Argumentos&) {
  GrabarLineasPie({});
  EnviarImpreso(ModoTicket() ? 'D' : 'd', {"Cancelacion manual", "0", "C"});
}

void CerrarComprobante(Argumentos& a) {
  GrabarLineasPie({Cortado(a[1], LP_LonObsFac), Cortado(a[2], LP_LonObsFac),
                   Cortado(a[3], LP_LonObsFac)});
  bool ticket = ModoTicket();
  ElEnlace().ErrorPapelFatal = 1;
  ElEnlace().ToleraRechazo = 1;
  PedirSubtotal(ticket ? 'C' : 'c', "A", kDEL);
  if (LP_Error) return;
  ComprobanteEnCurso& doc = Estado().comprobante;
  if (ticket) {
    EnviarImpreso('E', {"T"});
  } else {
    EnviarImpreso('*', {"D"});
    if (LP_Error) return;
    doc.Letra = ElEnlace().CamposRespuesta[1].Valor().substr(0, 1);
    EnviarComando('e', {doc.TipoDocumento.Valor(), doc.Letra.Valor(), "Cierre"});
  }
  // A refused or lost answer carries no document number.
  if (!LP_Error) LP_UltimoComprobante = NumeroDevuelto(1);
}

}  // namespace fiscal

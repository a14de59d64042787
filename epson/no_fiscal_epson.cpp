// Non-fiscal documents on Epson printers: open (225), text line (226) and
// close (227).
#include <string>

#include "../common/estado.h"
#include "../common/formatos.h"
#include "../common/lp_fiscal.h"
#include "ordenes_epson.h"

namespace fiscal {

void AbrirNoFiscal(Argumentos& a) {
  if (LeerDecimal(a[1]) > Decimal{}) {
    EsperarHojaSuelta();
    if (LP_Error) return;
    EnviarImpreso('H', {"U", "O"});
    return;
  }
  EnviarImpreso('H');
}

void TextoNoFiscal(Argumentos& a) { EnviarImpreso('I', {Cortado(a[1], LP_LonLinNoF)}); }

void CerrarNoFiscal(Argumentos& a) {
  GrabarLineasPie({Cortado(a[1], LP_LonLinNoF), Cortado(a[2], LP_LonLinNoF),
                   Cortado(a[3], LP_LonLinNoF)});
  EnviarImpreso('J', {"T"});
  // A refused or lost answer carries no document number.
  if (!LP_Error) LP_UltimoComprobante = NumeroDevuelto(1);
}

}  // namespace fiscal

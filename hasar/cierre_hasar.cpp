// The end of a Hasar document: cancel (223) or close (224) with the copies
// of a form and the totals read back from the printer.
#include <string>

#include "../common/estado.h"
#include "../common/formatos.h"
#include "../common/lp_fiscal.h"
#include "ordenes_hasar.h"

namespace fiscal {

namespace {

// A document has one record per VAT rate and per perception; a printer
// that never sends the end record must not keep the order running.
constexpr int kRegistrosTotales = 100;

int64_t Centesimos(int campo) {
  return LeerDecimal(ElEnlace().CamposRespuesta[campo - 1].Valor()).Redondeado(2);
}

struct Totales {
  int64_t neto = 0, iva = 0, interno = 0, percepcion = 0, total = 0;
  void Exportar() const {
    lp_decimal_de_centesimos(LP_UltimoNeto, neto);
    lp_decimal_de_centesimos(LP_UltimoIva, iva);
    lp_decimal_de_centesimos(LP_UltimoImpInterno, interno);
    lp_decimal_de_centesimos(LP_UltimoPercepcion, percepcion);
    lp_decimal_de_centesimos(LP_UltimoTotal, total);
  }
};

// The copies of a form invoice; Copias is spent only when all printed.
void ImprimirCopias() {
  ComprobanteEnCurso& c = Estado().comprobante;
  for (int n = 0; n < c.Copias; ++n) {
    EnviarHasar(0x99, {}, {.tolera = true, .papel = true});
    if (LP_Error || !ElEnlace().ComandoAceptado) return;
  }
  c.Copias = 0;
}

// Walks the records of "p" and "q" until the end record.
void LeerTotales() {
  const Enlace& en = ElEnlace();
  Totales t;
  EnviarHasar('p', {}, kTolera);
  for (int n = 1; !LP_Error && en.ComandoAceptado; ++n) {
    const std::string_view tipo = en.CamposRespuesta[0].Valor();
    switch (tipo.empty() ? ' ' : tipo[0]) {
      case '1':
      case '3':
        t.neto += Centesimos(6);
        t.iva += Centesimos(5) + Centesimos(3);
        t.interno += Centesimos(4);
        break;
      case '2':
      case '4': t.percepcion += Centesimos(3); break;
      case '0':
        t.total = t.neto + t.iva + t.interno + t.percepcion;
        t.Exportar();
        return;
      default: break;
    }
    t.Exportar();
    if (n == kRegistrosTotales) return;
    EnviarHasar('q', {}, kTolera);
  }
}

}  // namespace

void CancelarComprobanteHasar(Argumentos& a) {
  GrabarPieHasar(a, 0, true);
  EnviarHasar(0x98, {}, {.tolera = true, .papel = true});
  if (ElEnlace().ComandoAceptado) return;
  EnviarHasar('D', {"Cancelacion manual", "000000000.00", "C", "1"}, kImprime);
}

void CerrarComprobanteHasar(Argumentos& a) {
  GrabarPieHasar(a, LP_LonObsFac);
  const char tipo = TipoAbierto();
  EnviarHasar(tipo != ' ' && tipo != 'F' && tipo != 'T' ? 0x81 : 'E', {}, kImprime);
  if (LP_Error) return;
  LP_UltimoComprobante = static_cast<int32_t>(LeerEntero(ElEnlace().CamposRespuesta[0].Valor()));
  Totales{}.Exportar();
  if (ModoFormulario()) ImprimirCopias();
  LeerTotales();
}

}  // namespace fiscal

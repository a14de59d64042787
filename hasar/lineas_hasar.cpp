// The lines of an open Hasar document: items (with their internal tax),
// subtotal, perceptions, discounts and surcharges, payments.
#include <cctype>
#include <string>

#include "../common/errores.h"
#include "../common/estado.h"
#include "../common/formatos.h"
#include "../common/lp_fiscal.h"
#include "cifras_hasar.h"
#include "ordenes_hasar.h"

namespace fiscal {

namespace {

constexpr int kDecimalesCoeficiente = 8;

// "T" (taxes included) or "B" (net base) from an argument, else by letter.
std::string_view BaseDePrecio(std::string_view argumento) {
  const char b = static_cast<char>(std::toupper(static_cast<unsigned char>(argumento[0])));
  if (b == 'T') return "T";
  if (b == 'B') return "B";
  return Estado().comprobante.Letra == "A" ? "B" : "T";
}

int DecimalesCantidad() {
  const int d = LP_CanDecimales;
  if (d == 0 || d > 9) return 10;
  return d <= 6 ? 6 : d;
}

int DecimalesPrecio(bool formulario) {
  const int d = LP_PreDecimales;
  if (formulario) {
    if (d == 0 || d > 9) return 4;
    return d <= 2 ? 2 : d;
  }
  if (d <= 2 || d > 9) return 2;
  return d <= 7 ? d : 7;
}

std::string TextoTasa(Decimal tasa) { return DecimalConPunto(tasa, 5, 2); }

// The item's prices after the internal tax: the coefficient K of the price
// that is not internal tax, and the price and tax to send.
struct ImpuestoInterno {
  Cifra k, precio, interno;
};

ImpuestoInterno CalcularInterno(Cifra p, Cifra t, Cifra tasa, bool base_neta) {
  constexpr int d = kDecimalesCoeficiente;
  const Cifra uno{Cifra::kUno};
  const Cifra uno_mas_tasa{uno.v + Dividir(tasa, Cifra{100 * Cifra::kUno}, d).v};
  ImpuestoInterno r{{}, p, t};
  if (base_neta) {
    r.k = Dividir(t, p, d);
    if (Estado().comprobante.Letra != "A") r.interno = Dividir(t, uno_mas_tasa, d);
  } else {
    r.k = Dividir(Multiplicar(uno_mas_tasa, t, Cifra::kDecimales), p, d);
    r.precio = Cifra{p.v + t.v};
  }
  r.k = Dividir(uno, Cifra{uno.v + r.k.v}, d);
  return r;
}

// Amount argument with 2 decimals; 0 is reported.
bool LeerImporte(std::string_view argumento, Decimal& importe) {
  importe = Decimal{LeerDecimal(argumento).Redondeado(2) * (Decimal::kUno / 100)};
  if (importe == Decimal{}) MostrarError("Falta indicar importe");
  return importe != Decimal{};
}

}  // namespace

void ImprimirItemHasar(Argumentos& a) {
  ComprobanteEnCurso& c = Estado().comprobante;
  const bool formulario = ModoFormulario();
  if (!ModoTicket() && c.Letra != "A" && c.Letra != "B" && c.Letra != "C") c.Letra = "B";
  Cifra q = LeerCifra(a[5]), p = LeerCifra(a[6]), t = LeerCifra(a[10]);
  const Cifra tasa = Redondear(LeerCifra(a[8]), 2);
  t = Redondear(t, kDecimalesCoeficiente);
  const std::string_view base = BaseDePrecio(a[11]);
  const bool negativa = (q.v < 0) != (p.v < 0) && q.v != 0 && p.v != 0;
  q.v = q.v < 0 ? -q.v : q.v;
  p.v = p.v < 0 ? -p.v : p.v;
  t.v = t.v < 0 ? -t.v : t.v;

  const bool con_interno = t.v > 0;
  ImpuestoInterno ii{{}, p, t};
  if (con_interno) {
    // The coefficient is a share of the price: a free item has none.
    if (p.v == 0) {
      MostrarError("Falta indicar precio del item con impuesto interno");
      return;
    }
    ii = CalcularInterno(p, t, tasa, base == "B");
  }
  if (LP_CanMaxima > 0 && q > Cifra{int64_t{LP_CanMaxima} * Cifra::kUno}) {
    MostrarError("Cantidad supera maximo de " + std::to_string(LP_CanMaxima));
    return;
  }
  if (LP_PreMaximo > 0 && ii.precio > Cifra{int64_t{LP_PreMaximo} * Cifra::kUno}) {
    MostrarError("Precio supera maximo de " + std::to_string(LP_PreMaximo));
    return;
  }

  const std::string cantidad = CifraConPunto(q, 15, DecimalesCantidad());
  const std::string precio =
      CifraConPunto(ii.precio, formulario ? 12 : 10, DecimalesPrecio(formulario));
  const std::string_view descripcion = Cortado(a[1], LP_LonLinFac - (con_interno ? 8 : 0));

  if (TipoAbierto() == 'R') {
    // Delivery notes: quantities only; a failed line does not stop the rest.
    for (int n = 2; n <= 4; ++n)
      if (!EsBlanco(a[n])) EnviarHasar(0x82, {Cortado(a[n], LP_LonObsFac), "000.000", "1"});
    EnviarHasar(0x82, {descripcion, CifraConPunto(q, 7, 3), "1"});
    return;
  }
  for (int n = 2; n <= 4; ++n) {
    if (EsBlanco(a[n])) continue;
    EnviarHasar('A', {Cortado(a[n], LP_LonObsFac), "0"}, {.tolera = true, .papel = true});
    if (LP_Error) return;
  }
  std::string interno = "0.0";
  if (con_interno) {
    interno = formulario ? "$" + CifraPlana(ii.interno, kDecimalesCoeficiente)
                         : CifraPlana(ii.k, kDecimalesCoeficiente);
  }
  EnviarHasar('B',
              {descripcion, cantidad, precio, CifraConPunto(tasa, 5, 2), negativa ? "m" : "M",
               interno, "1", base},
              kImprime);
}

void ImprimirSubtotalHasar(Argumentos& a) {
  const std::string_view texto = EsBlanco(a[1]) ? std::string_view("Subtotal") : a[1];
  const bool sin_imprimir = SinBlancosFinales(a[2]) == "1";
  EnviarHasar('C', {sin_imprimir ? "A" : "P", Cortado(texto, LP_LonPagFac), "1"},
              {.papel = !sin_imprimir});
  // A failed answer has blank fields: the totals are then 0.
  const auto& r = ElEnlace().CamposRespuesta;
  const int64_t neto = LeerDecimal(r[1].Valor()).Redondeado(2);
  const int64_t iva = LeerDecimal(r[4].Valor()).Redondeado(2) + LeerDecimal(r[2].Valor()).Redondeado(2);
  const int64_t interno = LeerDecimal(r[5].Valor()).Redondeado(2);
  lp_decimal_de_centesimos(LP_UltimoNeto, neto);
  lp_decimal_de_centesimos(LP_UltimoIva, iva);
  lp_decimal_de_centesimos(LP_UltimoImpInterno, interno);
  lp_decimal_de_centesimos(LP_UltimoPercepcion, 0);
  lp_decimal_de_centesimos(LP_UltimoTotal, neto + iva + interno);
}

void ImprimirPercepcionHasar(Argumentos& a) {
  const std::string_view tasa = SinBlancosFinales(a[1]);
  const std::string texto_tasa =
      tasa == "0" || tasa == "1" ? std::string("**.**") : TextoTasa(LeerDecimal(a[1]));
  EnviarHasar(0x60, {texto_tasa, a[2], DecimalConPunto(LeerDecimal(a[3]), 10, 2, true)}, kImprime);
}

void ImprimirAjusteHasar(Argumentos& a) {
  const std::string_view base = BaseDePrecio(a[3]);
  std::string_view texto = Cortado(a[1], LP_LonLinFac);
  Decimal importe;
  if (!LeerImporte(a[2], importe)) return;
  const bool descuento = importe < Decimal{};
  if (EsBlanco(texto)) texto = descuento ? "Descuento" : "Recargo";
  if (descuento) importe.millonesimos = -importe.millonesimos;
  EnviarHasar('T', {texto, DecimalConPunto(importe, 10, 2, true), descuento ? "m" : "M", "1", base},
              kImprime);
}

void ImprimirPagoHasar(Argumentos& a) {
  std::string_view texto = Cortado(a[1], LP_LonPagFac);
  Decimal importe;
  if (!LeerImporte(a[2], importe)) return;
  if (EsBlanco(texto)) texto = importe < Decimal{} ? "Anulacion pago" : "Pago";
  EnviarHasar('D', {texto, DecimalConPunto(importe, 12, 2, true), "T", "1"}, kImprime);
}

}  // namespace fiscal

// The lines of an open Epson fiscal document: items (218), subtotal (219),
// tax lines (220), discounts and surcharges (221) and payments (222).
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>

#include "../common/entero128.h"
#include "../common/errores.h"
#include "../common/estado.h"
#include "../common/formatos.h"
#include "../common/lp_fiscal.h"
#include "ordenes_epson.h"

namespace fiscal {

namespace {

// Converted prices stay below this many millionths, so that rounding them
// later cannot overflow; the printer refuses such a price anyway.
constexpr int64_t kTopePrecio = INT64_MAX / 4;

// v x num / den (den > 0), rounded half away from zero.
Decimal Proporcion(Decimal v, int64_t num, int64_t den) {
  int64_t q = CocienteRedondeado(Producto(v.millonesimos, num), Producto(den, 1));
  return {std::clamp(q, -kTopePrecio, kTopePrecio)};
}

// a + b for non-negative values.
Decimal Sumado(Decimal a, Decimal b) {
  return {std::min(kTopePrecio, a.millonesimos + std::min(kTopePrecio, b.millonesimos))};
}

Decimal Absoluto(Decimal v) { return {v.millonesimos < 0 ? -v.millonesimos : v.millonesimos}; }

// A rate in percent as the printer takes it: x 100, 4 digits.
std::string Tasa(Decimal tasa) { return EnteroFijo(tasa.Redondeado(2), 4); }

std::string TextoCantidad(Decimal cantidad) {
  int k = LP_CanDecimales;
  if (k >= 1 && k <= 4) return DecimalConPunto(cantidad, 8, k);
  if (k >= 5 && k <= 9) return DecimalConPunto(cantidad, 8, 5);
  return DecimalesImplicitos(cantidad, 8, 3);
}

std::string TextoPrecio(Decimal precio) {
  int k = LP_PreDecimales;
  if (k >= 1 && k <= 5) return DecimalConPunto(precio, 8, k);
  if (k >= 6 && k <= 9) return DecimalConPunto(precio, 8, 6);
  return DecimalesImplicitos(precio, 9, 2);
}

// Invoice forms that fill up are carried over to a new form and the line
// sent again. A printer that keeps reporting a full form after a fresh one
// would feed forms without end; this many tries are enough.
constexpr int kTraspasosMaximos = 2;

void EnviarItemFactura(std::initializer_list<std::string_view> campos) {
  EnviarImpreso('b', campos);
  // Delivery notes carry no amounts and are never carried over.
  const auto& tipo = Estado().comprobante.TipoDocumento;
  for (int traspasos = 0; !LP_Error && ElEnlace().DesbordeFormulario && tipo != "R" &&
                          tipo != "E";
       ++traspasos) {
    if (traspasos == kTraspasosMaximos) {
      MostrarError("El renglon no entra en un formulario nuevo");
      return;
    }
    EnviarImpreso('\\', {"D", "P", "T", "T"});
    if (LP_Error) return;
    EnviarImpreso('\\', {"D", "P", "T", "O"});
    if (LP_Error) return;
    EnviarImpreso('b', campos);
  }
}

// 221 and 222 differ only in their texts and qualifiers.
struct ClaseAjuste {
  std::string_view texto_negativo, calificador_negativo;
  std::string_view texto_positivo, calificador_positivo;
};

void EnviarAjuste(Argumentos& a, const ClaseAjuste& c) {
  std::string texto = Cortado(a[1], LP_LonPagFac);
  Decimal importe{LeerDecimal(a[2]).Redondeado(2) * (Decimal::kUno / 100)};
  if (importe == Decimal{}) {
    MostrarError("Falta indicar importe");
    return;
  }
  bool negativo = importe < Decimal{};
  if (texto.empty()) texto = negativo ? c.texto_negativo : c.texto_positivo;
  EnviarImpreso(ModoTicket() ? 'D' : 'd',
                {texto, DecimalesImplicitos(Absoluto(importe), 9, 2),
                 negativo ? c.calificador_negativo : c.calificador_positivo});
}

}  // namespace

void ImprimirItem(Argumentos& a) {
  ComprobanteEnCurso& doc = Estado().comprobante;
  bool ticket = ModoTicket();
  if (!ticket && doc.Letra != "A" && doc.Letra != "B" && doc.Letra != "C") {
    EnviarComando('*', {"D"});
    if (LP_Error) return;
    doc.Letra = ElEnlace().CamposRespuesta[1].Valor().substr(0, 1);
  }
  Decimal cantidad = LeerDecimal(a[5]);
  Decimal precio = LeerDecimal(a[6]);
  bool negativo = (cantidad < Decimal{} && precio > Decimal{}) ||
                  (cantidad > Decimal{} && precio < Decimal{});
  std::string_view clase = negativo ? "R" : "M";
  cantidad = Absoluto(cantidad);
  precio = Absoluto(precio);
  if (LP_CanMaxima >= 1 && cantidad > Decimal::Entero(LP_CanMaxima)) {
    MostrarError("Cantidad supera maximo de " + std::to_string(LP_CanMaxima));
    return;
  }
  if (LP_PreMaximo >= 1 && precio > Decimal::Entero(LP_PreMaximo)) {
    MostrarError("Precio supera maximo de " + std::to_string(LP_PreMaximo));
    return;
  }
  // Rates go to the printer without sign; the price is converted with
  // the same values, which also keeps the divisor positive.
  Decimal iva = Absoluto(LeerDecimal(a[8]));
  Decimal adicional = Absoluto(LeerDecimal(a[9]));
  int64_t tasa = iva.Redondeado(2) + adicional.Redondeado(2);  // percent x 100
  char base = static_cast<char>(std::toupper(static_cast<unsigned char>(a[11][0])));
  bool letra_a = doc.Letra == "A";
  if (letra_a && base == 'T') precio = Proporcion(precio, 10000, 10000 + tasa);
  if (!letra_a && base == 'B') precio = Proporcion(precio, 10000 + tasa, 10000);
  Decimal interno = Absoluto(LeerDecimal(a[10]));
  bool con_interno = interno > Decimal{};
  if (con_interno && !letra_a) precio = Sumado(precio, interno);
  int largo = LP_LonLinFac - (con_interno ? 8 : 0);
  std::string descripcion = Cortado(a[1], largo);
  std::string texto_cantidad = TextoCantidad(cantidad);
  std::string texto_precio = TextoPrecio(precio);
  std::string tasa_iva = Tasa(iva);
  std::string bultos = EnteroFijo(LeerEntero(a[7]), 5);
  // The fixed internal tax per unit x 100000000, 17 digits.
  std::string texto_interno = DecimalesImplicitos(interno, 15, 6) + "00";
  std::string extra[3] = {Cortado(a[2], LP_LonObsFac), Cortado(a[3], LP_LonObsFac),
                          Cortado(a[4], LP_LonObsFac)};
  if (!ticket) {
    EnviarItemFactura({descripcion, texto_cantidad, texto_precio, tasa_iva, clase, bultos,
                       "00000000", extra[0], extra[1], extra[2], Tasa(adicional),
                       texto_interno});
    return;
  }
  for (const std::string& linea : extra) {
    if (linea.empty()) continue;
    EnviarImpreso('A', {linea});
    if (LP_Error) return;
  }
  EnviarImpreso('B', {descripcion, texto_cantidad, texto_precio, tasa_iva, clase, bultos,
                      "00000000", texto_interno});
}

void PedirSubtotal(uint8_t codigo, std::string_view marca, std::string_view texto) {
  EnviarComando(codigo, {marca, texto});
  // Only a subtotal the printer gave replaces the totals of the last one.
  if (LP_Error || !ElEnlace().ComandoAceptado) return;
  // Amounts in hundredths, held far inside int64 whatever the printer sent.
  auto campo = [](int n) {
    constexpr int64_t kTope = 1'000'000'000'000'000;
    return std::clamp<int64_t>(LeerEntero(ElEnlace().CamposRespuesta.at(n - 1).Valor()), -kTope,
                               kTope);
  };
  int64_t total = campo(3), neto = campo(8), iva = campo(4), interno = campo(6) + campo(7);
  lp_decimal_de_centesimos(LP_UltimoTotal, total);
  lp_decimal_de_centesimos(LP_UltimoNeto, neto);
  lp_decimal_de_centesimos(LP_UltimoIva, iva);
  lp_decimal_de_centesimos(LP_UltimoImpInterno, interno);
  lp_decimal_de_centesimos(LP_UltimoPercepcion, total - neto - iva - interno);
}

void OrdenSubtotal(Argumentos& a) {
  bool sin_imprimir = SinBlancosFinales(a[2]) == "1";
  ElEnlace().ErrorPapelFatal = sin_imprimir ? 0 : 1;
  PedirSubtotal(ModoTicket() ? 'C' : 'c', sin_imprimir ? "A" : "P",
                Cortado(a[1], LP_LonPagFac, true));
}

void ImprimirImpuesto(Argumentos& a) {
  if (ModoTicket()) {
    MostrarError("No se utiliza en TQ");
    return;
  }
  EnviarImpreso('f', {Cortado(a[2], LP_LonPagFac), "O",
                      DecimalesImplicitos(Absoluto(LeerDecimal(a[3])), 10, 2)});
}

void ImprimirAjuste(Argumentos& a) { EnviarAjuste(a, {"Descuento", "D", "Recargo", "R"}); }

void ImprimirPago(Argumentos& a) { EnviarAjuste(a, {"Anulacion pago", "t", "Pago", "T"}); }

}  // namespace fiscal

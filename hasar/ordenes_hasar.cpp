// The Hasar order dispatch: each order code turned into printer commands,
// and the orders made of one or a few commands.
#include <string>

#include "../common/driver.h"
#include "../common/estado.h"
#include "../common/fecha_impresora.h"
#include "../common/formatos.h"
#include "../common/lp_fiscal.h"
#include "../common/traza.h"
#include "ordenes_hasar.h"

namespace fiscal {

namespace {

// The argument the dispatch never takes from the host.
constexpr int kArgumentoVacio = 22;

bool MayorQueCero(std::string_view t) { return LeerDecimal(t) > Decimal{}; }

void ConsultarEstado(Argumentos&) { EnviarHasar('*', {}); }

// "K" and "{" are unknown to some models: no error then.
void ComandoK(Argumentos&) { EnviarHasar('K', {}, kTolera); }
void ComandoLlave(Argumentos&) { EnviarHasar('{', {}, kTolera); }

void AvanzarPapel(Argumentos& a) {
  int64_t lineas = LeerEntero(a[1]);
  if (lineas == 0) lineas = 1;
  EnviarHasar('R', {EnteroFijo(lineas, 2)}, {.tolera = true, .papel = true});
}

void FijarReloj(Argumentos&) {
  const FechaHora ahora = ElReloj().Ahora();
  EnviarHasar('X', {FechaImpresora(ahora), HoraImpresora(ahora)});
}

void LeerReloj(Argumentos&) {
  // A failed answer has blank fields: the host then reads 0, no date.
  EnviarHasar('Y', {});
  const Enlace& en = ElEnlace();
  LP_FechaImpresora = SerialDeFechaImpresora(en.CamposRespuesta[0].Valor());
  LP_HoraImpresora = SerialDeHoraImpresora(en.CamposRespuesta[1].Valor());
}

// A text line of the open document, by the kind of document.
void LineaTexto(Argumentos& a) {
  switch (TipoAbierto()) {
    case 'P': EnviarHasar(0x97, {Cortado(a[1], LP_LonLinPag)}, kImprime); break;
    case 'Z': EnviarHasar(0x84, {Cortado(a[1], LP_LonLinCot)}, kImprime); break;
    default: EnviarHasar('A', {Cortado(a[1], LP_LonObsFac), "1"}, kImprime); break;
  }
}

void AbrirNoFiscal(Argumentos& a) {
  // Header lines 06 to 10 hold the data of the last fiscal document.
  for (int linea = 6; linea <= 10; ++linea) GrabarTituloHasar(linea, {});
  EnviarHasar(MayorQueCero(a[1]) ? 'G' : 'H', {}, kImprime);
}

void LineaNoFiscal(Argumentos& a) { EnviarHasar('I', {Cortado(a[1], LP_LonLinNoF), "1"}, kImprime); }

void CerrarNoFiscal(Argumentos& a) {
  constexpr int kAnchoPie = 40;
  GrabarPieHasar(a, kAnchoPie);
  EnviarHasar('J', {}, kImprime);
  LP_UltimoComprobante = 0;
}

// One title line; attributes travel as bytes F0h-FFh around the text.
void GrabarTitulo(Argumentos& a) {
  constexpr uint8_t kSinAtributos = 0xF0;
  const std::string linea = EnteroFijo(LeerEntero(a[1]), 2);
  if (EsBlanco(a[2])) {
    EnviarHasar(']', {linea, kSinValor});
    return;
  }
  uint8_t atributo = kSinAtributos;
  for (int n = 3, bit = 1; n <= 6; ++n, bit <<= 1)
    if (MayorQueCero(a[n])) atributo |= bit;
  if (atributo == kSinAtributos) {
    EnviarHasar(']', {linea, Cortado(a[2], LP_LonLinNoF)});
    return;
  }
  std::string texto(1, static_cast<char>(atributo));
  texto += SinBlancosFinales(Cortado(a[2], LP_LonLinNoF - 2));
  texto += static_cast<char>(kSinAtributos);
  ElEnlace().CamposSinNormalizar = 1;
  EnviarHasar(']', {linea, texto});
}

constexpr Orden kOrdenes[] = {
    {200, ConsultarEstado},
    {201, ConsultarHasar<201, '*'>},
    {202, ConsultarHasar<202, 'f'>},
    {203, ConsultarHasar<203, 's'>},
    {204, ConsultarHasar<204, '7'>},
    {205, ConsultarHasar<205, 'g'>},
    {206, CierreXHasar},
    {207, CierreZHasar},
    {208, InformeFechasHasar},
    {209, InformeCierresHasar},
    {210, ComandoK},
    {211, AvanzarPapel},
    {212, FijarReloj},
    {213, ConsultarHasar<213, 'Y'>},
    {214, ComandoLlave},
    {215, ComandoLlave},
    {216, AbrirComprobanteHasar},
    {217, LineaTexto},
    {218, ImprimirItemHasar},
    {219, ImprimirSubtotalHasar},
    {220, ImprimirPercepcionHasar},
    {221, ImprimirAjusteHasar},
    {222, ImprimirPagoHasar},
    {223, CancelarComprobanteHasar},
    {224, CerrarComprobanteHasar},
    {225, AbrirNoFiscal},
    {226, LineaNoFiscal},
    {227, CerrarNoFiscal},
    {231, LeerReloj},
    {232, GrabarTitulo},
};

}  // namespace

void EjecutarOrdenHasar(int16_t orden, const Argumentos& recibidos) {
  Argumentos argumentos;
  for (int n = 1; n < kArgumentoVacio; ++n) argumentos[n] = recibidos[n];
  if (Param().LP_GenerarLog) TrazarOrden(orden, argumentos);
  ElEnlace().ErrorPapelFatal = 0;
  EjecutarDeTabla(kOrdenes, orden, argumentos);
}

void EjecutarOrden(int16_t orden, Argumentos& argumentos) { EjecutarOrdenHasar(orden, argumentos); }

}  // namespace fiscal

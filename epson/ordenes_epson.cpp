// The Epson order dispatch: each order code turned into printer commands.
#include "ordenes_epson.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "../common/errores.h"
#include "../common/estado.h"
#include "../common/formatos.h"
#include "../common/lp_fiscal.h"

namespace fiscal {

bool ModoTicket() { return Param().LP_TipoComprobante == "TQ"; }

std::string Cortado(std::string_view texto, int ancho, bool del_si_blanco) {
  std::string r(SinBlancosFinales(texto.substr(0, ancho < 0 ? 0 : static_cast<size_t>(ancho))));
  if (del_si_blanco && r.empty()) r = kDEL;
  return r;
}

void EnviarImpreso(uint8_t codigo, std::initializer_list<std::string_view> campos) {
  ElEnlace().ErrorPapelFatal = 1;
  EnviarComando(codigo, campos);
}

void EnviarTolerado(uint8_t codigo, std::initializer_list<std::string_view> campos) {
  ElEnlace().ToleraRechazo = 1;
  EnviarComando(codigo, campos);
}

void GrabarLineasPie(const std::array<std::string, 3>& textos) {
  static constexpr std::string_view kLineas[] = {"11", "12", "13"};
  for (size_t i = 0; i < textos.size(); ++i) {
    ElEnlace().ErrorPapelFatal = 0;
    EnviarTolerado(']', {kLineas[i], EsBlanco(textos[i]) ? kDEL : SinBlancosFinales(textos[i])});
  }
}

int32_t NumeroDevuelto(int n) {
  int64_t v = LeerEntero(ElEnlace().CamposRespuesta.at(n - 1).Valor());
  return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

namespace {

void ConsultarEstado(Argumentos&) { EnviarComando('*', {"N"}); }

// 201 to 205: a status query with the order's letter, shown in the
// information window.
template <int16_t kOrden, char kLetra>
void Informacion(Argumentos&) {
  static constexpr char kCampo[] = {kLetra, '\0'};
  EnviarComando('*', {kCampo});
  MostrarRespuesta(kOrden);
}

void ComandoK(Argumentos&) { EnviarTolerado('K'); }
void ComandoLlave(Argumentos&) { EnviarTolerado('{'); }
void ComandoBarra(Argumentos&) { EnviarTolerado(0x7C); }

// 211: "R" first; a printer that does not know it feeds with "S".
void AvanzarPapel(Argumentos& a) {
  int64_t lineas = LeerEntero(a[1]);
  if (lineas <= 0) lineas = 1;
  std::string campo = EnteroFijo(lineas, 4);
  ElEnlace().ErrorPapelFatal = 1;
  EnviarTolerado('R', {campo});
  if (LP_Error || ElEnlace().ComandoAceptado) return;
  EnviarImpreso('S', {campo});
}

// 217: a text line in a ticket, or in an open quotation.
void TextoFiscal(Argumentos& a) {
  if (ModoTicket()) {
    EnviarImpreso('A', {Cortado(a[1], LP_LonObsFac)});
  } else if (Estado().comprobante.TipoDocumento == "C") {
    EnviarImpreso('I', {Cortado(a[1], LP_LonLinNoF)});
  } else {
    MostrarError("Solo se utiliza en TQ y cotizaciones");
  }
}

constexpr Orden kOrdenes[] = {
    {200, ConsultarEstado},
    {201, Informacion<201, 'N'>},
    {202, Informacion<202, 'P'>},
    {203, Informacion<203, 'C'>},
    {204, Informacion<204, 'A'>},
    {205, Informacion<205, 'D'>},
    {206, CierreX},             {207, CierreZ},
    {208, InformePorFechas},    {209, InformePorCierres},
    {210, ComandoK},            {211, AvanzarPapel},      {213, MostrarReloj},
    {214, ComandoLlave},        {215, ComandoBarra},      {216, AbrirComprobante},
    {217, TextoFiscal},         {218, ImprimirItem},      {219, OrdenSubtotal},
    {220, ImprimirImpuesto},    {221, ImprimirAjuste},    {222, ImprimirPago},
    {223, CancelarComprobante}, {224, CerrarComprobante}, {225, AbrirNoFiscal},
    {226, TextoNoFiscal},       {227, CerrarNoFiscal},    {231, LeerReloj},
};

}  // namespace

void EjecutarOrdenEpson(int16_t orden, Argumentos& argumentos) {
  ElEnlace().ErrorPapelFatal = 0;
  EjecutarDeTabla(kOrdenes, orden, argumentos);
}

void EjecutarOrden(int16_t orden, Argumentos& argumentos) { EjecutarOrdenEpson(orden, argumentos); }

}  // namespace fiscal

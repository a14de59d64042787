// The Hasar information orders and the information window: each return
// field captioned by order, dates and times made readable, the list left in
// LP_Resultado and shown on request.
#include <span>
#include <string_view>

#include "../common/driver.h"
#include "../common/estado.h"
#include "../common/lista_respuesta.h"
#include "../common/lp_fiscal.h"
#include "ordenes_hasar.h"

namespace fiscal {

namespace {

using Etiquetas = std::span<const std::string_view>;

struct Rotulos {
  int16_t orden;
  std::string_view titulo;
  Etiquetas etiquetas;
};

constexpr std::string_view kEstado[] = {
    "Ult.compr.B/C emitido", "Status auxiliar",    "Ult.compr.A   emitido", "Status documento",
    "Ult.NC B/C emitida",    "Ult.NC A emitida",   "Ult.RE emitido"};
constexpr std::string_view kConfiguracion[] = {
    "Limite p/Cons.Final",      "Limite p/tiquet-factura",  "%iva resp.no inscripto",
    "Cantidad copias",          "Mostrar cambio    (P=si)", "Mostrar leyendas  (P=si)",
    "Corte (F=total P=parcial)"};
constexpr std::string_view kInicializacion[] = {
    "CUIT",      "Razon social",       "Numero registro",        "Fecha inicializacion",
    "Numero PV", "Numero ingr.brutos", "Fecha inicio actividad", "Categoria iva (I/N/E/N)"};
constexpr std::string_view kCapacidad[] = {"Cant.registros total", "Cant.registros utilizados"};
constexpr std::string_view kMemoria[] = {
    "DF  cancelados",     "DNF emitidos",          "DF  emitidos",          "Ult.compr.B/C emitido",
    "Ult.compr.A   emitido", "Venta acumulada",    "Iva   acumulado",       "IInt  acumulado",
    "Perc  acumulado",    "IvaNI acumulado",       "Ult.NCred.B/C emitida", "Ult.NCred.A   emitida",
    "Venta acumulada NC", "Iva   acumulado NC",    "IInt  acumulado NC",    "Perc  acumulado NC",
    "IvaNI acumulado NC", "Ult.Remito emitido",    "NC  emitidas"};
// Field 6 of a closing has no caption: listed only when it has a value.
constexpr std::string_view kCierre[] = {
    "Numero de cierre",   "DF  cancelados",        "DNF homologados",       "DNF no homolog",
    "DF emitidos",        "",                      "Ult.compr.B/C emitido", "Ult.compr.A   emitido",
    "Venta acumulada",    "Iva   acumulado",       "IInt  acumulado",       "Perc  acumulado",
    "IvaNI acumulado",    "Ult.NCred.B/C emitida", "Ult.NCred.A   emitida", "Venta acumulada NC",
    "Iva   acumulado NC", "IInt  acumulado NC",    "Perc  acumulado NC",    "IvaNI acumulado NC",
    "Ult.Remito emitido"};
constexpr std::string_view kReloj[] = {"Fecha impresora", "Hora  impresora"};

constexpr Rotulos kRotulos[] = {
    {201, "Estado", kEstado},
    {202, "Configuracion", kConfiguracion},
    {203, "Inicializacion", kInicializacion},
    {204, "Capacidad memoria fiscal", kCapacidad},
    {205, "Memoria RAM", kMemoria},
    {206, "Resultado del cierre X", kCierre},
    {207, "Resultado del cierre Z", kCierre},
    {213, "Reloj interno de la impresora", kReloj},
};

const Rotulos* BuscarRotulos(int16_t orden) {
  for (const Rotulos& r : kRotulos)
    if (r.orden == orden) return &r;
  return nullptr;
}

}  // namespace

void MostrarRespuestaHasar(int16_t orden) {
  if (LP_Error) return;
  const Rotulos* r = BuscarRotulos(orden);
  if (!r) return;
  Enlace& en = ElEnlace();
  size_t n = 0;
  for (std::string_view e : r->etiquetas) en.EtiquetasRespuesta[n++] = e;
  for (; n < en.EtiquetasRespuesta.size(); ++n) en.EtiquetasRespuesta[n] = "";
  auto& campos = en.CamposRespuesta;
  if (orden == 203) {
    FechaLegible(campos[3]);
    FechaLegible(campos[6]);
  } else if (orden == 213) {
    FechaLegible(campos[0]);
    HoraLegible(campos[1]);
  }
  // The flag stays set: a host that asked once sees every later answer.
  PresentarListaRespuesta(ArmarListaRespuesta(en), r->titulo, LP_ResultadoMostrar != 0);
}

}  // namespace fiscal

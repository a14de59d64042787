// The Epson printer information window: the answer of the status queries
// (201 to 205), the closings (206, 207) and the clock query (213) labelled,
// listed in LP_Resultado and shown once when the host asks for it.
#include <array>
#include <string_view>

#include "../common/estado.h"
#include "../common/fecha_impresora.h"
#include "../common/formatos.h"
#include "../common/lista_respuesta.h"
#include "../common/lp_fiscal.h"
#include "../common/texto.h"
#include "ordenes_epson.h"

namespace fiscal {

namespace {

struct Rotulos {
  int16_t orden;
  std::string_view titulo;
  std::array<std::string_view, 11> etiquetas;
};

constexpr std::array<std::string_view, 11> kEtiquetasCierre = {
    "Numero de cierre         ", "Doc.fiscales cancelados  ", "Doc.no fisc. homologados ",
    "Doc.no fisc. no homolog  ", "Comprobantes emitidos B/C", "Comprobantes emitidos A  ",
    "Ult.comprobante B/C      ", "Importe facturado        ", "Importe iva              ",
    "Importe percepciones     ", "Ult.comprobante A        "};

constexpr Rotulos kRotulos[] = {
    {201, "Informacion general",
     {"Ult.comprobante emitido  ", "Fecha inic.jornada fiscal", "Hora  inic.jornada fiscal",
      "Ult.cierre jornada fiscal", "Auditoria parcial        ", "Auditoria total          ",
      "Numero de serie impresora", "Obs                      "}},
    {202, "Informacion controlador fiscal",
     {"Columnas fact en 10 cpi  ", "Columnas fact en 12 cpi  ", "Columnas fact en 17 cpi  ",
      "Columnas tiques          ", "Lineas de validacion     ", "Emite tiques             ",
      "Emite tiques-fact        ", "Emite facturas           ", "Decimales en el cierre Z ",
      "Impr. x R=Tiq S=Hoja/Form", "Modelo impresora         "}},
    {203, "Informacion contribuyente",
     {"CUIT                     ", "Punto de venta           ", "Categoria de iva         ",
      "Tasa de iva              ", "Monto maximo tique-fact  ", "Obs                      ",
      "Razon social             "}},
    {204, "Informacion contadores",
     {"Ult.cierre Z             ", "Ult.comprobante B/C (ok) ", "Ult.comprobante B/C      ",
      "Ult.comprobante A (ok)   ", "Ult.comprobante A        ", "Ult.documento NoFisc     ",
      "Ult.documento NoFiscHom  ", "Ult.nro.referencia NF/NFH", "Ult.nota credito A (ok)  ",
      "Ult.nota credito B/C (ok)", "Ult.remito (ok)          "}},
    {205, "Informacion documento en curso",
     {"TQ/FC/I=TF/O=DNF/H=DNFH  ", "Tipo (A/B/C/N)           "}},
    {206, "Resultado del cierre X", kEtiquetasCierre},
    {207, "Resultado del cierre Z", kEtiquetasCierre},
    {213, "Reloj interno de la impresora",
     {"Fecha impresora          ", "Hora  impresora          "}},
};

constexpr std::string_view kSinDocumentar = "Comando no ducumentado";

// Return fields that hold a printer date and a printer time, shown as
// dd/mm/yy and hh:mm:ss; blank when zero or not valid.
void FechaYHoraVisibles(int campo_fecha, int campo_hora) {
  auto& fecha = ElEnlace().CamposRespuesta[campo_fecha - 1];
  auto& hora = ElEnlace().CamposRespuesta[campo_hora - 1];
  const bool sin_hora = LeerEntero(hora.Valor()) == 0;
  fecha = FechaVisible(SerialDeFechaImpresora(fecha.Valor()));
  hora = sin_hora ? std::string_view{} : HoraVisible(SerialDeHoraImpresora(hora.Valor()));
}

}  // namespace

void MostrarRespuesta(int16_t orden) {
  if (LP_Error) return;
  std::string_view titulo = kSinDocumentar;
  auto& etiquetas = ElEnlace().EtiquetasRespuesta;
  for (const Rotulos& r : kRotulos) {
    if (r.orden != orden) continue;
    titulo = r.titulo;
    for (size_t i = 0; i < r.etiquetas.size(); ++i) etiquetas[i] = r.etiquetas[i];
  }
  if (orden == 201) FechaYHoraVisibles(2, 3);
  if (orden == 213) FechaYHoraVisibles(1, 2);

  const ListaRespuesta lista = ArmarListaRespuesta(ElEnlace());
  const bool mostrar = LP_ResultadoMostrar && !lista.filas.empty();
  // A one-shot request: the host asks again before each order it wants shown.
  if (mostrar) LP_ResultadoMostrar = 0;
  PresentarListaRespuesta(lista, titulo, mostrar);
}

}  // namespace fiscal

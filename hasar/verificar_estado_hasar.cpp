// The Hasar status words and their messages.
#include "verificar_estado_hasar.h"

#include <string>

#include "../common/enlace.h"
#include "../common/errores.h"
#include "../common/estado.h"
#include "../common/lp_fiscal.h"
#include "../common/texto.h"

namespace fiscal {

namespace {

constexpr BitFiscal kBitsFiscales[] = {
    {0x0001, BitFiscal::kError, "Error comprobacion memoria fiscal|"},
    {0x0002, BitFiscal::kError, "Error comprobacion memoria de trabajo|"},
    {0x0004, BitFiscal::kAviso, "Poca bateria|"},
    {0x0008, BitFiscal::kRechazo, "Comando no reconocido|"},
    {0x0010, BitFiscal::kRechazo, "Campo de datos invalido|"},  // and the printer's field
    {0x0020, BitFiscal::kRechazo, "Comando no valido para el estado fiscal actual|"},
    {0x0040, BitFiscal::kError, "Desbordamiento de totales|"},
    {0x0080, BitFiscal::kError, "Memoria fiscal llena|"},
    {0x0100, BitFiscal::kAviso, "Memoria fiscal casi llena|"},
};

struct BitImpresora {
  uint16_t mascara;
  std::string_view mensaje;
  bool siempre_error;  // otherwise an error only for a printing command
};

constexpr BitImpresora kBitsImpresora[] = {
    {0x0004, "Error en la impresora|", false},
    {0x0008, "Impresora fuera de linea|", false},
    {0x0010, "Falta papel para auditoria|", false},
    {0x0020, "Falta papel para comprobantes|", false},
    {0x0040, "Buffer de impresora lleno|", true},
};

constexpr uint16_t kCampoInvalido = 0x0010, kFiscalizada = 0x0600, kJornadaAbierta = 0x0800,
                   kComprobanteAbierto = 0x7000, kCajonCerrado = 0x4000;

constexpr std::string_view kCierreZ = "Debe realizar el cierre Z|";

// Orders that cannot run while the day awaits its Z closing.
bool CierreEsError(int16_t orden) { return orden == 216 || orden == 225; }
// Orders whose warnings are shown (the daily closings).
bool MuestraAvisos(int16_t orden) { return orden == 206 || orden == 207; }

}  // namespace

void VerificarEstado(uint8_t codigo) {
  EstadoDriver& e = Estado();
  Enlace& en = e.enlace;
  if (!IniciarVerificacion(en)) return;
  const uint16_t f = en.EstadoFiscal, i = en.EstadoImpresora;
  InformeEstado inf;

  RevisarBitsFiscales(kBitsFiscales, f, 0, en, inf, [&](const BitFiscal& b) {
    inf.Error(b.mensaje);
    if (b.mascara == kCampoInvalido) inf.Error(std::string(en.CamposRespuesta[0].Valor()) + "|");
  });
  LP_Fiscalizada = (f & kFiscalizada) == kFiscalizada;
  if (f & kJornadaAbierta) {
    if (f & kComprobanteAbierto) {
      inf.Aviso(kCierreZ);
      inf.Aviso("Tiene que cerrar o anular el comprobante en curso|");
    } else if (CierreEsError(e.orden_en_curso)) {
      inf.Error(kCierreZ);
    } else {
      inf.Aviso(kCierreZ);
    }
  }

  for (const BitImpresora& b : kBitsImpresora) {
    if (!(i & b.mascara)) continue;
    if (b.siempre_error || en.ErrorPapelFatal)
      inf.Error(b.mensaje);
    else
      inf.Aviso(b.mensaje);
  }
  LP_CajonAbierto = !(i & kCajonCerrado);

  const std::string sufijo =
      "|" + std::string(en.TextoEstado.Valor()) + " (" + HexaDeByte(codigo) + "h)";
  Informar(en, inf, sufijo, MuestraAvisos(e.orden_en_curso) || e.SerieLeida.Blanco());
}

}  // namespace fiscal

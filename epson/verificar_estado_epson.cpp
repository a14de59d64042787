// The Epson status words and their messages.
#include "verificar_estado_epson.h"

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
    {0x0008, BitFiscal::kRechazo, "Comando no reconocido ("},
    {0x0010, BitFiscal::kRechazo, "Campo de datos invalido ("},
    {0x0020, BitFiscal::kRechazo, "Comando no valido para el estado fiscal actual ("},
    {0x0040, BitFiscal::kError, "Desbordamiento de totales|"},  // not while bit 11 is set
    {0x0080, BitFiscal::kError, "Memoria fiscal llena|"},
    {0x0100, BitFiscal::kAviso, "Memoria fiscal casi llena|"},
};

struct BitImpresora {
  uint16_t mascara;
  std::string_view mensaje;
  // The summary bit that, with ErrorPapelFatal, makes it an error.
  enum { kResumenImpresora, kResumenFiscal, kSiempre } error_cuando;
};

constexpr BitImpresora kBitsImpresora[] = {
    {0x0004, "Error en la impresora|", BitImpresora::kResumenImpresora},  // not with bit 11
    {0x0008, "Impresora fuera de linea|", BitImpresora::kResumenImpresora},
    {0x0010, "Poco papel para auditoria|", BitImpresora::kResumenFiscal},
    {0x0020, "Poco papel para comprobantes|", BitImpresora::kResumenFiscal},
    {0x0040, "Buffer de impresora lleno|", BitImpresora::kSiempre},
    {0x4000, "Falta papel en impresora|", BitImpresora::kResumenFiscal},
};

constexpr uint16_t kFiscalDesborde = 0x0040, kFiscalizada = 0x0600, kDocumentoAbierto = 0x0800,
                   kDocumentosEnCurso = 0x7000, kResumen = 0x8000;
constexpr uint16_t kImpresoraError = 0x0004, kImpresoraBit11 = 0x0800;

// Commands after which the "Debe realizar el cierre Z" condition stops the
// order, or is not mentioned at all.
bool CierreEsError(uint8_t c) { return c == 0x40 || c == 0x48 || c == 0x61; }
bool CierreSeCalla(uint8_t c) { return c == 0x39 || c == 0x5E || c == 0x5D || c == 0x2A; }
// Commands after which warnings are shown.
bool MuestraAvisos(uint8_t c) { return c == 0x43 || c == 0x63 || c == 0x4A || c == 0x2A; }

// A rejection names the command and the printer's first return fields.
void Rechazo(InformeEstado& inf, const Enlace& en, std::string_view mensaje, uint8_t codigo) {
  inf.Error(std::string(mensaje) + HexaDeByte(codigo) + "h)|");
  for (int n = 0; n < 5; ++n) {
    if (!en.CamposRespuesta[n].Blanco())
      inf.Error(std::string(en.CamposRespuesta[n].Valor()) + "|");
  }
}

}  // namespace

void VerificarEstado(uint8_t codigo) {
  Enlace& en = ElEnlace();
  if (!IniciarVerificacion(en)) return;
  const uint16_t f = en.EstadoFiscal, i = en.EstadoImpresora;
  InformeEstado inf;

  // With a document open the totals overflow bit means something else.
  const uint16_t excluidos = (f & kDocumentoAbierto) ? kFiscalDesborde : 0;
  RevisarBitsFiscales(kBitsFiscales, f, excluidos, en, inf,
                      [&](const BitFiscal& b) { Rechazo(inf, en, b.mensaje, codigo); });
  LP_Fiscalizada = (f & kFiscalizada) == kFiscalizada;

  en.DesbordeFormulario = 0;
  if (f & kDocumentoAbierto) {
    if (f & kDocumentosEnCurso) {
      if ((f & kFiscalDesborde) && Param().LP_TipoComprobante == "FC")
        en.DesbordeFormulario = 1;
      else
        inf.Error("Tiene que cerrar o anular el comprobante en curso|");
    } else if (CierreEsError(codigo)) {
      inf.Error("Debe realizar el cierre Z|");
    } else if (!CierreSeCalla(codigo)) {
      inf.Aviso("Debe realizar el cierre Z|");
    }
  }

  for (const BitImpresora& b : kBitsImpresora) {
    if (!(i & b.mascara)) continue;
    if (b.mascara == kImpresoraError && (i & kImpresoraBit11)) continue;
    bool es_error = b.error_cuando == BitImpresora::kSiempre ||
                    (en.ErrorPapelFatal && (b.error_cuando == BitImpresora::kResumenImpresora
                                                ? (i & kResumen)
                                                : (f & kResumen)));
    if (es_error)
      inf.Error(b.mensaje);
    else
      inf.Aviso(b.mensaje);
  }
  en.IndicadorBit8 = (i & 0x0100) != 0;
  en.IndicadorBit9 = (i & 0x0200) != 0;
  LP_CajonAbierto = (i & 0x1000) != 0;

  Informar(en, inf, "|" + std::string(en.TextoEstado.Valor()), MuestraAvisos(codigo));
}

}  // namespace fiscal

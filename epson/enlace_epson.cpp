// The Epson exchange: one frame out, one answer back, resent on failure.
#include <string>

#include "../common/driver.h"
#include "../common/enlace.h"
#include "../common/errores.h"
#include "../common/estado.h"
#include "../common/lp_fiscal.h"
#include "../common/puerto_serie.h"
#include "../common/trama.h"
#include "../common/traza.h"
#include "verificar_estado_epson.h"

namespace fiscal {

namespace {

constexpr int kEnviosMaximos = 20;
constexpr int64_t kLimiteRespuestaCs = 3000;  // 30 seconds
constexpr uint16_t kBufferLleno = 0x0040;
constexpr uint8_t kPrimeraSecuencia = 0x21, kUltimaSecuencia = 0x7E;

enum Resultado { kValida = 0, kReenviar = 1, kAbandonar = 2 };

Resultado RecibirRespuesta(uint8_t codigo) {
  Enlace& en = ElEnlace();
  LimpiarRespuesta(en);
  const int puerto = Param().LP_ImpresoraPuerto;
  const int64_t inicio = ElReloj().Centesimas();
  ColectorRespuesta col;
  for (bool completa = false; !completa;) {
    int b = LeerByte(puerto);
    if (LP_Error) return kValida;  // the caller sees the port error
    // The limit runs from the start of the answer and no byte extends it,
    // so a printer that never stops sending cannot hold the call either.
    if (ElReloj().Centesimas() - inicio > kLimiteRespuestaCs) {
      en.DetalleReintentos += " 30\"";
      return kAbandonar;
    }
    if (b < 0) continue;
    if (b == NAK) {
      en.DetalleReintentos += " NAK";
      return kReenviar;
    }
    if (b == DC2 || b == DC4) continue;
    if (!col.Iniciado() && b != STX) continue;
    completa = col.Tomar(static_cast<char>(b));
  }
  CopiarCampos(col, en);
  if (CalcularBCC(col.Trama()) != col.Bcc()) {
    en.DetalleReintentos += " BCC";
    return kReenviar;
  }
  if (col.Byte(2) != en.SecuenciaComando) {
    en.DetalleReintentos += " SEQ";
    return kReenviar;
  }
  if (col.Byte(3) != codigo) {
    en.DetalleReintentos += " ORD";
    return kReenviar;
  }
  TomarEstado(col, en);
  if (en.EstadoImpresora & kBufferLleno) {
    en.DetalleReintentos += " BUF";
    return kReenviar;
  }
  if (Param().LP_GenerarLog) TrazarRespuesta(col.Trama());
  return kValida;
}

}  // namespace

void EnviarComando(uint8_t codigo, std::span<const std::string_view> campos) {
  Enlace& en = ElEnlace();
  const Parametros& p = Param();
  en.RespuestaValida = 0;
  if (++en.SecuenciaComando < kPrimeraSecuencia || en.SecuenciaComando > kUltimaSecuencia)
    en.SecuenciaComando = kPrimeraSecuencia;
  const std::string trama = ArmarTrama(static_cast<uint8_t>(en.SecuenciaComando), codigo, campos,
                                       OpcionesDeTrama());
  en.CamposSinNormalizar = 0;
  if (p.LP_GenerarLog) TrazarComando(codigo, trama);
  if (p.LP_MostrarComandos &&
      !ConfirmarEnvio(trama, HexaDeByte(codigo) + "h) Desea emviar ?"))
    return;
  en.DetalleReintentos.clear();
  for (int envios = 1;; ++envios) {
    EscribirPuerto(p.LP_ImpresoraPuerto, trama);
    if (LP_Error) break;
    Resultado r = RecibirRespuesta(codigo);
    if (LP_Error) break;
    if (r == kValida) {
      en.RespuestaValida = 1;
      break;
    }
    if (r == kAbandonar || envios >= kEnviosMaximos) {
      MostrarError("Error en la comunicacion con impresora|" + en.DetalleReintentos);
      break;
    }
  }
  VerificarEstado(codigo);
  if (p.LP_GenerarLog) TrazarCierre();
}

void ConsultarIdentidad() {
  EstadoDriver& e = Estado();
  const Enlace& en = e.enlace;
  EnviarComando('*', {"N"});
  if (LP_Error) return;
  LP_UltimoComprobante = static_cast<int32_t>(LeerEntero(en.CamposRespuesta[0].Valor()));
  e.SerieLeida = en.CamposRespuesta[6].Valor();
  AsignarFijo(LP_SerieImpresora, e.SerieLeida.Valor());
  EnviarComando('*', {"P"});
  if (LP_Error) return;
  e.ModeloImpresora = en.CamposRespuesta[10].Valor();
}

}  // namespace fiscal

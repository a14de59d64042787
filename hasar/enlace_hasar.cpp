// The Hasar command: one frame out, resent on failure, its answer checked.
#include <string>

#include "../common/driver.h"
#include "../common/enlace.h"
#include "../common/errores.h"
#include "../common/estado.h"
#include "../common/lp_fiscal.h"
#include "../common/puerto_serie.h"
#include "../common/trama.h"
#include "../common/traza.h"
#include "enlace_hasar.h"
#include "verificar_estado_hasar.h"

namespace fiscal {

namespace {
constexpr int kReintentos = 5;
constexpr uint8_t kPrimeraSecuencia = 0x20, kUltimaSecuencia = 0x7F;
constexpr std::string_view kErrorComunicacion = "Error en la comunicacion con impresora|";
}  // namespace

void EnviarComando(uint8_t codigo, std::span<const std::string_view> campos) {
  EstadoDriver& e = Estado();
  Enlace& en = e.enlace;
  const Parametros& p = e.parametros;
  en.RespuestaValida = 0;
  if (++en.SecuenciaComando < kPrimeraSecuencia || en.SecuenciaComando > kUltimaSecuencia)
    en.SecuenciaComando = kPrimeraSecuencia;
  const std::string trama =
      ArmarTrama(static_cast<uint8_t>(en.SecuenciaComando), codigo, campos,
                 OpcionesDeTrama(p.LP_TipoComprobante == "FC"));
  en.CamposSinNormalizar = 0;
  if (p.LP_GenerarLog) TrazarComando(codigo, trama);
  if (p.LP_MostrarComandos && !ConfirmarEnvio(trama, "Envia comando " + HexaDeByte(codigo) + "h ?"))
    return;
  if (e.SerieLeida.Blanco()) {
    DesbloquearImpresora();
    if (LP_Error) {
      // The command is not sent: its marks must not reach the next one.
      en.ToleraRechazo = 0;
      en.ErrorPapelFatal = 0;
      return;
    }
  }

  en.DetalleReintentos.clear();
  const int puerto = p.LP_ImpresoraPuerto;
  const int64_t vence = ElReloj().Centesimas() + kLimiteComandoCs;
  for (int intento = 1;; ++intento) {
    EscribirPuerto(puerto, trama);
    if (LP_Error) break;
    AnotarDetalle("|INTENTO=" + std::to_string(intento));
    Resultado r = RecibirRespuesta(codigo, vence);
    if (LP_Error) break;
    if (r == Resultado::kValida) {
      en.RespuestaValida = 1;
      if (p.LP_MostrarComandos)
        ElOperador().Mostrar({.texto = en.DetalleReintentos, .titulo = "Respuesta"});
      break;
    }
    if (r == Resultado::kAbandonar) {
      MostrarError(std::string(kErrorComunicacion) + en.DetalleReintentos);
      break;
    }
    if (intento > kReintentos) {
      MostrarError(std::string(kErrorComunicacion) + "Se reintento 5 veces el ultimo comando|" +
                   en.DetalleReintentos);
      break;
    }
  }
  VerificarEstado(codigo);
  if (p.LP_GenerarLog) TrazarCierre();
}

}  // namespace fiscal

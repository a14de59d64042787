// The process-wide state of one driver library, in one place. Everything
// here lives as long as the library is loaded; the exported variables of
// lp_fiscal.h are the other half of that state (they must be plain
// globals so that hosts can bind them by name).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "plataforma.h"
#include "texto.h"

namespace fiscal {

// The driver parameters that are not exported. Names are the keys of the
// parameter file.
struct Parametros {
  uint8_t LP_MostrarComandos = 0;
  uint8_t LP_GenerarLog = 0;
  int16_t LP_ImpresoraPuerto = 2;
  Texto<12> LP_ImpresoraConfig{"9600,N,8,1"};
  Texto<2> LP_TipoComprobante{"TQ"};
  Texto<1> LP_TipoIva{"I"};
  Texto<2> LP_TipoLetra;  // the driver's initial value, set at load
  Texto<1> LP_PapelPreimpreso{"N"};
  Texto<1> LP_PapelContinuo{"S"};
  Texto<1> LP_PermitirAcentos{"N"};
  uint8_t LP_TarjFirma = 0;
  uint8_t LP_TarjAclaracion = 0;
  uint8_t LP_TarjTelefono = 0;
  uint8_t LP_OSocEmitir = 0;
  uint8_t LP_OSocDomicilio = 0;
  uint8_t LP_OSocDocumento = 0;
  uint8_t LP_OSocFirma = 0;
  uint8_t LP_OSocAclaracion = 0;
  uint8_t LP_OSocTelefono = 0;
};

constexpr int kCamposRespuesta = 25;

// The link layer's view of the last command and its answer.
struct Enlace {
  uint16_t SecuenciaComando = 0;
  uint16_t EstadoImpresora = 0;
  uint16_t EstadoFiscal = 0;
  std::array<Texto<250>, kCamposRespuesta> CamposRespuesta;
  std::array<Texto<25>, kCamposRespuesta> EtiquetasRespuesta;
  Texto<64> TextoEstado;
  std::string DetalleReintentos;
  // Marks for exactly one command (set by the caller, cleared by the check).
  uint8_t CamposSinNormalizar = 0;
  uint8_t ToleraRechazo = 0;
  uint8_t ErrorPapelFatal = 0;
  // The last command got an answer that passed every check of the link.
  uint8_t RespuestaValida = 0;
  // Flags left by the status check.
  uint8_t ComandoAceptado = 1;
  uint8_t DesbordeFormulario = 0;
  uint8_t IndicadorBit8 = 0;
  uint8_t IndicadorBit9 = 0;
};

// The document most recently opened; spans the calls of one document.
struct ComprobanteEnCurso {
  Texto<1> TipoDocumento;
  Texto<1> Letra;
  uint8_t Copias = 0;
};

// The machine services in use: the system's, or a test's fakes.
struct Entorno {
  Reloj* reloj = nullptr;
  Operador* operador = nullptr;
  FabricaCanales crear_canal;
};

constexpr int kPuertoMinimo = 1;
constexpr int kPuertoMaximo = 16;

struct EstadoDriver {
  Parametros parametros;
  Texto<200> ArchivoParametros;
  Texto<15> SerieLeida;
  Texto<15> ModeloImpresora;
  Enlace enlace;
  ComprobanteEnCurso comprobante;
  // The order being run by LP_IMPRIMIR (the Hasar status check reads it).
  int16_t orden_en_curso = 0;
  // One open device per port number, from AbrirPuerto to CerrarPuerto.
  std::array<std::unique_ptr<CanalSerie>, kPuertoMaximo + 1> puertos;
  Entorno entorno;
};

// This library's state.
EstadoDriver& Estado();

// Puts the state and every exported variable back to the values they have
// when the library has just been loaded. The machine services are kept.
void ReiniciarDriver();

// Shorthands for the services in use.
inline Reloj& ElReloj() { return *Estado().entorno.reloj; }
inline Operador& ElOperador() { return *Estado().entorno.operador; }
inline Parametros& Param() { return Estado().parametros; }
inline Enlace& ElEnlace() { return Estado().enlace; }

}  // namespace fiscal

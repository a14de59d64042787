// The parts of a command exchange that both printer families share.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "estado.h"
#include "trama.h"

namespace fiscal {

// Clears the answer data before a new answer is read.
void LimpiarRespuesta(Enlace& en);
// Return fields of a collected answer into CamposRespuesta.
void CopiarCampos(const ColectorRespuesta& col, Enlace& en);
// Status words and TextoEstado of a collected answer.
void TomarEstado(const ColectorRespuesta& col, Enlace& en);
// Frame options from the parameters and the marks of this command.
OpcionesTrama OpcionesDeTrama(bool esc = false);
// Asks the operator whether to send `trama`; on No the marks of this
// command are dropped and false is returned.
bool ConfirmarEnvio(std::string_view trama, std::string_view titulo);

// The error and warning texts a status check builds (500 characters each).
struct InformeEstado {
  std::string errores, avisos;
  void Error(std::string_view m) { Agregar(errores, m); }
  void Aviso(std::string_view m) { Agregar(avisos, m); }
  static void Agregar(std::string& texto, std::string_view m);
};

// One bit of the fiscal status word and where its condition goes.
struct BitFiscal {
  uint16_t mascara;
  enum Destino { kError, kAviso, kRechazo } destino;
  std::string_view mensaje;
};

// The start of a status check: false when the exchange failed and there
// is no answer to judge (the marks of the command are dropped then).
bool IniciarVerificacion(Enlace& en);

// Errors and warnings of the fiscal bits in `palabra`, except those in
// `excluidos`. A rejection only clears ComandoAceptado while ToleraRechazo
// is set; otherwise `rechazo` reports it.
template <typename Rechazo>
void RevisarBitsFiscales(std::span<const BitFiscal> bits, uint16_t palabra, uint16_t excluidos,
                         Enlace& en, InformeEstado& inf, Rechazo&& rechazo) {
  for (const BitFiscal& b : bits) {
    if (!(palabra & b.mascara) || (excluidos & b.mascara)) continue;
    if (b.destino == BitFiscal::kError)
      inf.Error(b.mensaje);
    else if (b.destino == BitFiscal::kAviso)
      inf.Aviso(b.mensaje);
    else if (en.ToleraRechazo)
      en.ComandoAceptado = 0;
    else
      rechazo(b);
  }
}

// The end of a status check: the errors, with the warnings, go to
// MostrarError; the warnings alone to an "AVISO" box when `mostrar_avisos`;
// both followed by `sufijo`. The marks of the command are dropped.
void Informar(Enlace& en, const InformeEstado& inf, std::string_view sufijo, bool mostrar_avisos);

}  // namespace fiscal

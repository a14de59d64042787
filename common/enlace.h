// The parts of a command exchange that both printer families share.
#pragma once

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
OpcionesTrama OpcionesDeTrama(ReglaDieresis dieresis, bool esc = false);
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

}  // namespace fiscal

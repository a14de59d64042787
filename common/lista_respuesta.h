// The printer's answer to an information order as the host and the
// operator see it: one row per labelled or non-blank return field, and the
// same rows as the text list of LP_Resultado ("|01=value|02=value...").
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "estado.h"
#include "plataforma.h"
#include "texto.h"

namespace fiscal {

struct ListaRespuesta {
  std::vector<FilaRespuesta> filas;
  std::string resultado;  // at most 255 characters
};

// A return field written yymmdd or hhmmss rewritten as dd/mm/yy or
// hh:mm:ss; blank when zero or not a valid date or time.
void FechaLegible(Texto<250>& campo);
void HoraLegible(Texto<250>& campo);

// Rows of the return fields of the last answer under their labels; a
// field that is only DEL is listed with an empty value.
ListaRespuesta ArmarListaRespuesta(const Enlace& en);

// Rebuilds LP_Resultado from the list and shows the information window
// when the list has rows and `mostrar` is set.
void PresentarListaRespuesta(const ListaRespuesta& lista, std::string_view titulo, bool mostrar);

}  // namespace fiscal

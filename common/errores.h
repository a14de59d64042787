// The one way failures are reported: a Spanish message recorded in
// LP_Error and LP_ErrorMensaje and, while the host wants it, shown to the
// operator in an "ERROR" box.
#pragma once

#include <string_view>

namespace fiscal {

// Records `mensaje` as the error of the last step; a blank message clears
// the error instead. "|" in a message breaks its lines.
void MostrarError(std::string_view mensaje);

// A notice in an "AVISO" box with an information icon; never touches the
// error state.
void MostrarAviso(std::string_view texto);

}  // namespace fiscal

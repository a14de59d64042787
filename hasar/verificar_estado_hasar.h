#pragma once

#include <cstdint>

namespace fiscal {

// Judges the status words of the answer to `codigo`: errors stop the order
// through MostrarError, warnings are shown during the daily closings and
// until the printer's identity is known, and the flags other code reads
// are set.
void VerificarEstado(uint8_t codigo);

}  // namespace fiscal

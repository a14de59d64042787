#pragma once

#include <cstdint>

namespace fiscal {

// Judges the status words of the answer to `codigo`: errors stop the order
// through MostrarError, warnings are shown after the status commands, and
// the flags other code reads are set.
void VerificarEstado(uint8_t codigo);

}  // namespace fiscal

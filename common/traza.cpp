// Placeholder: replaced by the command trace log.
#include "traza.h"

namespace fiscal {
void TrazarOrden(int16_t, const Argumentos&) {}
void TrazarComando(uint8_t, std::string_view) {}
void TrazarRespuesta(std::string_view) {}
long TrazarCierre() { return 0; }
}  // namespace fiscal

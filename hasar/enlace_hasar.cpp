// Placeholder: replaced by the Hasar link.
#include "../common/driver.h"
#include "../common/errores.h"

namespace fiscal {
void EnviarComando(uint8_t, std::span<const std::string_view>) {
  MostrarError("Error en la comunicacion con impresora|");
}
void ConsultarIdentidad() { EnviarComando(0x2A, {}); }
}  // namespace fiscal

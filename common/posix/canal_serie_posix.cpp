// Placeholder: replaced by the POSIX serial device.
#include "../plataforma.h"

namespace fiscal {
std::unique_ptr<CanalSerie> CrearCanalDelSistema() { return nullptr; }
}  // namespace fiscal

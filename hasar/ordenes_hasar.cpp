// The order dispatch of this driver.
#include <string>

#include "../common/driver.h"
#include "../common/errores.h"

namespace fiscal {

void EjecutarOrdenHasar(int16_t orden, Argumentos& argumentos) {
  (void)argumentos;
  MostrarError("La orden indicada no es valida|Orden=" + std::to_string(orden));
}

void EjecutarOrden(int16_t orden, Argumentos& argumentos) { EjecutarOrdenHasar(orden, argumentos); }

}  // namespace fiscal

// The Epson order dispatch: each order code turned into printer commands.
#include <string>

#include "../common/driver.h"
#include "../common/errores.h"
#include "../common/estado.h"

namespace fiscal {

namespace {

void ConsultarEstado(Argumentos&) { EnviarComando('*', {"N"}); }

struct Orden {
  int16_t codigo;
  void (*ejecutar)(Argumentos&);
};

constexpr Orden kOrdenes[] = {
    {200, ConsultarEstado},
};

}  // namespace

void EjecutarOrdenEpson(int16_t orden, Argumentos& argumentos) {
  ElEnlace().ErrorPapelFatal = 0;
  for (const Orden& o : kOrdenes) {
    if (o.codigo == orden) {
      o.ejecutar(argumentos);
      return;
    }
  }
  MostrarError("La orden indicada no es valida|Orden=" + std::to_string(orden));
}

void EjecutarOrden(int16_t orden, Argumentos& argumentos) { EjecutarOrdenEpson(orden, argumentos); }

}  // namespace fiscal

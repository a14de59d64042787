// The Epson order dispatch: each order code turned into printer commands.
#include <string>

#include "../common/driver.h"
#include "../common/estado.h"

namespace fiscal {

namespace {

void ConsultarEstado(Argumentos&) { EnviarComando('*', {"N"}); }

constexpr Orden kOrdenes[] = {
    {200, ConsultarEstado},
};

}  // namespace

void EjecutarOrdenEpson(int16_t orden, Argumentos& argumentos) {
  ElEnlace().ErrorPapelFatal = 0;
  EjecutarDeTabla(kOrdenes, orden, argumentos);
}

void EjecutarOrden(int16_t orden, Argumentos& argumentos) { EjecutarOrdenEpson(orden, argumentos); }

}  // namespace fiscal

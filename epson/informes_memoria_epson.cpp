// The fiscal memory reports: by dates (208) and by closing numbers (209),
// printed while the progress window is shown.
#include <string>

#include "../common/formatos.h"
#include "../common/texto.h"
#include "ordenes_epson.h"

namespace fiscal {

void InformePorFechas(Argumentos& a) {
  VentanaProgreso progreso;
  EnviarImpreso(':', {a[1], a[2], a[3]});
}

void InformePorCierres(Argumentos& a) {
  VentanaProgreso progreso;
  EnviarImpreso(';', {EnteroFijo(LeerEntero(a[1]), 4), EnteroFijo(LeerEntero(a[2]), 4), a[3]});
}

}  // namespace fiscal

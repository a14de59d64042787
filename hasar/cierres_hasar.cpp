// Daily closings and fiscal memory reports: long printing commands shown
// with the progress window; closings recorded in the closings log.
#include <string_view>

#include "../common/driver.h"
#include "../common/estado.h"
#include "../common/formatos.h"
#include "../common/registro_cierres.h"
#include "ordenes_hasar.h"

namespace fiscal {

namespace {

// One printing command under the progress window.
void ImprimirConProgreso(uint8_t codigo, std::initializer_list<std::string_view> campos) {
  Operador& op = ElOperador();
  op.AbrirProgreso();
  EnviarHasar(codigo, campos, kImprime);
  op.CerrarProgreso();
}

}  // namespace

void CierreDiarioHasar(char letra) {
  GrabarPieHasar(Argumentos{}, 0, true);
  const char campo[] = {letra, '\0'};
  ImprimirConProgreso('9', {campo});
  MostrarRespuestaHasar(letra == 'X' ? 206 : 207);
  AnotarCierre(letra);
}

void CierreXHasar(Argumentos&) { CierreDiarioHasar('X'); }
void CierreZHasar(Argumentos&) { CierreDiarioHasar('Z'); }

// Dates and report kind go as the host wrote them, in the printer's form.
void InformeFechasHasar(Argumentos& a) { ImprimirConProgreso(':', {a[1], a[2], a[3]}); }

void InformeCierresHasar(Argumentos& a) {
  ImprimirConProgreso(';', {EnteroFijo(LeerEntero(a[1]), 4), EnteroFijo(LeerEntero(a[2]), 4), a[3]});
}

}  // namespace fiscal

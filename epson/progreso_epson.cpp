// The progress window "Imprimiendo" around the long Epson commands.
#include "../common/estado.h"
#include "ordenes_epson.h"

namespace fiscal {

VentanaProgreso::VentanaProgreso(int total) : total_(total) { ElOperador().AbrirProgreso(); }

VentanaProgreso::~VentanaProgreso() { ElOperador().CerrarProgreso(); }

void VentanaProgreso::Avanzar() {
  ++hechos_;
  ElOperador().AvanzarProgreso(total_ > 0 ? hechos_ * 100 / total_ : 0);
}

}  // namespace fiscal

// Draining the line before the printer's identity is known: whatever a
// printer left pending is acknowledged byte by byte.
#include <string>

#include "../common/estado.h"
#include "../common/lp_fiscal.h"
#include "../common/puerto_serie.h"
#include "../common/trama.h"
#include "enlace_hasar.h"

namespace fiscal {

void DesbloquearImpresora() {
  const int puerto = Param().LP_ImpresoraPuerto;
  const int64_t inicio = ElReloj().Centesimas();
  bool avisado = false;
  // A line that never goes quiet is left as it is after a while; the
  // exchange that follows reports it.
  while (ElReloj().Centesimas() - inicio <= kLimiteDesbloqueoCs) {
    const int b = LeerByte(puerto);
    if (LP_Error || b < 0) return;
    if (!avisado) {
      ElOperador().Mostrar({.texto = "Se intenta desbloquear la impresora",
                            .titulo = "AVISO",
                            .icono = Icono::Error});
      avisado = true;
    }
    EscribirPuerto(puerto, std::string(1, ACK));
    if (LP_Error) return;
  }
}

}  // namespace fiscal

// The operator's windows as this build's toolkit draws them: FLTK on POSIX,
// plain USER32 windows on Windows. Each platform defines the functions;
// the windowed operators of both take them through OperadorConVentanas.
#pragma once

#include "plataforma.h"

namespace fiscal {

namespace ventanas {
// The information window, modal until it is closed.
void MostrarRespuesta(const VentanaRespuesta& v);
// The progress window and the loose-sheet prompt: shown without waiting,
// repainted at every change, hidden by their close calls.
void AbrirProgreso();
void AvanzarProgreso(int porcentaje);
void CerrarProgreso();
void AbrirHojaSuelta();
void AnimarHojaSuelta(int asteriscos);
void CerrarHojaSuelta();
// ESC pressed (or the prompt's close box) since the previous poll.
bool EscapePulsado();
void DescartarTeclas();
}  // namespace ventanas

// An operator whose windows are the toolkit's; message boxes and the
// parameter editor are the subclass's own.
class OperadorConVentanas : public Operador {
 public:
  bool EscapePulsado() override { return ventanas::EscapePulsado(); }
  void DescartarTeclas() override { ventanas::DescartarTeclas(); }
  void MostrarRespuesta(const VentanaRespuesta& v) override { ventanas::MostrarRespuesta(v); }
  void AbrirProgreso() override { ventanas::AbrirProgreso(); }
  void AvanzarProgreso(int porcentaje) override { ventanas::AvanzarProgreso(porcentaje); }
  void CerrarProgreso() override { ventanas::CerrarProgreso(); }
  void AbrirHojaSuelta() override { ventanas::AbrirHojaSuelta(); }
  void AnimarHojaSuelta(int asteriscos) override { ventanas::AnimarHojaSuelta(asteriscos); }
  void CerrarHojaSuelta() override { ventanas::CerrarHojaSuelta(); }
};

}  // namespace fiscal

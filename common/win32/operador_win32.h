// The operator of a Windows process.
#pragma once

#include "../plataforma.h"

namespace fiscal {

// Message boxes when the process can show windows (an interactive window
// station), the console operator otherwise (services, headless runs).
Operador& OperadorDeWindows();

// The parameter editor as a modal dialog; SinPantalla when it cannot be
// created.
ResultadoDialogo EditarParametrosWin32(EdicionParametros& edicion);

namespace win32 {
// The information window, modal until it is closed.
void MostrarRespuesta(const VentanaRespuesta& v);
// The progress window and the loose-sheet prompt: shown without waiting,
// repainted at every change, destroyed by their close calls.
void AbrirProgreso();
void AvanzarProgreso(int porcentaje);
void CerrarProgreso();
void AbrirHojaSuelta();
void AnimarHojaSuelta(int asteriscos);
void CerrarHojaSuelta();
// ESC pressed (or the prompt's close box) since the previous poll.
bool EscapePulsado();
void DescartarTeclas();
}  // namespace win32

}  // namespace fiscal

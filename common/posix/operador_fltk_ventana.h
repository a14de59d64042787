// What the FLTK message box and editor share: the modal wait and the text
// conversion for display.
#pragma once

#include <string>
#include <string_view>

class Fl_Window;

namespace fiscal::fltk {

// Shows `ventana` modal, hands it to the test hook, and waits until it is
// hidden.
void EsperarCierre(Fl_Window& ventana);

// Hands a window already on screen to the test hook, if there is one.
void AvisarGancho(Fl_Window& ventana);

// A Windows-1252 text as FLTK shows it (UTF-8), "|" as a line break.
std::string ParaMostrar(std::string_view texto);

// A UTF-8 text for a widget label: "@" would start a symbol, doubled it is
// itself.
std::string SinSimbolos(std::string_view texto);

constexpr int kLetra = 12;  // pixels; the 8-point Arial of the Win32 dialogs

}  // namespace fiscal::fltk

namespace fiscal {
class EdicionParametros;
enum class ResultadoDialogo;
namespace fltk {
// The parameter editor window; returns when it is closed.
ResultadoDialogo EditarParametros(EdicionParametros& edicion);

}  // namespace fltk
}  // namespace fiscal

// The operator of a Windows process with a desktop: MessageBoxA boxes, the
// parameter editor dialog, and the printer's windows (ventanas_win32.cpp).
#include <windows.h>

#include <string>

#include "../edicion_parametros.h"
#include "operador_win32.h"

namespace fiscal {

namespace {

UINT Estilo(const Mensaje& m) {
  UINT estilo = MB_TASKMODAL | MB_SETFOREGROUND;
  switch (m.icono) {
    case Icono::Informacion: estilo |= MB_ICONINFORMATION; break;
    case Icono::Advertencia: estilo |= MB_ICONWARNING; break;
    case Icono::Exclamacion: estilo |= MB_ICONEXCLAMATION; break;
    case Icono::Error: estilo |= MB_ICONERROR; break;
  }
  if (m.botones == Botones::SiNo) {
    estilo |= MB_YESNO;
    if (m.defecto == Respuesta::No) estilo |= MB_DEFBUTTON2;
  } else {
    estilo |= MB_OK;
  }
  return estilo;
}

class OperadorMensajes final : public OperadorConVentanas {
 public:
  Respuesta Mostrar(const Mensaje& m) override {
    std::string texto(m.texto);
    for (char& c : texto) {
      if (c == '|') c = '\n';
    }
    const std::string titulo(m.titulo);
    switch (MessageBoxA(nullptr, texto.c_str(), titulo.c_str(), Estilo(m))) {
      case IDYES: return Respuesta::Si;
      case IDNO: return Respuesta::No;
      case IDOK: return Respuesta::Aceptar;
      default:  // the box could not be shown: nobody can answer
        return OperadorDeConsola().Mostrar(m);
    }
  }
  ResultadoDialogo EditarParametros(EdicionParametros& edicion) override {
    return EditarParametrosWin32(edicion);
  }
};

// Whether windows of this process reach a screen: the window station must
// be the visible one (services run in invisible ones).
bool HayEscritorio() {
  HWINSTA estacion = GetProcessWindowStation();
  if (!estacion) return false;
  USEROBJECTFLAGS banderas{};
  if (!GetUserObjectInformationA(estacion, UOI_FLAGS, &banderas, sizeof banderas, nullptr)) {
    return false;
  }
  return (banderas.dwFlags & WSF_VISIBLE) != 0;
}

}  // namespace

Operador& OperadorDeWindows() {
  static OperadorMensajes mensajes;
  static Operador& elegido = HayEscritorio() ? static_cast<Operador&>(mensajes)
                                             : OperadorDeConsola();
  return elegido;
}

}  // namespace fiscal

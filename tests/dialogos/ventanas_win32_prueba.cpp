// The Win32 printer windows driven from inside the process, for a run
// under Wine and a virtual X server (ventanas_win32.sh). Exit code: the
// number of failed checks.
#include <windows.h>

#include <cstdio>
#include <string>

#include "common/driver.h"
#include "common/win32/operador_win32.h"

const fiscal::DescripcionDriver fiscal::kDriver{"EPSON", "", "", false, {}, false, ""};

namespace {

int fallas = 0;
void Verificar(bool ok, const char* que) {
  std::printf("%s %s\n", ok ? "ok   " : "FALLA", que);
  if (!ok) ++fallas;
}

HWND Hijo(HWND padre, const char* clase, const char* texto) {
  return FindWindowExA(padre, nullptr, clase, texto);
}

struct Vista {
  int filas = -1;
  std::string primera;
  bool fisc = false, boton = false;
} vista;

// Looks at the information window from the modal loop, then presses the
// button as the operator would.
void CALLBACK MirarRespuesta(HWND, UINT, UINT_PTR id, DWORD) {
  HWND v = FindWindowA(nullptr, "Respuesta impresora fiscal");
  if (!v) return;
  KillTimer(nullptr, id);
  HWND lista = Hijo(v, "ListBox", nullptr);
  vista.filas = static_cast<int>(SendMessageA(lista, LB_GETCOUNT, 0, 0));
  char texto[256] = {};
  SendMessageA(lista, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(texto));
  vista.primera = texto;
  vista.fisc = Hijo(v, "Button", "Fisc") != nullptr;
  HWND cerrar = Hijo(v, "Button", "Cerrar");
  vista.boton = cerrar != nullptr;
  SendMessageA(cerrar, BM_CLICK, 0, 0);
}

}  // namespace

int main() {
  using namespace fiscal;
  ventanas::AbrirProgreso();
  HWND p = FindWindowA(nullptr, "Imprimiendo");
  Verificar(p && IsWindowVisible(p), "progreso visible");
  ventanas::AvanzarProgreso(40);
  HWND barra = p ? FindWindowExA(p, nullptr, "drvfiscal.barra", nullptr) : nullptr;
  Verificar(barra && GetWindowLongPtrA(barra, GWLP_USERDATA) == 40, "barra en 40");
  ventanas::AvanzarProgreso(250);
  Verificar(barra && GetWindowLongPtrA(barra, GWLP_USERDATA) == 100, "barra acotada a 100");
  ventanas::CerrarProgreso();
  Verificar(!FindWindowA(nullptr, "Imprimiendo"), "progreso cerrado");

  ventanas::AbrirHojaSuelta();
  HWND h = FindWindowA(nullptr, "Hoja suelta");
  Verificar(h && Hijo(h, "Static", "Colocar hoja suelta para continuar") &&
                Hijo(h, "Static", "...") && Hijo(h, "Static", "Presione ESC para suspender"),
            "hoja suelta con sus tres lineas");
  ventanas::AnimarHojaSuelta(5);
  Verificar(h && Hijo(h, "Static", "*****"), "animacion de cinco asteriscos");
  PostMessageA(h, WM_KEYDOWN, VK_ESCAPE, 0);
  ventanas::DescartarTeclas();
  Verificar(!ventanas::EscapePulsado(), "ESC anterior descartado");
  PostMessageA(h, WM_KEYDOWN, VK_ESCAPE, 0);
  Verificar(ventanas::EscapePulsado(), "ESC visto");
  Verificar(!ventanas::EscapePulsado(), "ESC visto una sola vez");
  PostMessageA(h, WM_CLOSE, 0, 0);
  Verificar(ventanas::EscapePulsado(), "la caja de cierre pide lo mismo");
  Verificar(IsWindow(h), "la hoja sigue abierta hasta que el driver la cierra");
  ventanas::CerrarHojaSuelta();
  Verificar(!IsWindow(h), "hoja cerrada");

  const FilaRespuesta filas[] = {{"Ult.comprobante emitido  ", "00001234"}, {"Obs", ""}};
  SetTimer(nullptr, 0, 50, MirarRespuesta);
  ventanas::MostrarRespuesta({.titulo = "Informacion general", .filas = filas,
                           .estado = "Impresora: sin errores", .fiscalizada = true});
  Verificar(vista.filas == 2, "dos filas");
  Verificar(vista.primera.rfind("Ult.comprobante emitido   00001234", 0) == 0, "columnas fijas");
  Verificar(vista.fisc, "Fisc cuando esta fiscalizada");
  Verificar(vista.boton, "boton Cerrar; la ventana se cerro con el");
  return fallas;
}

// The information window, the progress window and the loose-sheet prompt
// with plain USER32 windows. The list and the status line use the stock
// fixed-pitch font, taken from GDI32 at run time so the library imports
// nothing beyond KERNEL32, msvcrt and USER32; the bar is a rectangle filled
// by its own window procedure (a progress control would need COMCTL32).
// Windows are destroyed when closed, so none outlives the library.
#include <windows.h>

#include <algorithm>
#include <string>

#include "../driver.h"
#include "operador_win32.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace fiscal {

namespace {

constexpr const char* kClaseVentana = "drvfiscal.ventana";
constexpr const char* kClaseBarra = "drvfiscal.barra";
constexpr const char* kTip = "Cerrar la ventana";
constexpr size_t kAnchoTitulo = 40;
constexpr size_t kAnchoEtiqueta = 25;
constexpr size_t kAnchoValor = 80;
constexpr size_t kAnchoEstado = 66;
constexpr int kAsteriscosMaximos = 40;
constexpr int kIdTip = 200, kIdFisc = 201;

HINSTANCE Modulo() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

// A stock GDI object through a run-time link to GDI32, which every
// process with windows has loaded; null when it cannot be found.
HFONT LetraDeStock(int cual) {
  using Funcion = HGDIOBJ(WINAPI*)(int);
  static const Funcion funcion = [] {
    HMODULE gdi = GetModuleHandleA("gdi32.dll");
    if (!gdi) gdi = LoadLibraryA("gdi32.dll");
    return gdi ? reinterpret_cast<Funcion>(
                     reinterpret_cast<void*>(GetProcAddress(gdi, "GetStockObject")))
               : nullptr;
  }();
  return funcion ? static_cast<HFONT>(funcion(cual)) : nullptr;
}

bool escape_pendiente = false;
HWND progreso = nullptr;
HWND barra = nullptr;
HWND hoja = nullptr;
HWND animacion = nullptr;

LRESULT CALLBACK ProcedimientoVentana(HWND h, UINT mensaje, WPARAM w, LPARAM l) {
  switch (mensaje) {
    case WM_COMMAND:
      if (LOWORD(w) == IDOK || LOWORD(w) == IDCANCEL) DestroyWindow(h);
      return 0;
    case WM_SETCURSOR:
      // The button's tip, in a line beside it while the mouse is over it.
      if (HWND tip = GetDlgItem(h, kIdTip)) {
        SetWindowTextA(tip, GetDlgCtrlID(reinterpret_cast<HWND>(w)) == IDOK ? kTip : "");
      }
      break;
    case WM_CLOSE:
      if (h == progreso) return 0;  // it goes when the command ends
      if (h == hoja) {              // asks to stop waiting, as ESC does
        escape_pendiente = true;
        return 0;
      }
      DestroyWindow(h);
      return 0;
    default: break;
  }
  return DefWindowProcA(h, mensaje, w, l);
}

// The bar: the part done, from 0 to 100 kept in the window's user data.
LRESULT CALLBACK ProcedimientoBarra(HWND h, UINT mensaje, WPARAM w, LPARAM l) {
  if (mensaje != WM_PAINT) return DefWindowProcA(h, mensaje, w, l);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  RECT r;
  GetClientRect(h, &r);
  FillRect(dc, &r, GetSysColorBrush(COLOR_WINDOW));
  DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  const LONG_PTR hecho = GetWindowLongPtrA(h, GWLP_USERDATA);
  r.right = r.left + static_cast<LONG>((r.right - r.left) * hecho / 100);
  if (r.right > r.left) FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
  EndPaint(h, &ps);
  return 0;
}

// The classes belong to this library; a class left by an earlier load of
// it would point into unloaded code, so it is registered anew.
bool RegistrarClases() {
  static bool hecho = false;
  if (hecho) return true;
  for (auto [nombre, procedimiento] :
       {std::pair{kClaseVentana, &ProcedimientoVentana}, std::pair{kClaseBarra, &ProcedimientoBarra}}) {
    UnregisterClassA(nombre, Modulo());
    WNDCLASSA c{};
    c.lpfnWndProc = procedimiento;
    c.hInstance = Modulo();
    c.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    c.lpszClassName = nombre;
    if (!RegisterClassA(&c)) return false;
  }
  hecho = true;
  return true;
}

// A top-level window whose client area is `ancho` by `alto`, centred.
HWND CrearVentana(const char* titulo, int ancho, int alto, DWORD estilo, DWORD extendido) {
  if (!RegistrarClases()) return nullptr;
  RECT r{0, 0, ancho, alto};
  AdjustWindowRectEx(&r, estilo, FALSE, extendido);
  const int w = r.right - r.left, h = r.bottom - r.top;
  const int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
  return CreateWindowExA(extendido, kClaseVentana, titulo, estilo, x, y, w, h, nullptr, nullptr,
                         Modulo(), nullptr);
}

HWND Control(HWND padre, const char* clase, const char* texto, DWORD estilo, int x, int y,
             int w, int h, int id, HFONT letra) {
  HWND c = CreateWindowExA(0, clase, texto, estilo | WS_CHILD | WS_VISIBLE, x, y, w, h, padre,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Modulo(), nullptr);
  if (c && letra) SendMessageA(c, WM_SETFONT, reinterpret_cast<WPARAM>(letra), FALSE);
  return c;
}

std::string Cortado(std::string_view texto, size_t ancho) {
  std::string r(texto.substr(0, std::min(ancho, texto.size())));
  r.resize(ancho, ' ');
  return r;
}

// Handles what is waiting for one of these windows, without blocking.
void Atender(HWND ventana) {
  MSG m;
  while (ventana && IsWindow(ventana) && PeekMessageA(&m, ventana, 0, 0, PM_REMOVE)) {
    if (m.message == WM_KEYDOWN && m.wParam == VK_ESCAPE) escape_pendiente = true;
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
}

void Destruir(HWND& ventana) {
  if (ventana && IsWindow(ventana)) DestroyWindow(ventana);
  ventana = nullptr;
}

}  // namespace

namespace ventanas {

void MostrarRespuesta(const VentanaRespuesta& v) {
  HFONT fija = LetraDeStock(ANSI_FIXED_FONT);
  HFONT normal = LetraDeStock(DEFAULT_GUI_FONT);
  constexpr int kCaracter = 8;  // pixels of the stock fixed font
  const int ancho_lista = static_cast<int>(kAnchoEtiqueta + 1 + kAnchoValor) * kCaracter + 24;
  const int ancho = ancho_lista + 20, alto = 330;
  const DWORD estilo = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  HWND h = CrearVentana("Respuesta impresora fiscal", ancho, alto, estilo, WS_EX_DLGMODALFRAME);
  if (!h) return;  // nobody can see it: the host still has LP_Resultado

  const std::string titulo(v.titulo.substr(0, std::min(kAnchoTitulo, v.titulo.size())));
  Control(h, "STATIC", titulo.c_str(), SS_LEFT, 10, 8, ancho - 20, 20, -1, normal);
  HWND lista = Control(h, "LISTBOX", "",
                       LBS_NOSEL | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_BORDER,
                       10, 32, ancho_lista, alto - 110, -1, fija);
  for (const FilaRespuesta& f : v.filas) {
    const std::string fila = Cortado(f.etiqueta, kAnchoEtiqueta) + ' ' + Cortado(f.valor, kAnchoValor);
    SendMessageA(lista, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(fila.c_str()));
  }
  SendMessageA(lista, LB_SETHORIZONTALEXTENT, ancho_lista, 0);
  const std::string estado(v.estado.substr(0, std::min(kAnchoEstado, v.estado.size())));
  Control(h, "STATIC", estado.c_str(), SS_LEFT | SS_SUNKEN, 10, alto - 70, ancho - 90, 22, -1,
          fija);
  if (v.fiscalizada) {
    HWND fisc = Control(h, "BUTTON", "Fisc", BS_CHECKBOX, ancho - 70, alto - 70, 60, 22, kIdFisc,
                        normal);
    SendMessageA(fisc, BM_SETCHECK, BST_CHECKED, 0);
  }
  // The Hasar window answers with "Aceptar", the Epson one with "Cerrar".
  const char* boton = kDriver.marca == "HASAR" ? "Aceptar" : "Cerrar";
  HWND cerrar = Control(h, "BUTTON", boton, BS_DEFPUSHBUTTON | WS_TABSTOP, ancho / 2 - 50,
                        alto - 38, 100, 28, IDOK, normal);
  Control(h, "STATIC", "", SS_LEFT, ancho / 2 + 60, alto - 32, ancho / 2 - 70, 20, kIdTip, normal);

  ShowWindow(h, SW_SHOW);
  SetForegroundWindow(h);
  SetFocus(cerrar);
  MSG m;
  while (IsWindow(h)) {
    const BOOL r = GetMessageA(&m, nullptr, 0, 0);
    if (r == 0) {  // the host is ending: leave the request for its own loop
      PostQuitMessage(static_cast<int>(m.wParam));
      break;
    }
    if (r == -1) break;
    if (!IsDialogMessageA(h, &m)) {
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
  }
  if (IsWindow(h)) DestroyWindow(h);
}

void AbrirProgreso() {
  if (!progreso || !IsWindow(progreso)) {
    progreso = CrearVentana("Imprimiendo", 260, 80, WS_POPUP | WS_CAPTION,
                            WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
    if (!progreso) return;
    Control(progreso, "STATIC", "Imprimiendo", SS_LEFT, 15, 10, 230, 20, -1,
            LetraDeStock(DEFAULT_GUI_FONT));
    barra = Control(progreso, kClaseBarra, "", 0, 15, 38, 230, 22, -1, nullptr);
  }
  AvanzarProgreso(0);
  ShowWindow(progreso, SW_SHOWNOACTIVATE);
  UpdateWindow(progreso);
  Atender(progreso);
}

void AvanzarProgreso(int porcentaje) {
  if (!barra || !IsWindow(barra)) return;
  SetWindowLongPtrA(barra, GWLP_USERDATA, std::clamp(porcentaje, 0, 100));
  InvalidateRect(barra, nullptr, FALSE);
  UpdateWindow(barra);
  Atender(progreso);
}

void CerrarProgreso() {
  Destruir(progreso);
  barra = nullptr;
}

void AbrirHojaSuelta() {
  Destruir(hoja);
  hoja = CrearVentana("Hoja suelta", 320, 100, WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_TOPMOST);
  if (!hoja) return;
  HFONT normal = LetraDeStock(DEFAULT_GUI_FONT);
  Control(hoja, "STATIC", "Colocar hoja suelta para continuar", SS_LEFT, 15, 8, 290, 20, -1,
          normal);
  animacion = Control(hoja, "STATIC", "...", SS_LEFT, 15, 36, 290, 20, -1, normal);
  Control(hoja, "STATIC", "Presione ESC para suspender", SS_LEFT, 15, 64, 290, 20, -1, normal);
  ShowWindow(hoja, SW_SHOW);
  SetForegroundWindow(hoja);
  UpdateWindow(hoja);
  Atender(hoja);
}

void AnimarHojaSuelta(int asteriscos) {
  if (!animacion || !IsWindow(animacion)) return;
  const int n = std::clamp(asteriscos, 0, kAsteriscosMaximos);
  SetWindowTextA(animacion, n == 0 ? "..." : std::string(static_cast<size_t>(n), '*').c_str());
  UpdateWindow(hoja);
  Atender(hoja);
}

void CerrarHojaSuelta() {
  Destruir(hoja);
  animacion = nullptr;
}

// Bit 0 of the key state: pressed since the previous poll; bit 15: held
// down now.
bool EscapePulsado() {
  Atender(hoja);
  const bool pulsado = escape_pendiente || (GetAsyncKeyState(VK_ESCAPE) & 0x8001) != 0;
  escape_pendiente = false;
  return pulsado;
}

void DescartarTeclas() {
  Atender(hoja);
  GetAsyncKeyState(VK_ESCAPE);
  escape_pendiente = false;
}

}  // namespace ventanas

}  // namespace fiscal

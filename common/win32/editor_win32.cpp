// The parameter editor as a Win32 dialog built in memory from the shared
// control table. Only USER32 and KERNEL32: the dialog manager makes the
// Arial font from the template, spin boxes are edit fields with a range
// check, and the buttons' tips show in a line beside them while the mouse
// is over them (tooltips would need the common controls library).
#include <windows.h>

#include <string>
#include <vector>

#include "../../resources/editor_parametros.h"
#include "../driver.h"
#include "../edicion_parametros.h"
#include "operador_win32.h"

namespace fiscal {

namespace {

using editor::Campo;
using editor::Clase;
using editor::Control;

constexpr int kPrimerId = 100;  // control n of the table has id kPrimerId + n
constexpr int kIdAyuda = 99;    // the line that shows the buttons' tips
constexpr editor::Caja kCajaAyuda{310, 478, 290, 20};

// Table pixels to dialog units of 8-point Arial (about 7 by 14 pixels per
// base unit).
short Dx(int px) { return static_cast<short>(px * 4 / 7); }
short Dy(int py) { return static_cast<short>(py * 4 / 7); }

std::wstring Ancho(std::string_view cp1252) {
  if (cp1252.empty()) return {};
  const int n = MultiByteToWideChar(1252, 0, cp1252.data(), static_cast<int>(cp1252.size()),
                                    nullptr, 0);
  std::wstring r(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(1252, 0, cp1252.data(), static_cast<int>(cp1252.size()), r.data(), n);
  return r;
}

// An in-memory dialog template: DLGTEMPLATE, then one DLGITEMTEMPLATE per
// control, each on a DWORD boundary.
class Plantilla {
 public:
  Plantilla(const std::wstring& titulo, int ancho, int alto, int controles) {
    Dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER);
    Dword(0);
    Word(static_cast<WORD>(controles));
    Word(0), Word(0), Word(Dx(ancho)), Word(Dy(alto));
    Word(0), Word(0);  // no menu, default class
    Texto(titulo);
    Word(editor::kPuntos);
    Texto(Ancho(editor::kFuente));
  }
  void Agregar(DWORD estilo, editor::Caja c, WORD id, WORD clase, const std::wstring& texto) {
    while (datos_.size() % 2) datos_.push_back(0);
    Dword(estilo | WS_CHILD | WS_VISIBLE);
    Dword(0);
    Word(Dx(c.x)), Word(Dy(c.y)), Word(Dx(c.w)), Word(Dy(c.h));
    Word(id);
    Word(0xFFFF), Word(clase);
    Texto(texto);
    Word(0);  // no creation data
  }
  const DLGTEMPLATE* Datos() const { return reinterpret_cast<const DLGTEMPLATE*>(datos_.data()); }

 private:
  void Word(int w) { datos_.push_back(static_cast<WORD>(w)); }
  void Dword(DWORD d) { Word(LOWORD(d)), Word(HIWORD(d)); }
  void Texto(const std::wstring& t) {
    for (wchar_t c : t) Word(static_cast<WORD>(c));
    Word(0);
  }
  // WORDs, so the start is DWORD-aligned and padding counts in WORDs.
  std::vector<WORD> datos_;
};

constexpr WORD kBoton = 0x0080, kEdicion = 0x0081, kEstatico = 0x0082, kCombo = 0x0085;

class DialogoEditor {
 public:
  explicit DialogoEditor(EdicionParametros& edicion)
      : edicion_(edicion), dialogo_(editor::DialogoDe(kDriver.marca)) {}

  ResultadoDialogo Mostrar() {
    const auto& controles = dialogo_.controles;
    Plantilla p(Ancho(edicion_.Titulo()), dialogo_.ancho, dialogo_.alto,
                static_cast<int>(controles.size()) + 1);
    for (size_t i = 0; i < controles.size(); ++i) {
      const Control& c = controles[i];
      const WORD id = static_cast<WORD>(kPrimerId + i);
      const std::wstring texto = Ancho(c.etiqueta);
      // A new group starts at every control but the second and later
      // radio buttons of one option, so each option is its own set.
      const bool sigue_opcion = c.clase == Clase::Opcion && i > 0 &&
                                controles[i - 1].clase == Clase::Opcion &&
                                controles[i - 1].campo == c.campo;
      const DWORD grupo = sigue_opcion ? 0 : WS_GROUP;
      editor::Caja caja = c.caja;
      switch (c.clase) {
        case Clase::Grupo: p.Agregar(BS_GROUPBOX | grupo, caja, id, kBoton, texto); break;
        case Clase::Etiqueta:
          p.Agregar(SS_LEFT | SS_CENTERIMAGE | grupo, caja, id, kEstatico, texto);
          break;
        case Clase::Giro:
          p.Agregar(ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | grupo, caja, id,
                    kEdicion, L"");
          break;
        case Clase::Lista:
          caja.h = 200;  // with the list open
          p.Agregar(CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP | grupo, caja, id,
                    kCombo, L"");
          break;
        case Clase::Marca:
          p.Agregar(BS_AUTOCHECKBOX | WS_TABSTOP | grupo, caja, id, kBoton, texto);
          break;
        case Clase::Opcion:
          p.Agregar(BS_AUTORADIOBUTTON | WS_TABSTOP | grupo, caja, id, kBoton, texto);
          break;
        case Clase::Muestra:
          p.Agregar(ES_READONLY | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | grupo, caja, id,
                    kEdicion, L"");
          break;
        case Clase::Boton:
          p.Agregar(BS_PUSHBUTTON | WS_TABSTOP | grupo, caja, id, kBoton, texto);
          break;
      }
    }
    p.Agregar(SS_LEFT | WS_GROUP, kCajaAyuda, kIdAyuda, kEstatico, L"");
    const INT_PTR r = DialogBoxIndirectParamA(GetModuleHandleA(nullptr), p.Datos(), nullptr,
                                              Procedimiento, reinterpret_cast<LPARAM>(this));
    if (r == -1) return ResultadoDialogo::SinPantalla;
    return r == 1 ? ResultadoDialogo::Grabado : ResultadoDialogo::Cerrado;
  }

 private:
  static INT_PTR CALLBACK Procedimiento(HWND h, UINT mensaje, WPARAM w, LPARAM l) {
    if (mensaje == WM_INITDIALOG) {
      SetWindowLongPtrA(h, DWLP_USER, l);
      auto* d = reinterpret_cast<DialogoEditor*>(l);
      d->ventana_ = h;
      d->Preparar();
      d->MostrarValores();
      return TRUE;
    }
    auto* d = reinterpret_cast<DialogoEditor*>(GetWindowLongPtrA(h, DWLP_USER));
    if (!d) return FALSE;
    switch (mensaje) {
      case WM_COMMAND: return d->Orden(LOWORD(w), HIWORD(w));
      case WM_SETCURSOR: d->Ayuda(reinterpret_cast<HWND>(w)); return FALSE;
      case WM_CLOSE: EndDialog(h, 0); return TRUE;
      default: return FALSE;
    }
  }

  HWND Item(size_t i) const { return GetDlgItem(ventana_, static_cast<int>(kPrimerId + i)); }

  void Preparar() {
    const auto& controles = dialogo_.controles;
    for (size_t i = 0; i < controles.size(); ++i) {
      const Control& c = controles[i];
      if (c.clase == Clase::Giro || c.clase == Clase::Muestra) {
        SendMessageA(Item(i), EM_LIMITTEXT, c.digitos, 0);
      } else if (c.clase == Clase::Lista) {
        for (const char* o : c.opciones)
          SendMessageA(Item(i), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(o));
        SendMessageA(Item(i), CB_LIMITTEXT, decltype(Parametros::LP_ImpresoraConfig)::kAncho, 0);
      }
    }
  }

  void MostrarValores() {
    const auto& controles = dialogo_.controles;
    for (size_t i = 0; i < controles.size(); ++i) {
      const Control& c = controles[i];
      const std::string valor = c.campo == Campo::TextoImpresora
                                    ? edicion_.TextoImpresora()
                                    : editor::LeerCampo(edicion_.copia, c.campo);
      switch (c.clase) {
        case Clase::Giro:
          SetWindowTextA(Item(i), std::to_string(editor::Acotado(c, valor)).c_str());
          break;
        case Clase::Lista:
        case Clase::Muestra: SetWindowTextA(Item(i), valor.c_str()); break;
        case Clase::Marca:
        case Clase::Opcion:
          SendMessageA(Item(i), BM_SETCHECK, valor == c.valor ? BST_CHECKED : BST_UNCHECKED, 0);
          break;
        default: break;
      }
    }
  }

  std::string TextoDe(size_t i) const {
    char buffer[64] = {};
    GetWindowTextA(Item(i), buffer, sizeof buffer);
    return buffer;
  }

  void TomarValores() {
    ValoresParametros& v = edicion_.copia;
    const auto& controles = dialogo_.controles;
    for (size_t i = 0; i < controles.size(); ++i) {
      const Control& c = controles[i];
      const bool marcado = SendMessageA(Item(i), BM_GETCHECK, 0, 0) == BST_CHECKED;
      switch (c.clase) {
        case Clase::Giro:
          editor::PonerCampo(v, c.campo, std::to_string(editor::Acotado(c, TextoDe(i))));
          break;
        case Clase::Lista: editor::PonerCampo(v, c.campo, TextoDe(i)); break;
        case Clase::Marca: editor::PonerCampo(v, c.campo, marcado ? c.valor : c.valor_no); break;
        case Clase::Opcion:
          if (marcado) editor::PonerCampo(v, c.campo, c.valor);
          break;
        default: break;
      }
    }
  }

  INT_PTR Orden(WORD id, WORD aviso) {
    if (id == IDCANCEL) {  // ESC
      EndDialog(ventana_, 0);
      return TRUE;
    }
    if (id == IDOK) {  // Enter: a button is pressed, anywhere else the focus moves on
      const int foco = GetDlgCtrlID(GetFocus());
      const size_t i = static_cast<size_t>(foco - kPrimerId);
      if (foco >= kPrimerId && i < dialogo_.controles.size() &&
          dialogo_.controles[i].clase == Clase::Boton) {
        return Orden(static_cast<WORD>(foco), BN_CLICKED);
      }
      SendMessageA(ventana_, WM_NEXTDLGCTL, 0, FALSE);
      return TRUE;
    }
    const size_t i = static_cast<size_t>(id - kPrimerId);
    if (id < kPrimerId || i >= dialogo_.controles.size()) return FALSE;
    const Control& c = dialogo_.controles[i];
    if (c.clase == Clase::Giro && aviso == EN_KILLFOCUS) {
      const std::string acotado = std::to_string(editor::Acotado(c, TextoDe(i)));
      if (acotado != TextoDe(i)) SetWindowTextA(Item(i), acotado.c_str());
    } else if (c.campo == Campo::TipoComprobante && aviso == BN_CLICKED) {
      TomarValores();
      edicion_.CambiarTipoComprobante(c.valor);
      MostrarValores();
    } else if (c.campo == Campo::Grabar && aviso == BN_CLICKED) {
      TomarValores();
      edicion_.Grabar();
      EndDialog(ventana_, 1);
    } else if (c.campo == Campo::Salir && aviso == BN_CLICKED) {
      EndDialog(ventana_, 0);
    } else {
      return FALSE;
    }
    return TRUE;
  }

  // The tip of the button under the mouse, or nothing.
  void Ayuda(HWND bajo_raton) {
    const int id = GetDlgCtrlID(bajo_raton);
    const size_t i = static_cast<size_t>(id - kPrimerId);
    const char* tip = "";
    if (id >= kPrimerId && i < dialogo_.controles.size() && dialogo_.controles[i].ayuda) {
      tip = dialogo_.controles[i].ayuda;
    }
    if (tip != tip_) SetDlgItemTextA(ventana_, kIdAyuda, tip);
    tip_ = tip;
  }

  EdicionParametros& edicion_;
  const editor::Dialogo& dialogo_;
  HWND ventana_ = nullptr;
  const char* tip_ = "";
};

}  // namespace

ResultadoDialogo EditarParametrosWin32(EdicionParametros& edicion) {
  return DialogoEditor(edicion).Mostrar();
}

}  // namespace fiscal

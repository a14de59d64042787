// FLTK message boxes and the choice between the FLTK and console operators.
#include "operador_fltk.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

#include <algorithm>
#include <string>
#include <utility>

#include "../texto.h"
#include "../ventanas.h"
#include "operador_fltk_ventana.h"

namespace fiscal {

namespace {

std::function<void(Fl_Window&)>& Gancho() {
  static std::function<void(Fl_Window&)> gancho;
  return gancho;
}

struct Aspecto {
  const char* letra;
  Fl_Color color;
};

Aspecto AspectoDe(Icono i) {
  switch (i) {
    case Icono::Informacion: return {"i", FL_BLUE};
    case Icono::Advertencia: return {"!", fl_rgb_color(200, 150, 0)};
    case Icono::Exclamacion: return {"!", fl_rgb_color(230, 110, 0)};
    case Icono::Error: return {"X", FL_RED};
  }
  return {"i", FL_BLUE};
}

// Enter presses the button that has the focus, as Space does.
class VentanaMensaje final : public Fl_Window {
 public:
  using Fl_Window::Fl_Window;
  int handle(int evento) override {
    const int tecla = Fl::event_key();
    if (evento == FL_KEYBOARD && (tecla == FL_Enter || tecla == FL_KP_Enter) && Fl::focus() &&
        Fl::focus()->window() == this) {
      Fl::focus()->do_callback();
      return 1;
    }
    return Fl_Window::handle(evento);
  }
};

// A modal box with an icon, the text and one or two buttons; the default
// button has the focus, so Enter or Space answers with it.
class CajaMensaje {
 public:
  explicit CajaMensaje(const Mensaje& m) : mensaje_(m) {}

  Respuesta Mostrar() {
    const std::string texto = fltk::SinSimbolos(fltk::ParaMostrar(mensaje_.texto));
    fl_font(FL_HELVETICA, fltk::kLetra);
    int w = 0, h = 0;
    fl_measure(texto.c_str(), w, h, 1);
    const int ancho_texto = std::clamp(w + 10, 160, 700);
    const int alto_texto = std::max(h + 10, 44);
    const int ancho = std::max(70 + ancho_texto, 220);
    const int alto = 20 + alto_texto + 50;

    VentanaMensaje ventana(ancho, alto);
    ventana.copy_label(fltk::ParaMostrar(mensaje_.titulo).c_str());
    ventana.callback(Cerrar, this);

    const Aspecto a = AspectoDe(mensaje_.icono);
    Fl_Box icono(15, 20, 40, 40, a.letra);
    icono.box(FL_OVAL_BOX);
    icono.color(a.color);
    icono.labelcolor(FL_WHITE);
    icono.labelfont(FL_TIMES_BOLD);
    icono.labelsize(28);

    Fl_Box cuerpo(65, 15, ancho_texto, alto_texto);
    cuerpo.copy_label(texto.c_str());
    cuerpo.labelfont(FL_HELVETICA);
    cuerpo.labelsize(fltk::kLetra);
    cuerpo.align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_WRAP);

    const int y = alto - 40;
    Fl_Button si(ancho / 2 - 95, y, 90, 28, "S\xC3\xAD");
    Fl_Button no(ancho / 2 + 5, y, 90, 28, "No");
    Fl_Button aceptar(ancho / 2 - 45, y, 90, 28, "Aceptar");
    si.callback(Pulsado, &respuestas_[0]);
    no.callback(Pulsado, &respuestas_[1]);
    aceptar.callback(Pulsado, &respuestas_[2]);
    for (Fl_Button* b : {&si, &no, &aceptar}) b->labelsize(fltk::kLetra);
    ventana.end();

    if (mensaje_.botones == Botones::SiNo) {
      aceptar.hide();
      (mensaje_.defecto == Respuesta::No ? no : si).take_focus();
    } else {
      si.hide();
      no.hide();
      aceptar.take_focus();
    }
    respuesta_ = mensaje_.defecto;
    fltk::EsperarCierre(ventana);
    return respuesta_;
  }

 private:
  struct Boton {
    CajaMensaje* caja;
    Respuesta respuesta;
  };

  static void Pulsado(Fl_Widget* w, void* datos) {
    auto* b = static_cast<Boton*>(datos);
    b->caja->respuesta_ = b->respuesta;
    w->window()->hide();
  }
  // The close box and ESC: an OK box closes as OK; a question must be
  // answered with one of its buttons.
  static void Cerrar(Fl_Widget* w, void* datos) {
    auto* caja = static_cast<CajaMensaje*>(datos);
    if (caja->mensaje_.botones == Botones::Aceptar) w->hide();
  }

  const Mensaje& mensaje_;
  Respuesta respuesta_ = Respuesta::Aceptar;
  Boton respuestas_[3] = {
      {this, Respuesta::Si}, {this, Respuesta::No}, {this, Respuesta::Aceptar}};
};

class OperadorFltkX final : public OperadorConVentanas {
 public:
  Respuesta Mostrar(const Mensaje& m) override { return CajaMensaje(m).Mostrar(); }
  ResultadoDialogo EditarParametros(EdicionParametros& edicion) override {
    return fltk::EditarParametros(edicion);
  }
};

Operador* Elegir() {
  if (!fl_display) {
    Display* pantalla = XOpenDisplay(nullptr);
    if (!pantalla) return nullptr;
    fl_open_display(pantalla);
  }
  static OperadorFltkX operador;
  return &operador;
}

}  // namespace

namespace fltk {

void EsperarCierre(Fl_Window& ventana) {
  ventana.set_modal();
  ventana.position((Fl::w() - ventana.w()) / 2, (Fl::h() - ventana.h()) / 2);
  ventana.show();
  AvisarGancho(ventana);
  while (ventana.shown()) Fl::wait();
}

void AvisarGancho(Fl_Window& ventana) {
  if (!Gancho()) return;
  Fl::flush();
  Gancho()(ventana);
}

std::string SinSimbolos(std::string_view texto) {
  std::string r;
  for (char c : texto) {
    r += c;
    if (c == '@') r += c;
  }
  return r;
}

std::string ParaMostrar(std::string_view texto) {
  std::string t = Cp1252AUtf8(texto);
  std::replace(t.begin(), t.end(), '|', '\n');
  return t;
}

}  // namespace fltk

Operador* OperadorFltk() {
  static Operador* operador = Elegir();
  return operador;
}

void PonerGanchoVentanas(std::function<void(Fl_Window&)> gancho) { Gancho() = std::move(gancho); }

}  // namespace fiscal

// The parameter editor drawn with FLTK from the shared control table.
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Output.H>
#include <FL/Fl_Round_Button.H>
#include <FL/Fl_Spinner.H>
#include <FL/Fl_Window.H>

#include <memory>
#include <string>
#include <vector>

#include "../../resources/editor_parametros.h"
#include "../driver.h"
#include "../edicion_parametros.h"
#include "../plataforma.h"
#include "../texto.h"
#include "operador_fltk_ventana.h"

namespace fiscal::fltk {

namespace {

using editor::Campo;
using editor::Clase;
using editor::Control;

struct Pieza {
  const Control* control;
  Fl_Widget* widget;
};

class VentanaEditor;

// Enter moves the focus on like Tab; on a button it presses it.
class Ventana final : public Fl_Window {
 public:
  Ventana(int w, int h, VentanaEditor& editor) : Fl_Window(w, h), editor_(editor) {}
  int handle(int evento) override;

 private:
  VentanaEditor& editor_;
};

class VentanaEditor {
 public:
  explicit VentanaEditor(EdicionParametros& edicion)
      : edicion_(edicion), dialogo_(editor::DialogoDe(kDriver.marca)) {}

  ResultadoDialogo Mostrar() {
    Ventana ventana(dialogo_.ancho, dialogo_.alto, *this);
    ventana.copy_label(ParaMostrar(edicion_.Titulo()).c_str());
    for (const Control& c : dialogo_.controles) Crear(c);
    ventana.end();
    MostrarValores();
    EsperarCierre(ventana);
    return grabado_ ? ResultadoDialogo::Grabado : ResultadoDialogo::Cerrado;
  }

  // The piece after the one holding the focus, in tab order.
  void Siguiente() {
    Fl_Widget* foco = Fl::focus();
    size_t actual = piezas_.size();
    for (size_t i = 0; i < piezas_.size(); ++i) {
      Fl_Widget* w = piezas_[i].widget;
      if (w == foco || (w->as_group() && w->as_group()->contains(foco))) actual = i;
    }
    for (size_t paso = 1; paso <= piezas_.size(); ++paso) {
      Fl_Widget* w = piezas_[(actual + paso) % piezas_.size()].widget;
      if (w->visible_focus() && w->take_focus()) return;
    }
  }
  bool EsBoton(Fl_Widget* w) const {
    for (const Pieza& p : piezas_)
      if (p.widget == w) return p.control->clase == Clase::Boton;
    return false;
  }

 private:
  void Crear(const Control& c) {
    const auto [x, y, w, h] = c.caja;
    const std::string etiqueta = ParaMostrar(c.etiqueta);
    Fl_Widget* widget = nullptr;
    switch (c.clase) {
      case Clase::Grupo: {
        // A frame, and its caption on the frame line over a patch of
        // background.
        new Fl_Box(FL_ENGRAVED_FRAME, x, y + 7, w, h - 7, nullptr);
        auto* t = new Fl_Box(FL_FLAT_BOX, x + 8, y, 0, 14, nullptr);
        t->copy_label(etiqueta.c_str());
        t->labelsize(kLetra);
        int lw = 0, lh = 0;
        t->measure_label(lw, lh);
        t->size(lw + 6, 14);
        return;
      }
      case Clase::Etiqueta: {
        auto* b = new Fl_Box(x, y, w, h);
        b->copy_label(etiqueta.c_str());
        b->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
        b->labelsize(kLetra);
        return;
      }
      case Clase::Giro: {
        auto* s = new Fl_Spinner(x, y, w, h);
        s->range(c.minimo, c.maximo);
        s->step(c.paso);
        s->textsize(kLetra);
        auto* entrada = static_cast<Fl_Input*>(s->child(0));
        entrada->maximum_size(c.digitos);
        // Enter must reach the window, which moves the focus on.
        entrada->when(FL_WHEN_RELEASE);
        widget = s;
        break;
      }
      case Clase::Lista: {
        auto* l = new Fl_Choice(x, y, w, h);
        for (const char* o : c.opciones) l->add(o);
        l->textsize(kLetra);
        widget = l;
        break;
      }
      case Clase::Marca:
        widget = new Fl_Check_Button(x, y, w, h);
        break;
      case Clase::Opcion: {
        widget = new Fl_Round_Button(x, y, w, h);
        widget->callback(Elegida, this);
        break;
      }
      case Clase::Muestra: {
        auto* o = new Fl_Output(x, y, w, h);
        o->textfont(FL_COURIER);
        o->textsize(kLetra);
        o->color(FL_BACKGROUND_COLOR);
        widget = o;
        break;
      }
      case Clase::Boton: {
        widget = new Fl_Button(x, y, w, h);
        widget->tooltip(c.ayuda);
        widget->callback(c.campo == Campo::Grabar ? Grabar : Salir, this);
        break;
      }
    }
    if (c.clase == Clase::Marca || c.clase == Clase::Opcion || c.clase == Clase::Boton) {
      widget->copy_label(etiqueta.c_str());
      widget->labelsize(kLetra);
    }
    piezas_.push_back({&c, widget});
  }

  void MostrarValores() {
    const ValoresParametros& v = edicion_.copia;
    for (const Pieza& p : piezas_) {
      const Control& c = *p.control;
      const std::string valor = c.campo == Campo::TextoImpresora
                                    ? edicion_.TextoImpresora()
                                    : editor::LeerCampo(v, c.campo);
      switch (c.clase) {
        case Clase::Giro:
          static_cast<Fl_Spinner*>(p.widget)->value(editor::Acotado(c, valor));
          break;
        case Clase::Lista: {
          auto* l = static_cast<Fl_Choice*>(p.widget);
          int i = l->find_index(valor.c_str());
          if (i < 0) {
            // A setting typed into the file: offered as one more choice.
            l->add(valor.c_str());
            i = l->find_index(valor.c_str());
          }
          l->value(i);
          break;
        }
        case Clase::Marca:
          static_cast<Fl_Button*>(p.widget)->value(valor == c.valor);
          break;
        case Clase::Opcion:
          static_cast<Fl_Button*>(p.widget)->value(valor == c.valor);
          break;
        case Clase::Muestra:
          static_cast<Fl_Output*>(p.widget)->value(Cp1252AUtf8(valor).c_str());
          break;
        default:
          break;
      }
    }
  }

  // The controls' values into the working copy.
  void TomarValores() {
    ValoresParametros& v = edicion_.copia;
    for (const Pieza& p : piezas_) {
      const Control& c = *p.control;
      switch (c.clase) {
        case Clase::Giro: {
          auto* s = static_cast<Fl_Spinner*>(p.widget);
          const int n = editor::Acotado(c, static_cast<Fl_Input*>(s->child(0))->value());
          editor::PonerCampo(v, c.campo, std::to_string(n));
          break;
        }
        case Clase::Lista: {
          auto* l = static_cast<Fl_Choice*>(p.widget);
          if (l->text()) editor::PonerCampo(v, c.campo, l->text());
          break;
        }
        case Clase::Marca:
          editor::PonerCampo(v, c.campo,
                             static_cast<Fl_Button*>(p.widget)->value() ? c.valor : c.valor_no);
          break;
        case Clase::Opcion:
          if (static_cast<Fl_Button*>(p.widget)->value()) editor::PonerCampo(v, c.campo, c.valor);
          break;
        default:
          break;
      }
    }
  }

  static void Elegida(Fl_Widget* w, void* datos) {
    auto* ed = static_cast<VentanaEditor*>(datos);
    const Control* elegido = nullptr;
    for (const Pieza& p : ed->piezas_)
      if (p.widget == w) elegido = p.control;
    // One choice per option: the others of the same field go off.
    for (const Pieza& p : ed->piezas_) {
      if (p.control->clase == Clase::Opcion && p.control->campo == elegido->campo)
        static_cast<Fl_Button*>(p.widget)->value(p.widget == w);
    }
    if (elegido->campo == Campo::TipoComprobante) {
      ed->TomarValores();
      ed->edicion_.CambiarTipoComprobante(elegido->valor);
      ed->MostrarValores();
    }
  }
  static void Grabar(Fl_Widget* w, void* datos) {
    auto* ed = static_cast<VentanaEditor*>(datos);
    ed->TomarValores();
    ed->edicion_.Grabar();
    ed->grabado_ = true;
    w->window()->hide();
  }
  static void Salir(Fl_Widget* w, void*) { w->window()->hide(); }

  EdicionParametros& edicion_;
  const editor::Dialogo& dialogo_;
  std::vector<Pieza> piezas_;
  bool grabado_ = false;
};

int Ventana::handle(int evento) {
  if (evento == FL_KEYBOARD &&
      (Fl::event_key() == FL_Enter || Fl::event_key() == FL_KP_Enter)) {
    if (editor_.EsBoton(Fl::focus())) {
      Fl::focus()->do_callback();
    } else {
      editor_.Siguiente();
    }
    return 1;
  }
  return Fl_Window::handle(evento);
}

}  // namespace

ResultadoDialogo EditarParametros(EdicionParametros& edicion) {
  return VentanaEditor(edicion).Mostrar();
}

}  // namespace fiscal::fltk

// The FLTK information window, the progress window and the loose-sheet
// prompt. The information window is modal; the other two stay on screen
// while the driver talks to the printer, so every change repaints them at
// once (Fl::check) and ESC is caught by the prompt's own event handler.
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Progress.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <memory>
#include <string>

#include "../driver.h"
#include "../plataforma.h"
#include "../texto.h"
#include "../ventanas.h"
#include "operador_fltk_ventana.h"

namespace fiscal::ventanas {

using namespace fltk;

namespace {

constexpr size_t kAnchoTitulo = 40;
constexpr size_t kAnchoEstado = 66;
constexpr int kCaracteresEtiqueta = 25;
constexpr int kCaracteresValor = 80;
constexpr int kAsteriscosMaximos = 40;

// A Windows-1252 text cut to `ancho` characters, ready for a label.
std::string Rotulo(std::string_view texto, size_t ancho) {
  return SinSimbolos(Cp1252AUtf8(texto.substr(0, std::min(ancho, texto.size()))));
}

// A list cell: UTF-8, and no tab, which would start a new column.
std::string Celda(std::string_view texto) {
  std::string r = Cp1252AUtf8(texto);
  std::replace(r.begin(), r.end(), '\t', ' ');
  return r;
}

void Centrar(Fl_Window& w) { w.position((Fl::w() - w.w()) / 2, (Fl::h() - w.h()) / 2); }

Fl_Box& Linea(int x, int y, int w, int h, Fl_Font letra = FL_HELVETICA) {
  auto* b = new Fl_Box(x, y, w, h);
  b->labelfont(letra);
  b->labelsize(kLetra);
  b->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_CLIP);
  return *b;
}

}  // namespace

void MostrarRespuesta(const VentanaRespuesta& v) {
  fl_font(FL_COURIER, kLetra);
  const int caracter = static_cast<int>(fl_width('M')) + 1;
  const int columnas[] = {(kCaracteresEtiqueta + 1) * caracter, kCaracteresValor * caracter, 0};
  const int ancho_lista = columnas[0] + columnas[1] + Fl::scrollbar_size() + 8;
  const int ancho = std::min(ancho_lista + 20, std::max(Fl::w(), 400));
  const int alto = 330;

  Fl_Window ventana(ancho, alto, "Respuesta impresora fiscal");
  Fl_Box& titulo = Linea(10, 8, ancho - 20, 22);
  titulo.copy_label(Rotulo(v.titulo, kAnchoTitulo).c_str());
  titulo.labelfont(FL_HELVETICA_BOLD);

  Fl_Browser lista(10, 34, ancho - 20, alto - 110);
  lista.textfont(FL_COURIER);
  lista.textsize(kLetra);
  lista.format_char(0);  // values are shown as they come
  lista.column_char('\t');
  lista.column_widths(columnas);
  for (const FilaRespuesta& f : v.filas) {
    lista.add((Celda(f.etiqueta) + '\t' + Celda(f.valor)).c_str());
  }

  Fl_Box& estado = Linea(10, alto - 70, ancho - 90, 24, FL_COURIER);
  estado.box(FL_THIN_DOWN_BOX);
  estado.copy_label(Rotulo(v.estado, kAnchoEstado).c_str());

  Fl_Check_Button fisc(ancho - 70, alto - 70, 60, 24, "Fisc");
  fisc.labelsize(kLetra);
  fisc.value(1);
  fisc.callback([](Fl_Widget* w, void*) { static_cast<Fl_Check_Button*>(w)->value(1); });
  if (!v.fiscalizada) fisc.hide();

  // The Hasar window answers with "Aceptar", the Epson one with "Cerrar".
  Fl_Return_Button cerrar(ancho / 2 - 50, alto - 38, 100, 28,
                          kDriver.marca == "HASAR" ? "Aceptar" : "Cerrar");
  cerrar.labelsize(kLetra);
  cerrar.tooltip("Cerrar la ventana");
  cerrar.callback([](Fl_Widget* w, void*) { w->window()->hide(); });
  ventana.end();
  cerrar.take_focus();
  EsperarCierre(ventana);
}

namespace {

class VentanaProgreso {
 public:
  VentanaProgreso() : ventana_(260, 80, "Imprimiendo") {
    Linea(15, 10, 230, 20).label("Imprimiendo");
    barra_ = new Fl_Progress(15, 38, 230, 22);
    barra_->minimum(0);
    barra_->maximum(100);
    barra_->selection_color(FL_BLUE);
    ventana_.end();
    ventana_.callback([](Fl_Widget*, void*) {});  // it goes when the command ends
    Centrar(ventana_);
  }
  void Mostrar() {
    barra_->value(0);
    ventana_.show();
    Fl::check();
    AvisarGancho(ventana_);
  }
  void Avanzar(int porcentaje) {
    barra_->value(static_cast<float>(std::clamp(porcentaje, 0, 100)));
    Fl::check();
  }
  void Ocultar() {
    ventana_.hide();
    Fl::check();
  }

 private:
  Fl_Window ventana_;
  Fl_Progress* barra_;
};

bool escape_pendiente = false;

// ESC and the close box both ask to stop waiting for the sheet.
class VentanaHoja final : public Fl_Window {
 public:
  VentanaHoja() : Fl_Window(320, 100, "Hoja suelta") {
    Linea(15, 8, 290, 24).label("Colocar hoja suelta para continuar");
    animacion_ = &Linea(15, 36, 290, 24);
    Linea(15, 64, 290, 24).label("Presione ESC para suspender");
    end();
    callback([](Fl_Widget*, void*) { escape_pendiente = true; });
    Centrar(*this);
  }
  int handle(int evento) override {
    if ((evento == FL_KEYBOARD || evento == FL_SHORTCUT) && Fl::event_key() == FL_Escape) {
      escape_pendiente = true;
      return 1;
    }
    return Fl_Window::handle(evento);
  }
  void Animar(int asteriscos) {
    const int n = std::clamp(asteriscos, 0, kAsteriscosMaximos);
    animacion_->copy_label(n == 0 ? "..." : std::string(static_cast<size_t>(n), '*').c_str());
    Fl::check();
  }

 private:
  Fl_Box* animacion_;
};

std::unique_ptr<VentanaProgreso>& Progreso() {
  static std::unique_ptr<VentanaProgreso> p;
  return p;
}
std::unique_ptr<VentanaHoja>& Hoja() {
  static std::unique_ptr<VentanaHoja> h;
  return h;
}

}  // namespace

void AbrirProgreso() {
  if (!Progreso()) Progreso() = std::make_unique<VentanaProgreso>();
  Progreso()->Mostrar();
}

void AvanzarProgreso(int porcentaje) {
  if (Progreso()) Progreso()->Avanzar(porcentaje);
}

void CerrarProgreso() {
  if (Progreso()) Progreso()->Ocultar();
}

void AbrirHojaSuelta() {
  if (!Hoja()) Hoja() = std::make_unique<VentanaHoja>();
  VentanaHoja& h = *Hoja();
  h.Animar(0);
  h.show();
  Fl::check();
  AvisarGancho(h);
}

void AnimarHojaSuelta(int asteriscos) {
  if (Hoja()) Hoja()->Animar(asteriscos);
}

void CerrarHojaSuelta() {
  if (!Hoja()) return;
  Hoja()->hide();
  Fl::check();
}

bool EscapePulsado() {
  Fl::check();
  const bool pulsado = escape_pendiente || Fl::get_key(FL_Escape) != 0;
  escape_pendiente = false;
  return pulsado;
}

void DescartarTeclas() {
  Fl::check();
  escape_pendiente = false;
}

}  // namespace fiscal::ventanas

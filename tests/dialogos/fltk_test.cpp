// The FLTK message box, parameter editor and the printer's windows on a
// virtual X server, driven
// from the window hook as an operator would. With DRVFISCAL_CAPTURAS set to
// a folder, each window is also saved there as a screenshot.
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Progress.H>
#include <FL/Fl_Round_Button.H>
#include <FL/Fl_Spinner.H>
#include <FL/Fl_Window.H>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "carpeta_temporal.h"
#include "common/driver.h"
#include "common/edicion_parametros.h"
#include "common/estado.h"
#include "common/lp_fiscal.h"
#include "common/posix/operador_fltk.h"
#include "common/texto.h"
#include "resources/editor_parametros.h"

// Xlib's macros (None, Bool, Status) would clash with the headers above.
#include <FL/x.H>
#include <X11/keysym.h>

namespace {

using fiscal::Param;

const bool kEpson = fiscal::kDriver.marca == "EPSON";

// Every widget of the window, in creation order (which is the tab order).
void Juntar(Fl_Group& g, std::vector<Fl_Widget*>& r) {
  for (int i = 0; i < g.children(); ++i) {
    r.push_back(g.child(i));
    if (auto* h = g.child(i)->as_group(); h && !dynamic_cast<Fl_Spinner*>(h)) Juntar(*h, r);
  }
}
std::vector<Fl_Widget*> Widgets(Fl_Window& w) {
  std::vector<Fl_Widget*> r;
  Juntar(w, r);
  return r;
}
template <typename T>
std::vector<T*> DeClase(Fl_Window& w) {
  std::vector<T*> r;
  for (Fl_Widget* x : Widgets(w))
    if (auto* t = dynamic_cast<T*>(x)) r.push_back(t);
  return r;
}
// The button labelled `etiqueta` (Windows-1252, as in the table).
Fl_Button* Boton(Fl_Window& w, const char* etiqueta) {
  const std::string buscada = fiscal::Cp1252AUtf8(etiqueta);
  for (Fl_Button* b : DeClase<Fl_Button>(w))
    if (b->label() && buscada == b->label()) return b;
  ADD_FAILURE() << "no button " << buscada;
  return nullptr;
}
void Pulsar(Fl_Window& w, const char* etiqueta) {
  if (Fl_Button* b = Boton(w, etiqueta)) {
    if (b->type() == FL_TOGGLE_BUTTON) b->value(1);  // what a click leaves
    b->do_callback();
  }
}
void Enter(Fl_Window& w) {
  Fl::e_keysym = FL_Enter;
  Fl::handle(FL_KEYBOARD, &w);
}
void Capturar(const std::string& nombre) {
  const char* carpeta = std::getenv("DRVFISCAL_CAPTURAS");
  if (!carpeta) return;
  for (int i = 0; i < 20; ++i) Fl::wait(0.02);
  const std::string orden = "import -window root '" + std::string(carpeta) + "/" + nombre + "'";
  EXPECT_EQ(0, std::system(orden.c_str()));
}
std::vector<int> Valores(const std::vector<Fl_Spinner*>& giros, size_t desde, size_t n) {
  std::vector<int> r;
  for (size_t i = desde; i < desde + n && i < giros.size(); ++i)
    r.push_back(static_cast<int>(giros[i]->value()));
  return r;
}

class DialogosFltk : public prueba::PruebaEnCarpeta {
 protected:
  void SetUp() override {
    prueba::PruebaEnCarpeta::SetUp();
    ASSERT_NE(nullptr, fiscal::OperadorFltk()) << "no X display";
    fiscal::Estado().entorno.operador = fiscal::OperadorFltk();
  }
  void TearDown() override {
    fiscal::PonerGanchoVentanas({});
    prueba::PruebaEnCarpeta::TearDown();
  }
  std::string Defecto() const { return carpeta.En("drvfiscal/fiscal.ini"); }
};

TEST_F(DialogosFltk, GrabarEscribeElArchivoConElTipoNuevo) {
  fiscal::Estado().ModeloImpresora = "LX-300F";
  fiscal::Estado().SerieLeida = "ABC1234567";
  std::vector<int> longitudes, emite_creditos;
  std::string titulo;
  fiscal::PonerGanchoVentanas([&](Fl_Window& w) {
    titulo = w.label();
    Capturar(std::string("editor_") + (kEpson ? "epson" : "hasar") + ".png");
    Pulsar(w, "FC=factura");
    EXPECT_EQ(0, Boton(w, "TQ=tique")->value());
    EXPECT_EQ(0, Boton(w, "TF=tique-factura")->value());
    // The port comes first; the six line lengths follow it.
    longitudes = Valores(DeClase<Fl_Spinner>(w), 1, 6);
    emite_creditos.push_back(Boton(w, " Emite Cr\xE9" "ditos")->value());
    Pulsar(w, "Grabar");
  });
  LP_EDITARPARAMETROS();
  EXPECT_EQ("Modificar parametros de impresion - " + std::string(fiscal::kDriver.marca) +
                " Ver 6.15",
            titulo);
  const std::vector<int> factura = kEpson ? std::vector<int>{23, 23, 40, 40, 40, 100}
                                          : std::vector<int>{50, 50, 50, 120, 106, 106};
  EXPECT_EQ(factura, longitudes);
  EXPECT_EQ(std::vector<int>{1}, emite_creditos);
  EXPECT_EQ("FC", Param().LP_TipoComprobante.Valor());
  EXPECT_EQ(1, LP_EmiteCRE);
  const std::string archivo = prueba::Contenido(Defecto());
  EXPECT_NE(std::string::npos, archivo.find("LP_TipoComprobante=FC")) << archivo;
  EXPECT_NE(std::string::npos, archivo.find("LP_LonLinFac=" + std::to_string(factura[1])));
  EXPECT_FALSE(fiscal::LeerFijo(LP_ParametrosLeidos).empty());
}

TEST_F(DialogosFltk, SalirNoGraba) {
  fiscal::PonerGanchoVentanas([&](Fl_Window& w) {
    auto* puerto = DeClase<Fl_Spinner>(w).front();
    static_cast<Fl_Input*>(puerto->child(0))->value("9");
    Pulsar(w, " Mostrar comandos");
    Pulsar(w, "Salir");
  });
  LP_EDITARPARAMETROS();
  EXPECT_EQ("", prueba::Contenido(Defecto()));
  EXPECT_EQ(2, Param().LP_ImpresoraPuerto);
  EXPECT_EQ(0, Param().LP_MostrarComandos);
  EXPECT_TRUE(fiscal::LeerFijo(LP_ParametrosLeidos).empty());
}

TEST_F(DialogosFltk, GiroFueraDeRangoSeAcota) {
  fiscal::PonerGanchoVentanas([&](Fl_Window& w) {
    static_cast<Fl_Input*>(DeClase<Fl_Spinner>(w).front()->child(0))->value("99");
    Pulsar(w, "Grabar");
  });
  LP_EDITARPARAMETROS();
  EXPECT_EQ(16, Param().LP_ImpresoraPuerto);
}

// Enter walks the controls in the table's order, like Tab, and stops at
// the buttons; on a button it presses it.
TEST_F(DialogosFltk, EnterAvanzaEnElOrdenDeTabulacion) {
  std::vector<std::string> esperadas;
  using fiscal::editor::Clase;
  for (const auto& c : fiscal::editor::DialogoDe(fiscal::kDriver.marca).controles) {
    if (c.clase == Clase::Marca || c.clase == Clase::Opcion) {
      esperadas.push_back(fiscal::Cp1252AUtf8(c.etiqueta));
    }
  }
  esperadas.push_back("Grabar");
  std::vector<std::string> vistas;
  fiscal::PonerGanchoVentanas([&](Fl_Window& w) {
    DeClase<Fl_Spinner>(w).front()->take_focus();
    for (int i = 0; i < 80; ++i) {
      Enter(w);
      auto* b = dynamic_cast<Fl_Button*>(Fl::focus());
      if (b && b->label()) vistas.push_back(b->label());
      if (!vistas.empty() && vistas.back() == "Grabar") break;
    }
    if (vistas.empty() || vistas.back() != "Grabar") return Pulsar(w, "Salir");
    Enter(w);  // on "Grabar": saves and closes
  });
  LP_EDITARPARAMETROS();
  EXPECT_EQ(esperadas, vistas);
  EXPECT_NE("", prueba::Contenido(Defecto()));
}

TEST_F(DialogosFltk, CajaDeMensajeConTituloLineasYBotonPorDefecto) {
  std::string titulo, foco;
  fiscal::PonerGanchoVentanas([&](Fl_Window& w) {
    titulo = w.label();
    if (auto* b = dynamic_cast<Fl_Button*>(Fl::focus())) foco = b->label();
    Capturar("mensaje.png");
    Enter(w);
  });
  const fiscal::Respuesta r = fiscal::ElOperador().Mostrar(
      {.texto = "Error al leer el puerto|Codigo=5|Acci\xF3n: reintentar",
       .titulo = "AVISO",
       .icono = fiscal::Icono::Exclamacion,
       .botones = fiscal::Botones::SiNo,
       .defecto = fiscal::Respuesta::No});
  EXPECT_EQ(fiscal::Respuesta::No, r);
  EXPECT_EQ("AVISO", titulo);
  EXPECT_EQ("No", foco);

  fiscal::PonerGanchoVentanas([&](Fl_Window& w) { w.do_callback(); });  // the close box
  EXPECT_EQ(fiscal::Respuesta::Aceptar,
            fiscal::ElOperador().Mostrar({.texto = "Hecho", .titulo = "ERROR",
                                          .icono = fiscal::Icono::Error}));
}

// The labels of the window's boxes, in creation order.
std::vector<std::string> Rotulos(Fl_Window& w) {
  std::vector<std::string> r;
  for (Fl_Box* b : DeClase<Fl_Box>(w)) r.push_back(b->label() ? b->label() : "");
  return r;
}

// ESC as the X server delivers it to the window, queued until the
// operator's next look at its events.
void PulsarEscape(Fl_Window& w) {
  XKeyEvent e{};
  e.type = KeyPress;
  e.display = fl_display;
  e.window = fl_xid(&w);
  e.root = DefaultRootWindow(fl_display);
  e.same_screen = True;
  e.keycode = XKeysymToKeycode(fl_display, XK_Escape);
  XSendEvent(fl_display, e.window, True, KeyPressMask, reinterpret_cast<XEvent*>(&e));
  e.type = KeyRelease;
  XSendEvent(fl_display, e.window, True, KeyReleaseMask, reinterpret_cast<XEvent*>(&e));
  XSync(fl_display, False);
}

struct CasoRespuesta {
  bool fiscalizada;
  bool con_caja_de_cierre;  // closed with the close box instead of the button
};

class VentanaRespuestaFltk : public DialogosFltk,
                             public ::testing::WithParamInterface<CasoRespuesta> {};

// The rows in two columns (Windows-1252 shown as UTF-8, "@" and tabs as
// plain text), the title and status lines, "Fisc" only when fiscalised,
// and the window waits until it is closed.
TEST_P(VentanaRespuestaFltk, MuestraLasFilasYEsperaElCierre) {
  const CasoRespuesta caso = GetParam();
  const std::vector<fiscal::FilaRespuesta> filas = {
      {"Ult.comprobante emitido  ", "00001234"},
      {"Raz\xF3n social             ", "Caf\xE9 @ la\tesquina"},
      {"Obs                      ", ""}};
  std::string caption, boton, tip;
  std::vector<std::string> rotulos, lineas;
  int columna_etiqueta = 0;
  bool fisc_visible = false, abierta_en_el_gancho = false;
  fiscal::PonerGanchoVentanas([&](Fl_Window& w) {
    caption = w.label();
    abierta_en_el_gancho = w.shown();
    rotulos = Rotulos(w);
    if (auto l = DeClase<Fl_Browser>(w); !l.empty()) {
      for (int i = 1; i <= l[0]->size(); ++i) lineas.push_back(l[0]->text(i));
      columna_etiqueta = l[0]->column_widths()[0];
      EXPECT_EQ(FL_COURIER, l[0]->textfont());
    }
    for (Fl_Check_Button* c : DeClase<Fl_Check_Button>(w))
      if (std::string("Fisc") == c->label()) fisc_visible = c->visible();
    Fl_Button* b = Boton(w, kEpson ? "Cerrar" : "Aceptar");
    if (b) boton = b->label(), tip = b->tooltip() ? b->tooltip() : "";
    Capturar(std::string("respuesta_") + (kEpson ? "epson" : "hasar") + ".png");
    if (caso.con_caja_de_cierre || !b) {
      w.do_callback();
    } else {
      b->do_callback();
    }
  });
  fiscal::ElOperador().MostrarRespuesta({.titulo = "Informacion general",
                                         .filas = filas,
                                         .estado = "Impresora: sin errores",
                                         .fiscalizada = caso.fiscalizada});
  EXPECT_TRUE(abierta_en_el_gancho);
  EXPECT_EQ("Respuesta impresora fiscal", caption);
  EXPECT_EQ((std::vector<std::string>{"Ult.comprobante emitido  \t00001234",
                                      "Raz\xC3\xB3n social             \tCaf\xC3\xA9 @ la esquina",
                                      "Obs                      \t"}),
            lineas);
  EXPECT_GT(columna_etiqueta, 0);
  EXPECT_NE(rotulos.end(), std::find(rotulos.begin(), rotulos.end(), "Informacion general"));
  EXPECT_NE(rotulos.end(), std::find(rotulos.begin(), rotulos.end(), "Impresora: sin errores"));
  EXPECT_EQ(caso.fiscalizada, fisc_visible);
  EXPECT_EQ("Cerrar la ventana", tip);
}

INSTANTIATE_TEST_SUITE_P(Casos, VentanaRespuestaFltk,
                         ::testing::Values(CasoRespuesta{true, false}, CasoRespuesta{false, true}));

// Long title and status texts are cut to the widths the window shows.
TEST_F(DialogosFltk, RespuestaCortaTituloYEstado) {
  const std::vector<fiscal::FilaRespuesta> filas = {{"Fecha impresora          ", "05/03/14"}};
  std::vector<std::string> rotulos;
  fiscal::PonerGanchoVentanas([&](Fl_Window& w) {
    rotulos = Rotulos(w);
    w.hide();
  });
  fiscal::ElOperador().MostrarRespuesta(
      {.titulo = std::string(50, 'T'), .filas = filas, .estado = std::string(90, 'E')});
  EXPECT_NE(rotulos.end(), std::find(rotulos.begin(), rotulos.end(), std::string(40, 'T')));
  EXPECT_NE(rotulos.end(), std::find(rotulos.begin(), rotulos.end(), std::string(66, 'E')));
}

// The progress window shows, advances within 0 to 100 and hides, and none
// of it waits for the operator.
TEST_F(DialogosFltk, ProgresoSeAbreAvanzaYCierraSinEsperar) {
  Fl_Window* ventana = nullptr;
  fiscal::PonerGanchoVentanas([&](Fl_Window& w) { ventana = &w; });
  fiscal::Operador& op = fiscal::ElOperador();
  for (int vez = 0; vez < 2; ++vez) {  // a second command opens it again from 0
    op.AbrirProgreso();
    ASSERT_NE(nullptr, ventana);
    EXPECT_TRUE(ventana->shown());
    Fl_Progress* barra = DeClase<Fl_Progress>(*ventana).front();
    EXPECT_EQ(0.0f, barra->value());
    EXPECT_EQ(100.0f, barra->maximum());
    EXPECT_NE(std::vector<std::string>{}, Rotulos(*ventana));
    EXPECT_EQ("Imprimiendo", Rotulos(*ventana).front());
    op.AvanzarProgreso(40);
    EXPECT_EQ(40.0f, barra->value());
    op.AvanzarProgreso(250);
    EXPECT_EQ(100.0f, barra->value());
    if (vez == 0) Capturar("progreso.png");
    op.CerrarProgreso();
    EXPECT_FALSE(ventana->shown());
  }
}

// The prompt's three lines and its animation; ESC pressed while it is
// shown is seen once; ESC pressed before the wait starts is forgotten.
TEST_F(DialogosFltk, HojaSueltaVeElEscape) {
  Fl_Window* ventana = nullptr;
  fiscal::PonerGanchoVentanas([&](Fl_Window& w) { ventana = &w; });
  fiscal::Operador& op = fiscal::ElOperador();
  op.AbrirHojaSuelta();
  ASSERT_NE(nullptr, ventana);
  EXPECT_TRUE(ventana->shown());
  EXPECT_EQ((std::vector<std::string>{"Colocar hoja suelta para continuar", "...",
                                      "Presione ESC para suspender"}),
            Rotulos(*ventana));
  op.AnimarHojaSuelta(5);
  EXPECT_EQ("*****", Rotulos(*ventana)[1]);
  EXPECT_FALSE(op.EscapePulsado());

  PulsarEscape(*ventana);
  op.DescartarTeclas();
  EXPECT_FALSE(op.EscapePulsado());

  PulsarEscape(*ventana);
  EXPECT_TRUE(op.EscapePulsado());
  EXPECT_FALSE(op.EscapePulsado());
  EXPECT_TRUE(ventana->shown());  // ESC only asks; the driver closes it

  ventana->do_callback();  // the close box asks the same
  EXPECT_TRUE(op.EscapePulsado());
  op.CerrarHojaSuelta();
  EXPECT_FALSE(ventana->shown());
}

}  // namespace

// The FLTK message box and parameter editor on a virtual X server, driven
// from the window hook as an operator would. With DRVFISCAL_CAPTURAS set to
// a folder, each window is also saved there as a screenshot.
#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Input.H>
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

}  // namespace

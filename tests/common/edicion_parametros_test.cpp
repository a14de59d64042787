// The parameter editor without a screen: the working copy, the document-type
// rule, saving and leaving, and the control table both toolkits draw.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "carpeta_temporal.h"
#include "common/driver.h"
#include "common/edicion_parametros.h"
#include "common/estado.h"
#include "common/lp_fiscal.h"
#include "resources/editor_parametros.h"

namespace {

using fiscal::Param;
using fiscal::editor::Campo;
using fiscal::editor::Clase;
using fiscal::editor::Control;
using prueba::Contenido;

const bool kEpson = fiscal::kDriver.marca == "EPSON";

std::vector<int> Longitudes(const fiscal::ValoresParametros& v) {
  return {v.LP_LonObsFac, v.LP_LonLinFac, v.LP_LonPagFac,
          v.LP_LonLinNoF, v.LP_LonLinPag, v.LP_LonLinCot};
}
std::vector<int> Emite(const fiscal::ValoresParametros& v) {
  return {v.LP_EmiteFAC, v.LP_EmiteCRE, v.LP_EmiteRTO, v.LP_EmitePAG, v.LP_EmiteCOT};
}

class EdicionParametros : public prueba::PruebaEnCarpeta {
 protected:
  std::string Defecto() const { return carpeta.En("drvfiscal/fiscal.ini"); }
};

TEST_F(EdicionParametros, CambioDeTipoTraeLosDefectosDelModelo) {
  struct Caso {
    const char* tipo;
    std::vector<int> longitudes, emite;
  };
  // Epson with the model that issues every document on forms.
  const std::vector<Caso> epson = {{"FC", {23, 23, 40, 40, 40, 100}, {1, 1, 1, 1, 1}},
                                   {"TQ", {22, 20, 25, 40, 40, 100}, {0, 0, 0, 0, 0}},
                                   {"TF", {22, 20, 25, 40, 40, 100}, {1, 0, 0, 0, 0}}};
  const std::vector<Caso> hasar = {{"FC", {50, 50, 50, 120, 106, 106}, {1, 1, 1, 1, 1}},
                                   {"TQ", {30, 20, 30, 40, 40, 106}, {0, 0, 0, 0, 0}},
                                   {"TF", {30, 20, 30, 40, 40, 106}, {1, 0, 0, 0, 0}}};
  fiscal::Estado().ModeloImpresora = "LX-300F";
  fiscal::EdicionParametros e;
  e.copia.p.LP_ImpresoraPuerto = 7;  // typed before: not a model value, kept
  e.copia.LP_LonObsFac = 99;         // typed before: replaced
  for (const Caso& c : kEpson ? epson : hasar) {
    SCOPED_TRACE(c.tipo);
    e.CambiarTipoComprobante(c.tipo);
    EXPECT_EQ(c.longitudes, Longitudes(e.copia));
    EXPECT_EQ(c.emite, Emite(e.copia));
    EXPECT_EQ(c.tipo, e.copia.p.LP_TipoComprobante.Valor());
    EXPECT_EQ(7, e.copia.p.LP_ImpresoraPuerto);
  }
}

TEST_F(EdicionParametros, ElMismoTipoNoCambiaNada) {
  fiscal::Estado().ModeloImpresora = "LX-300F";
  fiscal::EdicionParametros e;
  const std::string tipo(e.copia.p.LP_TipoComprobante.Valor());
  e.copia.LP_LonLinFac = 77;
  e.copia.LP_EmiteCOT = 1;
  e.CambiarTipoComprobante(tipo + " ");  // trailing blanks do not make it another type
  EXPECT_EQ(77, e.copia.LP_LonLinFac);
  EXPECT_EQ(1, e.copia.LP_EmiteCOT);
  EXPECT_NE(77, LP_LonLinFac);
}

TEST_F(EdicionParametros, SalirDejaElTipoPeroLasLongitudesDelNuevo) {
  fiscal::Estado().ModeloImpresora = "LX-300F";
  {
    fiscal::EdicionParametros e;
    e.CambiarTipoComprobante("FC");
  }  // left without saving
  EXPECT_EQ(kEpson ? "TF" : "TQ", Param().LP_TipoComprobante.Valor());
  const fiscal::ValoresParametros v = fiscal::TomarValores();
  const std::vector<int> factura = kEpson ? std::vector<int>{23, 23, 40, 40, 40, 100}
                                          : std::vector<int>{50, 50, 50, 120, 106, 106};
  EXPECT_EQ(factura, Longitudes(v));
  EXPECT_EQ((std::vector<int>{1, 1, 1, 1, 1}), Emite(v));
  EXPECT_TRUE(fiscal::LeerFijo(LP_ParametrosLeidos).empty());
  EXPECT_EQ("", Contenido(Defecto()));
}

TEST_F(EdicionParametros, GrabarSinParametrosPreviosEscribeTodoSinAvisos) {
  fiscal::EdicionParametros e;
  EXPECT_TRUE(fiscal::LeerFijo(LP_ParametrosLeidos).empty());
  e.copia.p.LP_ImpresoraPuerto = 4;
  e.Grabar();
  EXPECT_EQ("11/12/26 10:30:15", std::string(fiscal::LeerFijo(LP_ParametrosLeidos)));
  EXPECT_EQ(4, Param().LP_ImpresoraPuerto);
  const std::string archivo = Contenido(Defecto());
  for (const char* clave : {"Grabacion=11/12/26 10:30:15", "LP_ImpresoraPuerto=4",
                            "LP_ErrorMostrar=1", "LP_PreMaximo=0"}) {
    EXPECT_NE(std::string::npos, archivo.find(clave)) << clave;
  }
  EXPECT_TRUE(operador.cajas.empty());
}

TEST_F(EdicionParametros, ElArchivoPendienteSeTomaAlAbrir) {
  fiscal::AsignarFijo(LP_Resultado, "FIL:otro.ini");
  fiscal::EdicionParametros e;
  EXPECT_EQ("otro.ini", fiscal::Estado().ArchivoParametros.Valor());
  EXPECT_TRUE(fiscal::LeerFijo(LP_Resultado).empty());
  EXPECT_EQ("otro.ini", fiscal::editor::LeerCampo(e.copia, Campo::ArchivoParametros));
  e.Grabar();
  EXPECT_NE(std::string::npos, Contenido(carpeta.En("otro.ini")).find("LP_TipoComprobante="));
}

// The table the FLTK and Win32 dialogs are built from.
const fiscal::editor::Dialogo& Dialogo() { return fiscal::editor::DialogoDe(fiscal::kDriver.marca); }

std::vector<std::string> Etiquetas(Clase clase) {
  std::vector<std::string> r;
  for (const Control& c : Dialogo().controles)
    if (c.clase == clase) r.push_back(c.etiqueta);
  return r;
}

const Control& De(Campo campo) {
  for (const Control& c : Dialogo().controles)
    if (c.campo == campo && c.clase != Clase::Etiqueta) return c;
  throw std::out_of_range("no control");
}

TEST(TablaEditor, MarcasEnElOrdenDeTabulacion) {
  std::vector<std::string> primeras = Etiquetas(Clase::Marca);
  primeras.resize(4);
  // Hasar moves the trace-log box after the VAT option, into "Impresora".
  const std::vector<std::string> esperadas =
      kEpson ? std::vector<std::string>{" Mostrar comandos", " Mostrar mensajes de error",
                                        " Generar \"fiscal.log\"", " Permitir acentos y \xD1"}
             : std::vector<std::string>{" Mostrar comandos", " Mostrar mensajes de error",
                                        " Permitir acentos y \xD1", " Generar \"fiscal.log\""};
  EXPECT_EQ(esperadas, primeras);
  const std::vector<std::string> etiquetas = Etiquetas(Clase::Etiqueta);
  EXPECT_EQ(1, std::count(etiquetas.begin(), etiquetas.end(),
                          kEpson ? "N\xFAmero:" : "Numero:"));
  EXPECT_EQ(kEpson ? 20 : 0, [] {
    for (const Control& c : Dialogo().controles)
      if (c.campo == Campo::ArchivoParametros) return c.digitos;
    return 0;
  }());
  const auto& config = De(Campo::ImpresoraConfig).opciones;
  EXPECT_EQ(kEpson ? 7u : 8u, config.size());
  EXPECT_STREQ(kEpson ? "115200,N,8,1" : "1200,N,7,1", config.back());
}

TEST(TablaEditor, RangosDeLosGiros) {
  struct Caso {
    Campo campo;
    int minimo, maximo, paso, digitos;
  };
  for (const Caso& c : {Caso{Campo::ImpresoraPuerto, 1, 16, 1, 2},
                        Caso{Campo::LonObsFac, 10, 130, 1, 3},
                        Caso{Campo::LonLinCot, 10, 130, 1, 3},
                        Caso{Campo::CanDecimales, 0, 9, 1, 1},
                        Caso{Campo::PreMaximo, 0, 999999, 100, 6}}) {
    const Control& g = De(c.campo);
    EXPECT_EQ(Clase::Giro, g.clase);
    EXPECT_EQ(c.minimo, g.minimo);
    EXPECT_EQ(c.maximo, g.maximo);
    EXPECT_EQ(c.paso, g.paso);
    EXPECT_EQ(c.digitos, g.digitos);
  }
  EXPECT_EQ(10, fiscal::editor::Acotado(De(Campo::LonLinFac), "3"));
  EXPECT_EQ(130, fiscal::editor::Acotado(De(Campo::LonLinFac), "999"));
  EXPECT_STREQ("Grabar los parametros", De(Campo::Grabar).ayuda);
  EXPECT_STREQ("Salir sin grabar", De(Campo::Salir).ayuda);
}

// Every control that edits a value writes and reads back the same field:
// a control wired to the wrong parameter shows up here.
TEST(TablaEditor, CadaControlEditaSuCampo) {
  std::set<Campo> vistos;
  for (const Control& c : Dialogo().controles) {
    if (c.clase != Clase::Giro && c.clase != Clase::Marca && c.clase != Clase::Lista &&
        !(c.clase == Clase::Opcion && c.campo != Campo::TipoComprobante))
      continue;
    if (!vistos.insert(c.campo).second && c.clase != Clase::Opcion) {
      ADD_FAILURE() << "two controls edit field " << static_cast<int>(c.campo);
    }
    std::vector<std::string> valores;
    if (c.clase == Clase::Giro) valores = {std::to_string(c.minimo), std::to_string(c.maximo)};
    if (c.clase == Clase::Lista) valores = {c.opciones.front(), c.opciones.back()};
    if (c.clase == Clase::Marca) valores = {c.valor, c.valor_no};
    if (c.clase == Clase::Opcion) valores = {c.valor};
    for (const std::string& valor : valores) {
      fiscal::ValoresParametros v;
      fiscal::editor::PonerCampo(v, c.campo, valor);
      EXPECT_EQ(valor, fiscal::editor::LeerCampo(v, c.campo)) << c.etiqueta;
      // ... and no other field moved.
      const fiscal::ValoresParametros limpio;
      for (const Control& otro : Dialogo().controles) {
        if (otro.campo != c.campo && otro.clase != Clase::Muestra) {
          EXPECT_EQ(fiscal::editor::LeerCampo(limpio, otro.campo),
                    fiscal::editor::LeerCampo(v, otro.campo))
              << c.etiqueta << " moved " << otro.etiqueta;
        }
      }
    }
  }
  EXPECT_EQ(33u, vistos.size());
}

}  // namespace

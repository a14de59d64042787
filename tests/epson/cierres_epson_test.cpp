// The X and Z closings: the commands sent, the window, LP_Resultado and the
// closings log "CIERRES.LOG", on a scripted printer and on the simulator.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/estado.h"
#include "common/lp_fiscal.h"
#include "common/perfil.h"
#include "guion_ordenes_epson.h"
#include "simulador_fixture.h"

namespace {

using prueba::Contestacion;
using prueba::TramaEnviada;

constexpr const char* kLog = "CIERRES.LOG";

std::string Leer(const char* seccion, const std::string& clave) {
  return fiscal::LeerPerfil(kLog, seccion, clave, "(falta)");
}

std::string Archivo() {
  std::ifstream f(kLog, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

size_t Veces(const std::string& texto, const std::string& buscado) {
  size_t n = 0;
  for (size_t p = texto.find(buscado); p != std::string::npos; p = texto.find(buscado, p + 1)) ++n;
  return n;
}

std::string Resultado() {
  return std::string(fiscal::SinBlancosFinales(std::string_view(LP_Resultado, sizeof LP_Resultado)));
}

const std::vector<std::string> kCierre7 = {"7", "0", "1", "2", "10", "3", "45", "000000012345",
                                           "000000002145", "000000000000", "12"};
const std::string kDetalle7 =
    "|01=7|02=0|03=1|04=2|05=10|06=3|07=45|08=000000012345|09=000000002145|10=000000000000|11=12";

class CierresEpson : public prueba::OrdenesEpsonGuionadas {
 protected:
  void SetUp() override {
    OrdenesEpsonGuionadas::SetUp();
    contestar = [this](const TramaEnviada& t) {
      if (t.codigo == '9') return cierre;
      return Contestacion{};
    };
  }
  Contestacion cierre{0, 0x0600, kCierre7};
};

TEST_F(CierresEpson, CierreZCompleto) {
  LP_ResultadoMostrar = 1;
  Ordenar(207);
  ASSERT_EQ(0, LP_Error) << Mensaje();
  EXPECT_EQ((std::vector<std::string>{"]|11|DEL", "]|12|DEL", "]|13|DEL", "9|Z|P"}), Enviadas());
  EXPECT_EQ((std::vector<std::string>{"progreso abierto", "progreso cerrado"}), operador.eventos);
  ASSERT_EQ(1u, operador.ventanas.size());
  EXPECT_EQ("Resultado del cierre Z", operador.ventanas[0].titulo);
  EXPECT_EQ(11u, operador.ventanas[0].filas.size());
  EXPECT_EQ("Numero de cierre", operador.ventanas[0].filas[0].etiqueta);
  EXPECT_EQ(kDetalle7, Resultado());

  EXPECT_EQ("Z/00007 11/12/26 10:30:15", Leer("Ultimo cierre", "Titulo"));
  EXPECT_EQ(kDetalle7, Leer("Ultimo cierre", "Detalle"));
  EXPECT_EQ(kDetalle7, Leer("Historial", "Z/00007 11/12/26 10:30:15"));
  EXPECT_EQ(0u, Archivo().find("[Ultimo cierre]\nTitulo=Z/00007 11/12/26 10:30:15\nDetalle="));
}

TEST_F(CierresEpson, SinVentanaIgualAnota) {
  LP_ResultadoMostrar = 0;
  Ordenar(206);
  ASSERT_EQ(0, LP_Error) << Mensaje();
  EXPECT_EQ("9|X|P", Enviadas().back());
  EXPECT_TRUE(operador.ventanas.empty());
  EXPECT_EQ(kDetalle7, Resultado());
  EXPECT_EQ("X/00007 11/12/26 10:30:15", Leer("Ultimo cierre", "Titulo"));
}

TEST_F(CierresEpson, XLuegoZ) {
  Ordenar(206);
  cierre.campos[0] = "8";
  reloj.ahora.minuto = 45;
  Ordenar(207);
  EXPECT_EQ("Z/00008 11/12/26 10:45:15", Leer("Ultimo cierre", "Titulo"));
  const std::string a = Archivo();
  EXPECT_EQ(1u, Veces(a, "\nX/00007 11/12/26 10:30:15="));
  EXPECT_EQ(1u, Veces(a, "\nZ/00008 11/12/26 10:45:15="));
  EXPECT_EQ(1u, Veces(a, "[Historial]"));
}

TEST_F(CierresEpson, MismoCierreEnElMismoSegundoReemplaza) {
  Ordenar(207);
  cierre.campos[1] = "5";
  Ordenar(207);
  const std::string a = Archivo();
  EXPECT_EQ(2u, Veces(a, "Z/00007 11/12/26 10:30:15"));  // Titulo and one history key
  EXPECT_EQ(Resultado(), Leer("Historial", "Z/00007 11/12/26 10:30:15"));
  EXPECT_NE(std::string::npos, Resultado().find("|02=5|"));
}

TEST_F(CierresEpson, DetalleDe250Caracteres) {
  for (auto& c : cierre.campos) c = std::string(30, 'n');
  cierre.campos[0] = "00007" + std::string(25, 'n');
  Ordenar(207);
  EXPECT_EQ(255u, Resultado().size());
  EXPECT_EQ(Resultado().substr(0, 250), Leer("Ultimo cierre", "Detalle"));
}

TEST_F(CierresEpson, LineaDePieRechazadaNoDetieneElCierre) {
  contestar = [this](const TramaEnviada& t) {
    if (Legible(t) == "]|12|DEL") return Contestacion{0, prueba::kComandoDesconocido, {}};
    return t.codigo == '9' ? cierre : Contestacion{};
  };
  Ordenar(207);
  EXPECT_EQ(0, LP_Error) << Mensaje();
  EXPECT_EQ("9|Z|P", Enviadas().back());
  EXPECT_EQ("Z/00007 11/12/26 10:30:15", Leer("Ultimo cierre", "Titulo"));
}

// A refused closing leaves no trace in the log: it made no closing, and
// LP_Resultado still holds what an earlier order left there.
TEST_F(CierresEpson, CierreRechazadoNoSeAnota) {
  fiscal::AsignarFijo(LP_Resultado, "|01=T|02=B");
  cierre = {0, 0x0600 | 0x0020 | 0x8000, {}};
  LP_ResultadoMostrar = 1;
  Ordenar(207);
  EXPECT_EQ(1, LP_Error);
  EXPECT_EQ((std::vector<std::string>{"progreso abierto", "progreso cerrado"}), operador.eventos);
  EXPECT_TRUE(operador.ventanas.empty());
  EXPECT_EQ("|01=T|02=B", Resultado());
  EXPECT_EQ("", Archivo());
}

class CierresSimulador : public prueba::PruebaConSimulador {
 protected:
  void SetUp() override {
    PruebaConSimulador::SetUp();
    LP_ErrorMostrar = 0;
    LP_ResultadoMostrar = 0;
    LP_IMPRIMIR(200);
    ASSERT_EQ(0, LP_Error) << LP_ErrorMensaje;
    desde_ = sim->Codigos().size();
  }
  std::string Codigos() const { return sim->Codigos().substr(desde_); }

 private:
  size_t desde_ = 0;
};

// The simulated printer works on each closing and sends keep-alives
// before its answer.
TEST_F(CierresSimulador, XYZConMantenimiento) {
  LP_IMPRIMIR(206);
  ASSERT_EQ(0, LP_Error) << LP_ErrorMensaje;
  LP_IMPRIMIR(207);
  ASSERT_EQ(0, LP_Error) << LP_ErrorMensaje;
  EXPECT_EQ("]]]9]]]9", Codigos());
  EXPECT_EQ(0u, Resultado().find("|01=1|02=0|"));
  const std::string titulo = Leer("Ultimo cierre", "Titulo");
  EXPECT_EQ(25u, titulo.size());
  EXPECT_EQ(0u, titulo.find("Z/00001 "));
  EXPECT_EQ(Resultado(), Leer("Historial", titulo));
  EXPECT_EQ(1u, Veces(Archivo(), "\nX/00001 "));
  EXPECT_NE(std::string::npos, sim->TextoRollo().find("CIERRE \"Z\""));
  size_t esperas = 0;
  for (const auto& e : sim->Diario()) esperas += e.tipo == "espera";
  EXPECT_GE(esperas, 2u);
}

}  // namespace

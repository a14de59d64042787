// Hasar daily closings and fiscal memory reports on the scripted printer:
// the frames, the progress window and the closings log.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "carpeta_temporal.h"
#include "common/perfil.h"
#include "ordenes_hasar_fixture.h"

namespace {

using namespace prueba;
using Lista = std::vector<std::string>;

constexpr char kLog[] = "CIERRES.LOG";

std::string Leer(const char* seccion, const std::string& clave) {
  return fiscal::LeerPerfil(kLog, seccion, clave, "(falta)");
}
std::string Resultado() { return std::string(fiscal::LeerFijo(LP_Resultado)); }

class CierresHasar : public OrdenesHasar {
 protected:
  // The three trailer lines accepted, then the closing answered with `campos`.
  void CierreResponde(Lista campos, Reaccion titulo_12 = Contestar()) {
    reacciones.push_back(Contestar());
    reacciones.push_back(titulo_12);
    reacciones.push_back(Contestar());
    reacciones.push_back(Contestar(0, 0, std::move(campos)));
  }
  size_t ClavesHistorial() const {
    std::string log = Contenido(kLog);
    size_t n = 0, p = log.find("[Historial]");
    for (; p != std::string::npos; p = log.find('\n', p + 1))
      if (p + 1 < log.size() && (log[p + 1] == 'X' || log[p + 1] == 'Z')) ++n;
    return n;
  }
};

TEST_F(CierresHasar, TramasYVentanaDeProgreso) {
  struct Caso {
    int16_t orden;
    char letra;
    std::string titulo;
  } casos[] = {{206, 'X', "Resultado del cierre X"}, {207, 'Z', "Resultado del cierre Z"}};
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.orden);
    Olvidar();
    operador.eventos.clear();
    operador.ventanas.clear();
    CierreResponde({"7"});
    Orden(c.orden);
    EXPECT_EQ("", Error());
    EXPECT_EQ((Lista{"5D|11|DEL", "5D|12|DEL", "5D|13|DEL", std::string("39|") + c.letra}),
              Enviadas());
    EXPECT_EQ((Lista{"progreso abierto", "progreso cerrado"}), operador.eventos);
    ASSERT_EQ(1u, operador.ventanas.size());
    EXPECT_EQ(c.titulo, operador.ventanas[0].titulo);
    EXPECT_EQ(std::string(1, c.letra) + "/00007 11/12/26 10:30:15", Leer("Ultimo cierre", "Titulo"));
  }
}

TEST_F(CierresHasar, ElRegistroGuardaTituloYDetalle) {
  LP_ResultadoMostrar = 0;
  CierreResponde({"00123", "0", "1"});
  Orden(207);
  EXPECT_EQ("", Error());
  EXPECT_TRUE(operador.ventanas.empty());
  const std::string titulo = "Z/00123 11/12/26 10:30:15";
  EXPECT_EQ(titulo, Leer("Ultimo cierre", "Titulo"));
  const std::string detalle = Leer("Ultimo cierre", "Detalle");
  EXPECT_EQ(0u, detalle.rfind("|01=00123|02=0|03=1|04=|05=|07=", 0)) << detalle;
  EXPECT_EQ(Resultado(), detalle);
  EXPECT_EQ(detalle, Leer("Historial", titulo));
}

TEST_F(CierresHasar, DetalleDeLos250PrimerosCaracteres) {
  CierreResponde(Lista(21, std::string(80, '9')));
  Orden(207);
  ASSERT_EQ(255u, Resultado().size());
  EXPECT_EQ(Resultado().substr(0, 250), Leer("Ultimo cierre", "Detalle"));
}

TEST_F(CierresHasar, HistorialDeVariosCierres) {
  struct Paso {
    int16_t orden;
    std::string numero;
    int segundo;
  };
  struct Caso {
    const char* nombre;
    std::vector<Paso> pasos;
    std::string ultimo;
    size_t claves;
  } casos[] = {
      {"X y luego Z", {{206, "4", 15}, {207, "4", 16}}, "Z/00004 11/12/26 10:30:16", 2},
      {"misma Z en el mismo segundo", {{207, "5", 15}, {207, "5", 15}},
       "Z/00005 11/12/26 10:30:15", 1},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    std::remove(kLog);
    std::string ultimo_detalle;
    for (size_t i = 0; i < c.pasos.size(); ++i) {
      reloj.ahora.segundo = c.pasos[i].segundo;
      CierreResponde({c.pasos[i].numero, std::to_string(i)});
      Orden(c.pasos[i].orden);
      ASSERT_EQ("", Error());
      ultimo_detalle = Resultado();
    }
    EXPECT_EQ(c.ultimo, Leer("Ultimo cierre", "Titulo"));
    EXPECT_EQ(c.claves, ClavesHistorial());
    // The later closing replaces an equal title's detail.
    EXPECT_EQ(ultimo_detalle, Leer("Historial", c.ultimo));
  }
}

TEST_F(CierresHasar, UnTituloRechazadoNoDetieneElCierre) {
  CierreResponde({"8"}, Rechazar());
  Orden(207);
  EXPECT_EQ("", Error());
  EXPECT_EQ((Lista{"5D|11|DEL", "5D|12|DEL", "5D|13|DEL", "39|Z"}), Enviadas());
  EXPECT_EQ("Z/00008 11/12/26 10:30:15", Leer("Ultimo cierre", "Titulo"));
}

// The operator learns of a nearly full fiscal memory when it matters most.
TEST_F(CierresHasar, AvisosDelCierreSeMuestran) {
  for (int i = 0; i < 3; ++i) reacciones.push_back(Contestar());
  reacciones.push_back(Contestar(0, 0x0100, {"3"}));
  Orden(207);
  EXPECT_EQ("", Error());
  ASSERT_EQ(1u, operador.Con("AVISO").size());
  EXPECT_NE(std::string::npos, operador.Con("AVISO")[0].texto.find("Memoria fiscal casi llena"));
  EXPECT_EQ("Z/00003 11/12/26 10:30:15", Leer("Ultimo cierre", "Titulo"));
}

// A closing the printer refuses or never answers did not happen: the log
// must not record it with the text of an earlier order as its detail.
// A refused closing leaves no trace in the log: it made no closing, and
// LP_Resultado still holds what an earlier order left there. A closing the
// printer made is recorded even when its status reports an error, with the
// detail taken from its answer.
TEST_F(CierresHasar, CierreFallidoNoSeAnota) {
  struct Caso {
    const char* nombre;
    Reaccion reaccion;
    const char* detalle;  // nullptr: nothing recorded
  } casos[] = {
      {"rechazado", Rechazar(), nullptr},
      {"hecho con falla de la impresora", Contestar(0x0004, 0, {"9"}), "|01=9"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    std::remove(kLog);
    fiscal::AsignarFijo(LP_Resultado, "|01=de antes");
    operador.eventos.clear();
    for (int i = 0; i < 3; ++i) reacciones.push_back(Contestar());
    reacciones.push_back(c.reaccion);
    Orden(207);
    EXPECT_NE("", Error());
    EXPECT_EQ((Lista{"progreso abierto", "progreso cerrado"}), operador.eventos);
    EXPECT_EQ("|01=de antes", Resultado());
    if (c.detalle) {
      EXPECT_EQ(c.detalle, fiscal::LeerPerfil(kLog, "Ultimo cierre", "Detalle", ""));
      EXPECT_EQ(0u, fiscal::LeerPerfil(kLog, "Ultimo cierre", "Titulo", "").find("Z/00009 "));
    } else {
      EXPECT_EQ("", Contenido(kLog));
    }
  }
}

TEST_F(CierresHasar, InformesDeMemoriaFiscal) {
  struct Caso {
    const char* nombre;
    int16_t orden;
    Lista args;
    std::string enviada;
  } casos[] = {
      {"fechas tal cual", 208, {"140101  ", "140131", "T "}, "3A|140101|140131|T"},
      {"cierres en cuatro cifras", 209, {"1", "30", "D"}, "3B|0001|0030|D"},
      {"cierres en blanco", 209, {}, "3B|0000|0000|"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    Olvidar();
    operador.eventos.clear();
    fiscal::AsignarFijo(LP_Resultado, "|01=de antes");
    Orden(c.orden, c.args);
    EXPECT_EQ("", Error());
    EXPECT_EQ(Lista{c.enviada}, Enviadas());
    EXPECT_EQ((Lista{"progreso abierto", "progreso cerrado"}), operador.eventos);
    EXPECT_TRUE(operador.ventanas.empty());
    EXPECT_EQ("|01=de antes", Resultado());
  }
  EXPECT_EQ("", Contenido(kLog));
}

}  // namespace

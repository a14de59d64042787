// The Hasar information orders: the command each sends, the captioned list
// left in LP_Resultado, readable dates and times, and the window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ordenes_hasar_fixture.h"

namespace {

using namespace prueba;
using Lista = std::vector<std::string>;

constexpr char kDel[] = "\x7F";

std::string Resultado() { return std::string(fiscal::LeerFijo(LP_Resultado)); }

class RespuestaHasar : public OrdenesHasar {
 protected:
  // The printer answers the next command with these return fields.
  void Responder(Lista campos) { reacciones.push_back(Contestar(0, 0, std::move(campos))); }
};

struct CasoRespuesta {
  const char* nombre;
  int16_t orden;
  Lista campos;
  std::string enviada;
  std::string resultado;
  std::string titulo;
};

TEST_F(RespuestaHasar, ListaDeCadaOrden) {
  const std::string cierre_sin_6 =
      "|01=45|02=0|03=1|04=2|05=9|07=33|08=4|09=|10=|11=|12=|13=|14=|15=|16=|17=|18=|19=|20=|21=";
  const CasoRespuesta casos[] = {
      {"estado con siete campos", 201, {"a", "b", "c", "d", "e", "f", "g"}, "2A",
       "|01=a|02=b|03=c|04=d|05=e|06=f|07=g", "Estado"},
      {"campos sin rotulo se listan", 201,
       {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14"}, "2A",
       "|01=1|02=2|03=3|04=4|05=5|06=6|07=7|08=8|09=9|10=10|11=11|12=12|13=13|14=14", "Estado"},
      {"rotulos sin valor tambien", 202, {"1000.00"}, "66", "|01=1000.00|02=|03=|04=|05=|06=|07=",
       "Configuracion"},
      {"fechas de inicializacion", 203, {"20123456789", "ACME", "1", "140305", "2", "3", "000000",
                                         "I"},
       "73", "|01=20123456789|02=ACME|03=1|04=05/03/14|05=2|06=3|07=|08=I", "Inicializacion"},
      {"fecha imposible queda en blanco", 203, {"", "", "", "141340", "", "", "99x", ""}, "73",
       "|01=|02=|03=|04=|05=|06=|07=|08=", "Inicializacion"},
      {"capacidad", 204, {"2000", "12"}, "37", "|01=2000|02=12", "Capacidad memoria fiscal"},
      {"memoria de trabajo", 205, {"0", "1"}, "67",
       "|01=0|02=1|03=|04=|05=|06=|07=|08=|09=|10=|11=|12=|13=|14=|15=|16=|17=|18=|19=",
       "Memoria RAM"},
      {"reloj legible", 213, {"140305", "214007"}, "59", "|01=05/03/14|02=21:40:07",
       "Reloj interno de la impresora"},
      {"reloj en cero", 213, {"000000", "000000"}, "59", "|01=|02=",
       "Reloj interno de la impresora"},
      {"DEL es un valor vacio", 201, {kDel, "x"}, "2A", "|01=|02=x|03=|04=|05=|06=|07=", "Estado"},
      {"cierre sin campo 6", 206, {"45", "0", "1", "2", "9", "", "33", "4"}, "39|X", cierre_sin_6,
       "Resultado del cierre X"},
      {"cierre con campo 6", 207, {"45", "0", "1", "2", "9", "0"}, "39|Z",
       "|01=45|02=0|03=1|04=2|05=9|06=0|07=|08=|09=|10=|11=|12=|13=|14=|15=|16=|17=|18=|19=|20=|21=",
       "Resultado del cierre Z"},
  };
  for (const CasoRespuesta& c : casos) {
    SCOPED_TRACE(c.nombre);
    Olvidar();
    operador.ventanas.clear();
    // Closings first write the three trailer lines.
    if (c.orden == 206 || c.orden == 207)
      for (int i = 0; i < 3; ++i) reacciones.push_back(Contestar());
    Responder(c.campos);
    Orden(c.orden);
    EXPECT_EQ("", Error());
    ASSERT_FALSE(Enviadas().empty());
    EXPECT_EQ(c.enviada, Enviadas().back());
    EXPECT_EQ(c.resultado, Resultado());
    ASSERT_EQ(1u, operador.ventanas.size());
    EXPECT_EQ(c.titulo, operador.ventanas[0].titulo);
  }
}

TEST_F(RespuestaHasar, FilasDeLaVentana) {
  LP_Fiscalizada = 0;
  Responder({"140305", "214007"});
  Orden(213);
  ASSERT_EQ(1u, operador.ventanas.size());
  const auto& v = operador.ventanas[0];
  ASSERT_EQ(2u, v.filas.size());
  EXPECT_EQ("Fecha impresora", v.filas[0].etiqueta);
  EXPECT_EQ("05/03/14", v.filas[0].valor);
  EXPECT_EQ("Hora  impresora", v.filas[1].etiqueta);
  EXPECT_EQ("21:40:07", v.filas[1].valor);
  EXPECT_EQ(std::string(fiscal::ElEnlace().TextoEstado.Valor()), v.estado);
  EXPECT_FALSE(v.estado.empty());
}

TEST_F(RespuestaHasar, ValoresLargosCortadosA80YListaA255) {
  const std::string largo(100, 'v');
  Responder(Lista(7, largo));
  Orden(201);
  ASSERT_EQ(1u, operador.ventanas.size());
  for (const auto& f : operador.ventanas[0].filas) EXPECT_EQ(std::string(80, 'v'), f.valor);
  const std::string esperado = ("|01=" + std::string(80, 'v') + "|02=" + std::string(80, 'v') +
                                "|03=" + std::string(80, 'v') + "|04=")
                                   .substr(0, 255);
  EXPECT_EQ(esperado, std::string(LP_Resultado, sizeof LP_Resultado));
}

TEST_F(RespuestaHasar, VentanaSoloCuandoElHostLaPide) {
  struct Caso {
    uint8_t mostrar, fiscalizada;
    size_t ventanas;
  } casos[] = {{0, 0, 0}, {1, 0, 2}, {1, 1, 2}};
  for (const Caso& c : casos) {
    SCOPED_TRACE(int(c.mostrar) * 10 + c.fiscalizada);
    operador.ventanas.clear();
    LP_ResultadoMostrar = c.mostrar;
    // The fiscalised bit of the fiscal status word.
    uint16_t fiscal = c.fiscalizada ? 0x0600 : 0;
    reacciones.push_back(Contestar(0, fiscal, {"uno"}));
    reacciones.push_back(Contestar(0, fiscal, {"dos"}));
    Orden(204);
    EXPECT_EQ("|01=uno|02=", Resultado());
    Orden(204);
    EXPECT_EQ("|01=dos|02=", Resultado());
    // The request holds for every later order until the host clears it.
    EXPECT_EQ(c.mostrar, LP_ResultadoMostrar);
    ASSERT_EQ(c.ventanas, operador.ventanas.size());
    for (const auto& v : operador.ventanas) EXPECT_EQ(c.fiscalizada != 0, v.fiscalizada);
  }
}

TEST_F(RespuestaHasar, OrdenFallidaNoTocaLaListaAnterior) {
  Responder({"140305", "214007"});
  Orden(213);
  ASSERT_EQ("|01=05/03/14|02=21:40:07", Resultado());
  operador.ventanas.clear();
  reacciones.push_back(Rechazar());
  Orden(201);
  EXPECT_NE("", Error());
  EXPECT_EQ("|01=05/03/14|02=21:40:07", Resultado());
  EXPECT_TRUE(operador.ventanas.empty());
}

}  // namespace

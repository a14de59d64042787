// The Epson information window and the orders that read the printer: what
// LP_Resultado holds, which window opens with which rows, and the clock
// read back for the host.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "common/estado.h"
#include "common/lp_fiscal.h"
#include "guion_ordenes_epson.h"

namespace {

using prueba::Contestacion;
using prueba::TramaEnviada;

class RespuestaEpson : public prueba::OrdenesEpsonGuionadas {
 protected:
  void Responder(std::vector<std::string> campos) {
    contestar = [campos](const TramaEnviada&) { return Contestacion{0, 0x0600, campos}; };
  }
  static std::string Resultado() {
    return std::string(SinBlancos(std::string_view(LP_Resultado, sizeof LP_Resultado)));
  }
  static std::string_view SinBlancos(std::string_view t) { return fiscal::SinBlancosFinales(t); }
};

struct CasoRespuesta {
  const char* nombre;
  int16_t orden;
  std::vector<std::string> campos;
  const char* enviada;
  const char* titulo;
  const char* resultado;
  friend void PrintTo(const CasoRespuesta& c, std::ostream* os) { *os << c.nombre; }
};

const std::string k80(80, 'x');

const CasoRespuesta kCasos[] = {
    {"DocumentoEnCurso", 205, {"T", "B"}, "*|D", "Informacion documento en curso",
     "|01=T|02=B"},
    // Labelled fields are listed even when blank; unlabelled blank ones are not.
    {"GeneralConFechaYHora", 201, {"123", "261211", "093005", "0045", "", "", "SER1", "", ""},
     "*|N", "Informacion general", "|01=123|02=11/12/26|03=09:30:05|04=0045|05=|06=|07=SER1|08="},
    {"GeneralConFechaCero", 201, {"1", "000000", "000000"}, "*|N", "Informacion general",
     "|01=1|02=|03=|04=|05=|06=|07=|08="},
    {"GeneralConCatorceCampos", 201,
     {"1", "261211", "093005", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14"}, "*|N",
     "Informacion general",
     "|01=1|02=11/12/26|03=09:30:05|04=4|05=5|06=6|07=7|08=8|09=9|10=10|11=11|12=12|13=13|14=14"},
    {"CampoDELSinValor", 205, {"\x7F", "B"}, "*|D", "Informacion documento en curso",
     "|01=|02=B"},
    {"Controlador", 202, {"40"}, "*|P", "Informacion controlador fiscal",
     "|01=40|02=|03=|04=|05=|06=|07=|08=|09=|10=|11="},
    {"Contribuyente", 203, {"30712345678", "0001", "I"}, "*|C", "Informacion contribuyente",
     "|01=30712345678|02=0001|03=I|04=|05=|06=|07="},
    {"Contadores", 204, {"12"}, "*|A", "Informacion contadores",
     "|01=12|02=|03=|04=|05=|06=|07=|08=|09=|10=|11="},
    {"Reloj", 213, {"261211", "235959"}, "Y", "Reloj interno de la impresora",
     "|01=11/12/26|02=23:59:59"},
    {"RelojInvalido", 213, {"261399", "256000"}, "Y", "Reloj interno de la impresora",
     "|01=|02="},
};

class CasosRespuesta : public RespuestaEpson,
                       public ::testing::WithParamInterface<CasoRespuesta> {};

TEST_P(CasosRespuesta, ListaYVentana) {
  const CasoRespuesta& c = GetParam();
  LP_ResultadoMostrar = 1;
  Responder(c.campos);
  Ordenar(c.orden);
  ASSERT_EQ(0, LP_Error) << Mensaje();
  EXPECT_EQ(std::vector<std::string>{c.enviada}, Enviadas());
  EXPECT_EQ(c.resultado, Resultado());
  ASSERT_EQ(1u, operador.ventanas.size());
  EXPECT_EQ(c.titulo, operador.ventanas[0].titulo);
  EXPECT_EQ(0, LP_ResultadoMostrar);
}

INSTANTIATE_TEST_SUITE_P(Ordenes, CasosRespuesta, ::testing::ValuesIn(kCasos),
                         [](const auto& i) { return std::string(i.param.nombre); });

TEST_F(RespuestaEpson, FilasConEtiquetasYEstado) {
  LP_ResultadoMostrar = 1;
  Responder({"261211", "093005"});
  Ordenar(213);
  ASSERT_EQ(1u, operador.ventanas.size());
  const auto& v = operador.ventanas[0];
  ASSERT_EQ(2u, v.filas.size());
  EXPECT_EQ("Fecha impresora", v.filas[0].etiqueta);
  EXPECT_EQ("11/12/26", v.filas[0].valor);
  EXPECT_EQ("Hora  impresora", v.filas[1].etiqueta);
  EXPECT_EQ("09:30:05", v.filas[1].valor);
  EXPECT_EQ("I :0000.0000.0000.0000|F:0000.0110.0000.0000", v.estado);
  EXPECT_TRUE(v.fiscalizada);
}

TEST_F(RespuestaEpson, ResultadoCortadoEn255) {
  LP_ResultadoMostrar = 0;
  // Values of 80 characters: the printer's longer text is cut there too.
  Responder({k80 + "yyy", k80, k80, k80});
  Ordenar(202);
  std::string esperado = "|01=" + k80 + "|02=" + k80 + "|03=" + k80 + "|04=" + k80;
  esperado.resize(255);
  EXPECT_EQ(esperado, std::string(LP_Resultado, sizeof LP_Resultado));
}

TEST_F(RespuestaEpson, VentanaUnaSolaVezPorPedido) {
  LP_ResultadoMostrar = 0;
  Responder({"T", "B"});
  Ordenar(205);
  EXPECT_EQ("|01=T|02=B", Resultado());
  EXPECT_TRUE(operador.ventanas.empty());

  LP_ResultadoMostrar = 1;
  Ordenar(205);
  Ordenar(205);
  EXPECT_EQ(1u, operador.ventanas.size());
  EXPECT_EQ(0, LP_ResultadoMostrar);
}

TEST_F(RespuestaEpson, ComandoFallidoConservaElResultadoAnterior) {
  LP_ResultadoMostrar = 0;
  Responder({"T", "B"});
  Ordenar(205);
  LP_ResultadoMostrar = 1;
  contestar = [](const TramaEnviada&) { return Contestacion{0, prueba::kCampoInvalido, {"9"}}; };
  Ordenar(201);
  EXPECT_EQ(1, LP_Error);
  EXPECT_EQ("|01=T|02=B", Resultado());
  EXPECT_TRUE(operador.ventanas.empty());
  EXPECT_EQ(1, LP_ResultadoMostrar);
}

struct CasoReloj {
  const char* nombre;
  Contestacion contestacion;
  int32_t fecha, hora;
  friend void PrintTo(const CasoReloj& c, std::ostream* os) { *os << c.nombre; }
};

class LecturaReloj : public RespuestaEpson, public ::testing::WithParamInterface<CasoReloj> {};

TEST_P(LecturaReloj, FechaYHoraParaElHost) {
  const CasoReloj& c = GetParam();
  LP_FechaImpresora = LP_HoraImpresora = 12345;
  contestar = [&c](const TramaEnviada&) { return c.contestacion; };
  Ordenar(231);
  EXPECT_EQ(std::vector<std::string>{"Y"}, Enviadas());
  EXPECT_EQ(c.fecha, LP_FechaImpresora);
  EXPECT_EQ(c.hora, LP_HoraImpresora);
  EXPECT_TRUE(operador.ventanas.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Reloj, LecturaReloj,
    ::testing::Values(
        CasoReloj{"Valido", {0, 0x0600, {"261211", "093005"}}, lp_fecha_serial(2026, 12, 11),
                  lp_hora_serial(9, 30, 5, 0)},
        CasoReloj{"Invalido", {0, 0x0600, {"261340", "246000"}}, 0, 0},
        // A refused command's fields say nothing about the clock.
        CasoReloj{"Rechazado", {0, prueba::kCampoInvalido, {"261211", "093005"}}, 0, 0}),
    [](const auto& i) { return std::string(i.param.nombre); });

struct CasoInforme {
  const char* nombre;
  int16_t orden;
  std::vector<std::string> args;
  const char* enviada;
};

class InformesMemoria : public RespuestaEpson, public ::testing::WithParamInterface<CasoInforme> {
};

TEST_P(InformesMemoria, BajoLaVentanaDeProgreso) {
  const CasoInforme& c = GetParam();
  Ordenar(c.orden, c.args);
  EXPECT_EQ(0, LP_Error) << Mensaje();
  EXPECT_EQ(std::vector<std::string>{c.enviada}, Enviadas());
  EXPECT_EQ((std::vector<std::string>{"progreso abierto", "progreso cerrado"}), operador.eventos);
}

INSTANTIATE_TEST_SUITE_P(
    Informes, InformesMemoria,
    ::testing::Values(CasoInforme{"PorFechas", 208, {"260101  ", "261231", "T  "},
                                  ":|260101|261231|T"},
                      CasoInforme{"PorCierres", 209, {"1", "30", "T"}, ";|0001|0030|T"},
                      CasoInforme{"PorCierresEnBlanco", 209, {"", "x"}, ";|0000|0000|"}),
    [](const auto& i) { return std::string(i.param.nombre); });

TEST_F(RespuestaEpson, InformeRechazadoCierraLaVentana) {
  contestar = [](const TramaEnviada&) { return Contestacion{0, prueba::kCampoInvalido, {}}; };
  Ordenar(208, {"1", "2", "T"});
  EXPECT_EQ(1, LP_Error);
  EXPECT_EQ((std::vector<std::string>{"progreso abierto", "progreso cerrado"}), operador.eventos);
}

}  // namespace

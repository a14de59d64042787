// The Hasar orders of one or a few commands: exact frames, marks, the
// clock, title lines and non-fiscal documents.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ordenes_hasar_fixture.h"

namespace {

using namespace prueba;
using Lista = std::vector<std::string>;

struct CasoSimple {
  const char* nombre;
  int16_t orden;
  Lista args;
  Lista enviadas;
  char tipo_documento = ' ';
  std::string tipo_comprobante = "TQ";
};

TEST_F(OrdenesHasar, TramasDeLasOrdenesSimples) {
  const CasoSimple casos[] = {
      {"estado", 200, {}, {"2A"}},
      {"K", 210, {}, {"4B"}},
      {"llave", 214, {}, {"7B"}},
      {"llave otra vez", 215, {}, {"7B"}},
      {"avance en blanco es una linea", 211, {}, {"52|01"}},
      {"avance de doce", 211, {"12"}, {"52|12"}},
      {"reloj de la computadora", 212, {}, {"58|261211|103015"}},
      {"texto en recibo", 217, {"hola   "}, {"97|hola"}, 'P', "TF"},
      {"texto en cotizacion", 217, {"hola"}, {"84|hola"}, 'Z', "TF"},
      {"texto en factura", 217, {"hola"}, {"41|hola|1"}, 'F', "TF"},
      {"texto en tique que pidio recibo es del tique", 217, {"hola"}, {"41|hola|1"}, 'P'},
      {"no fiscal en hoja", 225, {"1"}, {"5D|06|DEL", "5D|07|DEL", "5D|08|DEL", "5D|09|DEL",
                                         "5D|10|DEL", "47"}},
      {"no fiscal en tique", 225, {"0"}, {"5D|06|DEL", "5D|07|DEL", "5D|08|DEL", "5D|09|DEL",
                                          "5D|10|DEL", "48"}},
      {"linea no fiscal", 226, {"123"}, {"49|123|1"}},
      {"cierre no fiscal", 227, {"uno", "", "tres"}, {"5D|11|uno", "5D|12|DEL", "5D|13|tres", "4A"}},
      {"titulo con atributo", 232, {"3", "123", "", "", "1"}, {"5D|03|<F4>123<F0>"}},
      {"titulo con todos los atributos", 232, {"12", "x", "1", "1", "1", "1"},
       {"5D|12|<FF>x<F0>"}},
      {"titulo sin atributos", 232, {"3", "123"}, {"5D|03|123"}},
      {"titulo borrado", 232, {"3", " "}, {"5D|03|DEL"}},
  };
  for (const CasoSimple& c : casos) {
    SCOPED_TRACE(c.nombre);
    Olvidar();
    fiscal::Param().LP_TipoComprobante = c.tipo_comprobante;
    fiscal::Estado().comprobante.TipoDocumento = std::string(1, c.tipo_documento);
    Orden(c.orden, c.args);
    EXPECT_EQ("", Error());
    EXPECT_EQ(c.enviadas, Enviadas());
  }
}

TEST_F(OrdenesHasar, LineasCortadasAlLargoDeSuParametro) {
  LP_LonLinPag = 5;
  LP_LonLinCot = 6;
  LP_LonObsFac = 7;
  LP_LonLinNoF = 4;
  fiscal::Param().LP_TipoComprobante = "TF";
  for (char tipo : {'P', 'Z', 'F'}) {
    fiscal::Estado().comprobante.TipoDocumento = std::string(1, tipo);
    Orden(217, {"abcdefghij"});
  }
  Orden(226, {"abcdefghij"});
  Orden(232, {"1", "abcdefghij"});
  Orden(232, {"1", "abcdefghij", "1"});
  EXPECT_EQ((Lista{"97|abcde", "84|abcdef", "41|abcdefg|1", "49|abcd|1", "5D|01|abcd",
                   "5D|01|<F1>ab<F0>"}),
            Enviadas());
}

// Refusals tolerated where the printer may not know the command.
TEST_F(OrdenesHasar, RechazosToleradosYNo) {
  struct Caso {
    const char* nombre;
    int16_t orden;
    Lista args;
    std::string error;  // "" = none
  };
  const Caso casos[] = {
      {"K desconocido", 210, {}, ""},
      {"llave desconocida", 214, {}, ""},
      {"avance desconocido", 211, {"3"}, ""},
      {"reloj rechazado", 212, {}, "Comando no reconocido|"},
      {"titulo rechazado", 232, {"1", "x"}, "Comando no reconocido|"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    reacciones = {Rechazar()};
    Orden(c.orden, c.args);
    EXPECT_EQ(c.error, Error().substr(0, c.error.size()));
    EXPECT_EQ(1u, Tramas().size());
    Olvidar();
  }
}

TEST_F(OrdenesHasar, PieRechazadoNoDetieneElCierreNoFiscal) {
  reacciones = {Contestar(), Rechazar(), Contestar(), Contestar(0, 0, {"77"})};
  LP_UltimoComprobante = 5;
  Orden(227, {"a", "b", "c"});
  EXPECT_EQ("", Error());
  EXPECT_EQ((Lista{"5D|11|a", "5D|12|b", "5D|13|c", "4A"}), Enviadas());
  EXPECT_EQ(0, LP_UltimoComprobante);
}

TEST_F(OrdenesHasar, LecturaDelReloj) {
  struct Caso {
    std::string fecha, hora;
    int32_t serial_fecha, serial_hora;
  };
  const Caso casos[] = {
      {"261211", "134501", lp_fecha_serial(2026, 12, 11), lp_hora_serial(13, 45, 1, 0)},
      {"240229", "000000", lp_fecha_serial(2024, 2, 29), lp_hora_serial(0, 0, 0, 0)},
      {"250229", "240000", 0, 0},
      {"", "", 0, 0},
      {"000000", "12x456", 0, 0},
      {"26121", "1345011", 0, 0},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.fecha + " " + c.hora);
    LP_FechaImpresora = LP_HoraImpresora = 99;
    reacciones = {Contestar(0, 0, {c.fecha, c.hora})};
    Orden(231);
    EXPECT_EQ(c.serial_fecha, LP_FechaImpresora);
    EXPECT_EQ(c.serial_hora, LP_HoraImpresora);
  }
  EXPECT_EQ((Lista(6, "59")), Enviadas());
}

}  // namespace

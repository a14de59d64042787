// Lines of an open Hasar document on the scripted printer: item number
// shapes and internal tax, limits, delivery notes, adjustments, payments,
// perceptions and the subtotal's totals.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ordenes_hasar_fixture.h"

namespace {

using namespace prueba;
using Lista = std::vector<std::string>;

struct CasoItem {
  const char* nombre;
  std::string q, p, tasa = "21", interno = "", base = "";
  std::string letra = "B", modo = "TF";
  int can_dec = 0, pre_dec = 0, can_max = 0, pre_max = 0;
  std::string error{};  // "" = none
  // Fields 2 to 6 and 8 of "B" (f1 is the description, f7 always "1").
  std::string cantidad{}, precio{}, tasa_txt{}, clase{}, f6{}, f8{};
  size_t largo_descripcion = 80;
};

class LineasHasar : public OrdenesHasar {
 protected:
  void Comprobante(const std::string& tipo, const std::string& letra, const std::string& modo) {
    fiscal::Param().LP_TipoComprobante = modo;
    fiscal::Estado().comprobante.TipoDocumento = tipo;
    fiscal::Estado().comprobante.Letra = letra;
  }
};

TEST_F(LineasHasar, Items) {
  const CasoItem casos[] = {
      {.nombre = "cantidad negativa", .q = "-2", .p = "10", .cantidad = "0002.0000000000",
       .precio = "0000010.00", .tasa_txt = "21.00", .clase = "m", .f6 = "0.0", .f8 = "T"},
      {.nombre = "ambos negativos", .q = "-2", .p = "-10", .cantidad = "0002.0000000000",
       .precio = "0000010.00", .tasa_txt = "21.00", .clase = "M", .f6 = "0.0", .f8 = "T"},
      {.nombre = "tres decimales de cantidad son seis", .q = "1.5", .p = "1", .can_dec = 3,
       .cantidad = "00000001.500000", .precio = "0000001.00", .tasa_txt = "21.00", .clase = "M",
       .f6 = "0.0", .f8 = "T"},
      {.nombre = "ocho decimales de cantidad", .q = "1.5", .p = "1", .can_dec = 8,
       .cantidad = "000001.50000000", .precio = "0000001.00", .tasa_txt = "21.00", .clase = "M",
       .f6 = "0.0", .f8 = "T"},
      {.nombre = "diez decimales exactos", .q = "0.0000000001", .p = "1",
       .cantidad = "0000.0000000001", .precio = "0000001.00", .tasa_txt = "21.00", .clase = "M",
       .f6 = "0.0", .f8 = "T"},
      {.nombre = "precio en tique factura", .q = "1", .p = "12.5", .tasa = "10.5",
       .cantidad = "0001.0000000000", .precio = "0000012.50", .tasa_txt = "10.50", .clase = "M",
       .f6 = "0.0", .f8 = "T"},
      {.nombre = "precio en formulario", .q = "1", .p = "12.5", .modo = "FC",
       .cantidad = "0001.0000000000", .precio = "0000012.5000", .tasa_txt = "21.00",
       .clase = "M", .f6 = "0.0", .f8 = "T"},
      {.nombre = "nueve decimales de precio son siete", .q = "1", .p = "12.5", .pre_dec = 9,
       .cantidad = "0001.0000000000", .precio = "12.5000000", .tasa_txt = "21.00", .clase = "M",
       .f6 = "0.0", .f8 = "T"},
      {.nombre = "letra A con base en blanco es B", .q = "1", .p = "1", .letra = "A",
       .cantidad = "0001.0000000000", .precio = "0000001.00", .tasa_txt = "21.00", .clase = "M",
       .f6 = "0.0", .f8 = "B"},
      {.nombre = "letra perdida pasa a B", .q = "1", .p = "1", .base = "x", .letra = "",
       .cantidad = "0001.0000000000", .precio = "0000001.00", .tasa_txt = "21.00", .clase = "M",
       .f6 = "0.0", .f8 = "T"},
      {.nombre = "interno con precio final", .q = "1", .p = "100", .interno = "10", .base = "t",
       .cantidad = "0001.0000000000", .precio = "0000110.00", .tasa_txt = "21.00", .clase = "M",
       .f6 = "0.89206066", .f8 = "T", .largo_descripcion = 72},
      {.nombre = "interno con precio final en formulario", .q = "1", .p = "100", .interno = "10",
       .base = "T", .modo = "FC", .cantidad = "0001.0000000000", .precio = "0000110.0000",
       .tasa_txt = "21.00", .clase = "M", .f6 = "$10", .f8 = "T", .largo_descripcion = 72},
      {.nombre = "interno sobre la base", .q = "1", .p = "100", .interno = "12.1", .base = "B",
       .cantidad = "0001.0000000000", .precio = "0000100.00", .tasa_txt = "21.00", .clase = "M",
       .f6 = "0.89206066", .f8 = "B", .largo_descripcion = 72},
      {.nombre = "interno sobre la base en formulario", .q = "1", .p = "100", .interno = "12.1",
       .base = "B", .modo = "FC", .cantidad = "0001.0000000000", .precio = "0000100.0000",
       .tasa_txt = "21.00", .clase = "M", .f6 = "$10", .f8 = "B", .largo_descripcion = 72},
      {.nombre = "interno letra A sobre la base no se divide", .q = "1", .p = "100",
       .interno = "12.1", .base = "B", .letra = "A", .modo = "FC",
       .cantidad = "0001.0000000000", .precio = "0000100.0000", .tasa_txt = "21.00",
       .clase = "M", .f6 = "$12.1", .f8 = "B", .largo_descripcion = 72},
      {.nombre = "cantidad en el maximo", .q = "100", .p = "1", .can_max = 100,
       .cantidad = "0100.0000000000", .precio = "0000001.00", .tasa_txt = "21.00", .clase = "M",
       .f6 = "0.0", .f8 = "T"},
      {.nombre = "cantidad sobre el maximo", .q = "100.5", .p = "1", .can_max = 100,
       .error = "Cantidad supera maximo de 100"},
      {.nombre = "precio con interno sobre el maximo", .q = "1", .p = "100", .interno = "10",
       .base = "T", .pre_max = 105, .error = "Precio supera maximo de 105"},
      {.nombre = "interno sin precio", .q = "1", .p = "0", .interno = "1",
       .error = "Falta indicar precio del item con impuesto interno"},
  };
  const std::string descripcion(100, 'd');
  for (const CasoItem& c : casos) {
    SCOPED_TRACE(c.nombre);
    Olvidar();
    fiscal::MostrarError("");
    Comprobante("T", c.letra, c.modo);
    LP_CanDecimales = c.can_dec;
    LP_PreDecimales = c.pre_dec;
    LP_CanMaxima = c.can_max;
    LP_PreMaximo = c.pre_max;
    Orden(218, {descripcion, "", "", "", c.q, c.p, "", c.tasa, "", c.interno, c.base});
    EXPECT_EQ(c.error, Error());
    if (!c.error.empty()) {
      EXPECT_TRUE(Tramas().empty());
      continue;
    }
    EXPECT_EQ((Lista{"42|" + descripcion.substr(0, c.largo_descripcion) + "|" + c.cantidad + "|" +
                     c.precio + "|" + c.tasa_txt + "|" + c.clase + "|" + c.f6 + "|1|" + c.f8}),
              Enviadas());
  }
}

TEST_F(LineasHasar, DescripcionesAdicionales) {
  Comprobante("T", "B", "TF");
  LP_LonObsFac = 4;
  Orden(218, {"item", "uno123", "", "tres", "1", "1", "", "21"});
  EXPECT_EQ((Lista{"41|uno1|0", "41|tres|0", "42|item|0001.0000000000|0000001.00|21.00|M|0.0|1|T"}),
            Enviadas());

  // A failed extra line stops the item.
  Olvidar();
  reacciones = {Contestar(0x0020)};
  Orden(218, {"item", "uno", "dos", "", "1", "1"});
  EXPECT_EQ("Falta papel para comprobantes|", Error().substr(0, 30));
  EXPECT_EQ((Lista{"41|uno|0"}), Enviadas());
}

TEST_F(LineasHasar, RemitoSoloCantidadesYNoSeDetiene) {
  Comprobante("R", "B", "TF");
  reacciones = {Rechazar()};
  Orden(218, {"item", "obs", "", "", "2.5", "10", "", "21"});
  EXPECT_EQ((Lista{"82|obs|000.000|1", "82|item|002.500|1"}), Enviadas());
  EXPECT_EQ("", Error());

  // A ticket printer opened a ticket even when a delivery note was asked.
  Olvidar();
  Comprobante("R", "", "TQ");
  Orden(218, {"item", "", "", "", "1", "1", "", "21"});
  EXPECT_EQ((Lista{"42|item|0001.0000000000|0000001.00|21.00|M|0.0|1|T"}), Enviadas());
}

struct CasoLinea {
  const char* nombre;
  int16_t orden;
  Lista args;
  std::string error;
  Lista enviadas;
};

TEST_F(LineasHasar, AjustesPagosYPercepciones) {
  const CasoLinea casos[] = {
      {"descuento", 221, {"", "-50"}, "", {"54|Descuento|0000050.00|m|1|T"}},
      {"recargo sobre la base", 221, {"", "50", "b"}, "", {"54|Recargo|0000050.00|M|1|B"}},
      {"ajuste con texto", 221, {"Promo", "-1.005"}, "", {"54|Promo|0000001.01|m|1|T"}},
      {"ajuste sin importe", 221, {"x", "0.001"}, "Falta indicar importe", {}},
      {"pago", 222, {"", "50"}, "", {"44|Pago|000000050.00|T|1"}},
      {"anulacion de pago", 222, {"", "-50"}, "", {"44|Anulacion pago|-00000050.00|T|1"}},
      {"pago con texto", 222, {"Tarjeta", "1234.5"}, "", {"44|Tarjeta|000001234.50|T|1"}},
      {"pago sin importe", 222, {"Tarjeta"}, "Falta indicar importe", {}},
      {"percepcion sin tasa", 220, {"1", "IIBB", "12.5"}, "", {"60|**.**|IIBB|0000012.50"}},
      {"percepcion cero", 220, {"0", "IIBB", "-3"}, "", {"60|**.**|IIBB|-000003.00"}},
      {"percepcion con tasa", 220, {"3.5", "IIBB", "1"}, "", {"60|03.50|IIBB|0000001.00"}},
      {"percepcion con tasa en blanco", 220, {"", "IIBB", "1"}, "", {"60|00.00|IIBB|0000001.00"}},
  };
  Comprobante("T", "B", "TF");
  for (const CasoLinea& c : casos) {
    SCOPED_TRACE(c.nombre);
    Olvidar();
    fiscal::MostrarError("");
    Orden(c.orden, c.args);
    EXPECT_EQ(c.error, Error());
    EXPECT_EQ(c.enviadas, Enviadas());
  }
}

TEST_F(LineasHasar, SubtotalDejaLosTotales) {
  LP_LonPagFac = 5;
  reacciones = {Contestar(0, 0, {"2", "100.00", "21.00", "0.00", "0.50", "3.25"})};
  Orden(219, {"", "1"});
  EXPECT_EQ((Lista{"43|A|Subto|1"}), Enviadas());
  EXPECT_EQ(10000, Centesimos(LP_UltimoNeto));
  EXPECT_EQ(2150, Centesimos(LP_UltimoIva));
  EXPECT_EQ(325, Centesimos(LP_UltimoImpInterno));
  EXPECT_EQ(0, Centesimos(LP_UltimoPercepcion));
  EXPECT_EQ(12475, Centesimos(LP_UltimoTotal));

  // Printed, and refused: the totals are then 0.
  Olvidar();
  reacciones = {Contestar(0, 0x0020)};
  Orden(219, {"Parcial"});
  EXPECT_EQ((Lista{"43|P|Parci|1"}), Enviadas());
  EXPECT_NE("", Error());
  EXPECT_EQ(0, Centesimos(LP_UltimoTotal));
  EXPECT_EQ(0, Centesimos(LP_UltimoNeto));
}

}  // namespace

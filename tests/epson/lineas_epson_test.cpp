// Item, subtotal and closing lines of an Epson fiscal document against a
// scripted printer: limits, tax conversions, number shapes, the carry-over
// of a full invoice form and the totals left for the host.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "common/estado.h"
#include "common/lp_fiscal.h"
#include "guion_ordenes_epson.h"

namespace {

using prueba::Contestacion;
using prueba::TramaEnviada;
using Frames = std::vector<std::string>;
using Args = std::vector<std::string>;

class LineasEpson : public prueba::OrdenesEpsonGuionadas {};

// Arguments of an item line: description "Item", no extra lines.
Args Renglon(std::string cantidad, std::string precio, std::string iva = "21",
             std::string base = "T", std::string interno = "", std::string segunda = "") {
  return {"Item", "", "", "", cantidad, precio, "", iva, segunda, interno, base};
}

struct CasoItem {
  const char* nombre;
  const char* modo = "TQ";
  const char* letra = "B";
  Args args = {};
  Frames frames = {};
  const char* error = "";
  int can_decimales = 0, pre_decimales = 0, can_maxima = 0, pre_maximo = 0, lon_lin_fac = 80;
  friend void PrintTo(const CasoItem& c, std::ostream* os) { *os << c.nombre; }
};

const std::string kSinInterno = "00000000000000000";

const CasoItem kItems[] = {
    {.nombre = "DevolucionEnTique",
     .args = Renglon("-2", "10"),
     .frames = {"B|Item|00002000|000001000|2100|R|00000|00000000|" + kSinInterno}},
    {.nombre = "AmbosNegativosEsVenta",
     .args = Renglon("-2", "-10"),
     .frames = {"B|Item|00002000|000001000|2100|M|00000|00000000|" + kSinInterno}},
    {.nombre = "LetraADesdeTotal",
     .modo = "FC",
     .letra = "A",
     .args = Renglon("1", "121"),
     .frames = {"b|Item|00001000|000010000|2100|M|00000|00000000||||0000|" + kSinInterno}},
    {.nombre = "LetraBDesdeNeto",
     .modo = "FC",
     .args = Renglon("1", "100", "21", "b"),
     .frames = {"b|Item|00001000|000012100|2100|M|00000|00000000||||0000|" + kSinInterno}},
    {.nombre = "LetraBDesdeTotalSinCambio",
     .modo = "TF",
     .args = Renglon("1", "100"),
     .frames = {"b|Item|00001000|000010000|2100|M|00000|00000000||||0000|" + kSinInterno}},
    {.nombre = "SegundaTasaSumada",
     .modo = "FC",
     .args = Renglon("1", "100", "21", "B", "", "10.5"),
     .frames = {"b|Item|00001000|000013150|2100|M|00000|00000000||||1050|" + kSinInterno}},
    {.nombre = "LetraADesdeTotalConRedondeo",
     .modo = "FC",
     .letra = "A",
     .args = Renglon("1", "10", "21"),
     .frames = {"b|Item|00001000|000000826|2100|M|00000|00000000||||0000|" + kSinInterno}},
    {.nombre = "InternoSumadoEnLetraB",
     .args = {"Gaseosa cola", "", "", "", "1", "10", "", "21", "", "0.5", "T"},
     .frames = {"B|Gase|00001000|000001050|2100|M|00000|00000000|00000000050000000"},
     .lon_lin_fac = 12},
    {.nombre = "InternoEnLetraASoloAcortaLaDescripcion",
     .modo = "FC",
     .letra = "A",
     .args = {"Gaseosa cola", "", "", "", "1", "10", "", "0", "", "0.5", "B"},
     .frames = {"b|Gase|00001000|000001000|0000|M|00000|00000000||||0000|00000000050000000"},
     .lon_lin_fac = 12},
    {.nombre = "CantidadYPrecioConPunto",
     .args = Renglon("3", "1.5"),
     .frames = {"B|Item|00003.00|1.500000|2100|M|00000|00000000|" + kSinInterno},
     .can_decimales = 2,
     .pre_decimales = 7},
    {.nombre = "CantidadConCincoDecimales",
     .args = Renglon("3", "1.5"),
     .frames = {"B|Item|03.00000|00001.50|2100|M|00000|00000000|" + kSinInterno},
     .can_decimales = 7,
     .pre_decimales = 2},
    {.nombre = "CantidadEnElMaximo",
     .args = Renglon("100", "1"),
     .frames = {"B|Item|00100000|000000100|2100|M|00000|00000000|" + kSinInterno},
     .can_maxima = 100},
    {.nombre = "CantidadSobreElMaximo",
     .args = Renglon("100.001", "1"),
     .error = "Cantidad supera maximo de 100",
     .can_maxima = 100},
    {.nombre = "DevolucionSobreElMaximo",
     .args = Renglon("-101", "1"),
     .error = "Cantidad supera maximo de 100",
     .can_maxima = 100},
    {.nombre = "PrecioSobreElMaximo",
     .args = Renglon("1", "50.01"),
     .error = "Precio supera maximo de 50",
     .pre_maximo = 50},
    {.nombre = "LineasAdicionalesYBultosEnTique",
     .args = {"Item", "Linea 2", "", "Linea 4", "1", "1", "12", "10.5", "", "", "T"},
     .frames = {"A|Linea 2", "A|Linea 4",
                "B|Item|00001000|000000100|1050|M|00012|00000000|" + kSinInterno}},
    {.nombre = "LineasAdicionalesEnFactura",
     .modo = "FC",
     .args = {"Item", "Linea 2", "", "Linea 4", "1", "1", "12", "10.5", "", "", "T"},
     .frames = {"b|Item|00001000|000000100|1050|M|00012|00000000|Linea 2||Linea 4|0000|" +
                kSinInterno}},
};

class TablaDeItems : public LineasEpson, public ::testing::WithParamInterface<CasoItem> {};

TEST_P(TablaDeItems, TramasYMensaje) {
  const CasoItem& c = GetParam();
  Modo(c.modo);
  fiscal::Estado().comprobante.Letra = c.letra;
  LP_CanDecimales = static_cast<uint8_t>(c.can_decimales);
  LP_PreDecimales = static_cast<uint8_t>(c.pre_decimales);
  LP_CanMaxima = c.can_maxima;
  LP_PreMaximo = c.pre_maximo;
  LP_LonLinFac = static_cast<uint8_t>(c.lon_lin_fac);
  Ordenar(218, c.args);
  EXPECT_EQ(c.frames, Enviadas());
  EXPECT_EQ(c.error, Mensaje());
}

INSTANTIATE_TEST_SUITE_P(Epson, TablaDeItems, ::testing::ValuesIn(kItems),
                         [](const auto& i) { return std::string(i.param.nombre); });

TEST_F(LineasEpson, FacturaSinLetraLaPideALaImpresora) {
  Modo("FC");
  contestar = [](const TramaEnviada& t) {
    if (t.codigo == '*') return Contestacion{0, prueba::kDocumentoAbierto, {"FC", "A"}};
    return Contestacion{};
  };
  Ordenar(218, Renglon("1", "121"));
  EXPECT_EQ((Frames{"*|D", "b|Item|00001000|000010000|2100|M|00000|00000000||||0000|" +
                                kSinInterno}),
            Enviadas());
  EXPECT_EQ("A", fiscal::Estado().comprobante.Letra.Valor());
  // Known from now on: no further status request.
  Ordenar(218, Renglon("1", "121"));
  EXPECT_EQ(1u, Enviadas().size());
}

TEST_F(LineasEpson, LineaAdicionalRechazadaDetieneElItem) {
  contestar = [](const TramaEnviada& t) {
    if (t.codigo == 'A') return Contestacion{0, prueba::kCampoInvalido, {}};
    return Contestacion{};
  };
  Ordenar(218, {"Item", "Linea 2", "Linea 3", "", "1", "1", "", "21", "", "", "T"});
  EXPECT_EQ(Frames{"A|Linea 2"}, Enviadas());
  EXPECT_EQ(1, LP_Error);
}

// Numbers far beyond every field: sent as they come out (the printer
// refuses them), with no overflow on the way.
TEST_F(LineasEpson, NumerosDesmedidosSeEnvianSinDesbordar) {
  Modo("FC");
  const std::string enorme(40, '9');
  for (const char* letra : {"A", "B"}) {
    for (const char* base : {"T", "B"}) {
      EnCurso("F", letra);
      Ordenar(218, {"Item", "", "", "", "-" + enorme, enorme, enorme, enorme, enorme, enorme,
                    base});
      EXPECT_EQ(1u, Enviadas().size()) << letra << base;
      EXPECT_EQ(0, LP_Error) << Mensaje();
    }
  }
  for (auto [orden, args] : {std::pair<int16_t, Args>{221, {"", enorme}},
                             {222, {"", "-" + enorme}},
                             {220, {"", "x", enorme}}}) {
    Ordenar(orden, args);
    EXPECT_EQ(1u, Enviadas().size()) << orden;
  }
}

constexpr uint16_t kFormularioLleno = prueba::kDocumentoAbierto | 0x0800 | 0x0040;

TEST_F(LineasEpson, FormularioLlenoPasaAOtroYRepiteElItem) {
  Modo("FC");
  EnCurso("F", "B");
  int items = 0;
  contestar = [&](const TramaEnviada& t) {
    if (t.codigo == 'b' && items++ == 0) return Contestacion{0, kFormularioLleno, {}};
    return Contestacion{};
  };
  Ordenar(218, Renglon("1", "1"));
  std::string item = "b|Item|00001000|000000100|2100|M|00000|00000000||||0000|" + kSinInterno;
  EXPECT_EQ((Frames{item, "\\|D|P|T|T", "\\|D|P|T|O", item}), Enviadas());
  EXPECT_EQ(0, LP_Error) << Mensaje();
}

TEST_F(LineasEpson, FormularioSiempreLlenoNoAlimentaSinFin) {
  Modo("FC");
  EnCurso("F", "B");
  contestar = [](const TramaEnviada& t) {
    return t.codigo == 'b' ? Contestacion{0, kFormularioLleno, {}} : Contestacion{};
  };
  Ordenar(218, Renglon("1", "1"));
  EXPECT_EQ(7u, Enviadas().size());
  EXPECT_EQ(1, LP_Error);
  EXPECT_EQ("El renglon no entra en un formulario nuevo", Mensaje());
}

TEST_F(LineasEpson, RemitoNoPasaDeFormulario) {
  Modo("FC");
  EnCurso("E", "X");
  contestar = [](const TramaEnviada&) { return Contestacion{0, kFormularioLleno, {}}; };
  Ordenar(218, Renglon("1", "1"));
  // The status request for the letter X, then the item alone.
  ASSERT_EQ(2u, Enviadas().size());
  EXPECT_EQ('b', Enviadas()[1][0]);
  EXPECT_EQ(0, LP_Error) << Mensaje();
}

int64_t Centesimos(const LP_Decimal& d) { return lp_decimal_a_centesimos(d); }

// Subtotal answer: lines, payments, total, IVA, paid, internal fixed,
// internal percent, net.
const std::vector<std::string> kSubtotal = {"2",           "0", "000000012500", "000000002100",
                                            "0",           "000000000050",  "000000000025",
                                            "000000010000"};

TEST_F(LineasEpson, SubtotalDejaLosTotales) {
  contestar = [](const TramaEnviada& t) {
    return t.codigo == 'C' ? Contestacion{0, prueba::kDocumentoAbierto, kSubtotal}
                           : Contestacion{};
  };
  Ordenar(219, {"", ""});
  EXPECT_EQ(Frames{"C|P|DEL"}, Enviadas());
  EXPECT_EQ(12500, Centesimos(LP_UltimoTotal));
  EXPECT_EQ(10000, Centesimos(LP_UltimoNeto));
  EXPECT_EQ(2100, Centesimos(LP_UltimoIva));
  EXPECT_EQ(75, Centesimos(LP_UltimoImpInterno));
  EXPECT_EQ(325, Centesimos(LP_UltimoPercepcion));
}

TEST_F(LineasEpson, SubtotalFallidoConservaLosTotalesAnteriores) {
  lp_decimal_de_centesimos(LP_UltimoTotal, 4200);
  contestar = [](const TramaEnviada&) {
    return Contestacion{0, 0x0600 | 0x0020 | 0x8000, {"x", "y", "999"}};
  };
  Ordenar(219, {"", ""});
  EXPECT_EQ(1, LP_Error);
  EXPECT_EQ(4200, Centesimos(LP_UltimoTotal));
}

TEST_F(LineasEpson, CierreDeTique) {
  contestar = [](const TramaEnviada& t) {
    if (t.codigo == 'C') return Contestacion{0, prueba::kDocumentoAbierto, kSubtotal};
    if (t.codigo == 'E') return Contestacion{0, 0x0600, {"00000458"}};
    return Contestacion{};
  };
  Ordenar(224, {"Gracias", "", ""});
  EXPECT_EQ((Frames{"]|11|Gracias", "]|12|DEL", "]|13|DEL", "C|A|DEL", "E|T"}), Enviadas());
  EXPECT_EQ(0, LP_Error) << Mensaje();
  EXPECT_EQ(458, LP_UltimoComprobante);
  EXPECT_EQ(12500, Centesimos(LP_UltimoTotal));
}

TEST_F(LineasEpson, CierreDeFacturaTomaLaLetraDeLaImpresora) {
  Modo("FC");
  EnCurso("F", "X");
  contestar = [](const TramaEnviada& t) {
    if (t.codigo == 'c') return Contestacion{0, prueba::kDocumentoAbierto, kSubtotal};
    if (t.codigo == '*') return Contestacion{0, prueba::kDocumentoAbierto, {"FC", "A"}};
    if (t.codigo == 'e') return Contestacion{0, 0x0600, {"31"}};
    return Contestacion{};
  };
  Ordenar(224);
  EXPECT_EQ((Frames{"]|11|DEL", "]|12|DEL", "]|13|DEL", "c|A|DEL", "*|D", "e|F|A|Cierre"}),
            Enviadas());
  EXPECT_EQ(31, LP_UltimoComprobante);
}

TEST_F(LineasEpson, CierreSeDetieneSiFallaElSubtotal) {
  LP_UltimoComprobante = 5;
  contestar = [](const TramaEnviada& t) {
    // Fiscal memory error: an error whatever the tolerance.
    return t.codigo == 'C' ? Contestacion{0, 0x0601 | 0x8000, {}} : Contestacion{};
  };
  Ordenar(224);
  EXPECT_EQ("C|A|DEL", Enviadas().back());
  EXPECT_EQ(1, LP_Error);
  EXPECT_EQ(5, LP_UltimoComprobante);
}

TEST_F(LineasEpson, CierreConSubtotalRechazadoLoIntentaIgual) {
  contestar = [](const TramaEnviada& t) {
    if (t.codigo == 'C') return Contestacion{0, 0x0600 | 0x0020 | 0x8000, {}};
    if (t.codigo == 'E') return Contestacion{0, 0x0600, {"9"}};
    return Contestacion{};
  };
  Ordenar(224);
  EXPECT_EQ("E|T", Enviadas().back());
  EXPECT_EQ(9, LP_UltimoComprobante);
}

}  // namespace

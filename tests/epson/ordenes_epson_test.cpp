// Epson orders against a scripted printer: the frames each order sends,
// its validation messages, its marks and what it leaves for the host.
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
using Frames = std::vector<std::string>;

class OrdenesEpson : public prueba::OrdenesEpsonGuionadas {};

struct CasoOrden {
  const char* nombre;
  const char* modo;
  const char* tipo_documento;  // of the document in progress
  int16_t orden;
  std::vector<std::string> args;
  Frames frames;
  const char* error;  // "" when none
  friend void PrintTo(const CasoOrden& c, std::ostream* os) { *os << c.nombre; }
};

const CasoOrden kCasos[] = {
    {"Estado", "TQ", "", 200, {}, {"*|N"}, ""},
    {"ComandoK", "TQ", "", 210, {}, {"K"}, ""},
    {"ComandoLlave", "TQ", "", 214, {}, {"{"}, ""},
    {"ComandoBarra", "TQ", "", 215, {}, {"|"}, ""},
    {"AvanceEnBlancoEsUnaLinea", "TQ", "", 211, {""}, {"R|0001"}, ""},
    {"AvanceDeTres", "TQ", "", 211, {"3"}, {"R|0003"}, ""},
    {"TextoEnTique", "TQ", "", 217, {"Gracias por su compra   "}, {"A|Gracias por su compra"}, ""},
    {"TextoEnCotizacion", "FC", "C", 217, {"Validez 10 dias"}, {"I|Validez 10 dias"}, ""},
    {"TextoEnFactura", "FC", "F", 217, {"x"}, {}, "Solo se utiliza en TQ y cotizaciones"},
    {"SubtotalImpreso", "TQ", "", 219, {"Sub", ""}, {"C|P|Sub"}, ""},
    {"SubtotalSinImprimir", "FC", "F", 219, {"", "1"}, {"c|A|DEL"}, ""},
    {"ImpuestoEnFactura", "FC", "F", 220, {"x", "IIBB", "12.5"}, {"f|IIBB|O|0000001250"}, ""},
    {"ImpuestoEnTique", "TQ", "", 220, {"x", "IIBB", "12.5"}, {}, "No se utiliza en TQ"},
    {"Descuento", "TQ", "", 221, {"", "-10"}, {"D|Descuento|000001000|D"}, ""},
    {"Recargo", "FC", "F", 221, {"Flete", "5.5"}, {"d|Flete|000000550|R"}, ""},
    {"AjusteSinImporte", "TQ", "", 221, {"x", "0.001"}, {}, "Falta indicar importe"},
    {"AnulacionDePago", "TQ", "", 222, {"", "-50"}, {"D|Anulacion pago|000005000|t"}, ""},
    {"Pago", "TQ", "", 222, {"", "100"}, {"D|Pago|000010000|T"}, ""},
    {"PagoSinImporte", "FC", "F", 222, {"Efectivo", "abc"}, {}, "Falta indicar importe"},
    {"Cancelacion",
     "FC",
     "F",
     223,
     {},
     {"]|11|DEL", "]|12|DEL", "]|13|DEL", "d|Cancelacion manual|0|C"},
     ""},
    {"NoFiscalSinHoja", "TQ", "", 225, {"0"}, {"H"}, ""},
    {"NoFiscalEnBlanco", "TQ", "", 225, {}, {"H"}, ""},
    {"TextoNoFiscal", "TQ", "", 226, {"Linea libre"}, {"I|Linea libre"}, ""},
    {"CierreNoFiscal",
     "TQ",
     "",
     227,
     {"Gracias", "", "Vuelva"},
     {"]|11|Gracias", "]|12|DEL", "]|13|Vuelva", "J|T"},
     ""},
    {"OrdenFueraDeTabla", "TQ", "", 230, {}, {}, "La orden indicada no es valida|Orden=230"},
    {"OrdenAnterior", "TQ", "", 199, {}, {}, "La orden indicada no es valida|Orden=199"},
};

class TablaDeOrdenes : public OrdenesEpson, public ::testing::WithParamInterface<CasoOrden> {};

TEST_P(TablaDeOrdenes, TramasYMensaje) {
  const CasoOrden& c = GetParam();
  Modo(c.modo);
  fiscal::Estado().comprobante.TipoDocumento = c.tipo_documento;
  Ordenar(c.orden, c.args);
  EXPECT_EQ(c.frames, Enviadas());
  EXPECT_EQ(c.error, Mensaje());
  EXPECT_EQ(*c.error ? 1 : 0, LP_Error);
}

INSTANTIATE_TEST_SUITE_P(Epson, TablaDeOrdenes, ::testing::ValuesIn(kCasos),
                         [](const auto& i) { return std::string(i.param.nombre); });

TEST_F(OrdenesEpson, LineasCortadasAlLargoDeCadaClase) {
  LP_LonObsFac = 5;
  LP_LonLinNoF = 4;
  LP_LonPagFac = 3;
  Ordenar(217, {"Observacion"});
  Ordenar(226, {"No fiscal"});
  EXPECT_EQ(Frames{"I|No f"}, Enviadas());
  Ordenar(222, {"Efectivo", "1"});
  EXPECT_EQ(Frames{"D|Efe|000000100|T"}, Enviadas());
  Ordenar(227, {"Muchas gracias"});
  EXPECT_EQ("]|11|Much", Enviadas().at(0));
  Ordenar(217, {"Observacion"});
  EXPECT_EQ(Frames{"A|Obser"}, Enviadas());
}

TEST_F(OrdenesEpson, AvanceConSAlNoConocerseR) {
  contestar = [](const TramaEnviada& t) {
    return t.codigo == 'R' ? Contestacion{0, prueba::kComandoDesconocido, {}} : Contestacion{};
  };
  Ordenar(211, {""});
  EXPECT_EQ((Frames{"R|0001", "S|0001"}), Enviadas());
  EXPECT_EQ(0, LP_Error) << Mensaje();
  EXPECT_TRUE(operador.cajas.empty());
}

TEST_F(OrdenesEpson, ComandosSueltosQueLaImpresoraNoConoce) {
  contestar = [](const TramaEnviada&) { return Contestacion{0, prueba::kComandoDesconocido, {}}; };
  for (int16_t orden : {210, 214, 215}) {
    Ordenar(orden);
    EXPECT_EQ(0, LP_Error) << orden << ": " << Mensaje();
  }
}

// Paper out with the summary bit: an error only for commands that print.
TEST_F(OrdenesEpson, FaltaDePapelDetieneSoloLoQueImprime) {
  contestar = [](const TramaEnviada&) { return Contestacion{0x4000 | 0x8000, 0x0600 | 0x8000, {}}; };
  Ordenar(200);
  EXPECT_EQ(0, LP_Error) << Mensaje();
  Ordenar(226, {"x"});
  EXPECT_EQ(1, LP_Error);
  EXPECT_NE(std::string::npos, Mensaje().find("Falta papel en impresora|"));
  // The title lines do not print; the closing command does and stops.
  Ordenar(227, {"a", "b", "c"});
  EXPECT_EQ(4u, Enviadas().size());
  EXPECT_EQ(1, LP_Error);
}

TEST_F(OrdenesEpson, LineaDePieRechazadaNoDetieneElCierre) {
  contestar = [](const TramaEnviada& t) {
    if (t.codigo == ']' && t.campos.at(0) == "12") return Contestacion{0, prueba::kCampoInvalido, {}};
    if (t.codigo == 'J') return Contestacion{0, 0x0600, {"00000123"}};
    return Contestacion{};
  };
  Ordenar(227, {"a", "b", "c"});
  EXPECT_EQ((Frames{"]|11|a", "]|12|b", "]|13|c", "J|T"}), Enviadas());
  EXPECT_EQ(0, LP_Error) << Mensaje();
  EXPECT_EQ(123, LP_UltimoComprobante);
}

TEST_F(OrdenesEpson, CierreNoFiscalRechazadoConservaElNumeroAnterior) {
  LP_UltimoComprobante = 77;
  contestar = [](const TramaEnviada& t) {
    if (t.codigo == 'J') return Contestacion{0, 0x0600 | 0x0020 | 0x8000, {"999"}};
    return Contestacion{};
  };
  Ordenar(227);
  EXPECT_EQ(1, LP_Error);
  EXPECT_EQ(77, LP_UltimoComprobante);
}

}  // namespace

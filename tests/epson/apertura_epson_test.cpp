// Opening Epson fiscal documents (order 216) against a scripted printer:
// kinds and capabilities, the letter rule, customer checks, field shapes
// and the silent retries of a refused address or reference.
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

// The arguments of order 216, an inscribed customer by default.
struct Cliente {
  std::string nombre = "Juan Perez", nombre2 = "", iva = "I", tipo = "CUIT",
              numero = "20-12345678-9", marca = "", domicilio = "Calle 1", domicilio2 = "",
              domicilio3 = "", referencia = "", referencia2 = "", clase = "x", copias = "";
  std::vector<std::string> Args() const {
    return {nombre,     nombre2,    iva,        tipo,        numero,      marca, domicilio,
            domicilio2, domicilio3, referencia, referencia2, clase,       copias};
  }
};

class AperturaEpson : public prueba::OrdenesEpsonGuionadas {
 protected:
  void SetUp() override {
    OrdenesEpsonGuionadas::SetUp();
    Modo("FC");
  }
  void Abrir(const Cliente& c) { Ordenar(216, c.Args()); }
  const fiscal::ComprobanteEnCurso& Doc() const { return fiscal::Estado().comprobante; }
};

TEST_F(AperturaEpson, FacturaAInscriptoCampoPorCampo) {
  Abrir({});
  EXPECT_EQ(Frames{"`|F|C|A|1|P|12|I|I|Juan Perez|DEL|CUIT|20123456789|N|Calle 1|DEL|DEL|DEL|"
                   "DEL|C"},
            Enviadas());
  EXPECT_EQ(0, LP_Error) << Mensaje();
  EXPECT_EQ("F", Doc().TipoDocumento.Valor());
  EXPECT_EQ("A", Doc().Letra.Valor());
  EXPECT_EQ(1, Doc().Copias);
}

struct CasoApertura {
  const char* nombre;
  Cliente cliente = {};
  const char* modo = "FC";
  const char* emisor = "I";
  uint8_t emite = 1;  // every capability switch
  // Fields of the open command expected (1-based), or its one frame.
  std::vector<std::pair<int, std::string>> campos = {};
  Frames frames = {};
  const char* error = "";
  const char* tipo = "";  // TipoDocumento afterwards, when checked
  friend void PrintTo(const CasoApertura& c, std::ostream* os) { *os << c.nombre; }
};

const CasoApertura kAperturas[] = {
    {.nombre = "TiqueSinValidarCliente",
     .cliente = {.iva = "?", .clase = "x"},
     .modo = "TQ",
     .frames = {"@|C"},
     .tipo = "T"},
    {.nombre = "TiqueDeRemitoSinPermiso",
     .cliente = {.clase = "R"},
     .modo = "TQ",
     .emite = 0,
     .error = "La impresora no emite remitos",
     .tipo = "R"},
    {.nombre = "TiqueDeRemito", .cliente = {.clase = "r"}, .modo = "TQ", .frames = {"@|C"},
     .tipo = "R"},
    {.nombre = "ResponsableNoInscriptoConMarca",
     .cliente = {.iva = "R", .marca = "1"},
     .campos = {{3, "B"}, {8, "R"}, {13, "B"}}},
    {.nombre = "ResponsableNoInscriptoSinMarca",
     .cliente = {.iva = "R", .marca = "0"},
     .campos = {{3, "A"}, {13, "N"}}},
    {.nombre = "ConsumidorFinalLetraB",
     .cliente = {.nombre = "", .iva = "F", .tipo = "", .numero = ""},
     .campos = {{3, "B"}, {9, "DEL"}, {11, "DEL"}, {12, "0"}}},
    {.nombre = "MonotributoEmiteLetraC", .emisor = "M", .campos = {{3, "C"}, {7, "M"}}},
    {.nombre = "DocumentoConPuntosEnMayusculas",
     .cliente = {.iva = "F", .tipo = "dni", .numero = "12.345.678"},
     .campos = {{11, "DNI"}, {12, "00012345678"}}},
    {.nombre = "NumeroSinDigitos",
     .cliente = {.iva = "S", .tipo = "DNI", .numero = "s/n"},
     .campos = {{11, "DEL"}, {12, "0"}}},
    {.nombre = "CategoriaClienteInvalida",
     .cliente = {.iva = "C"},
     .error = "Mal tipo de iva cliente|Enviado=C"},
    {.nombre = "CategoriaClienteEnBlanco",
     .cliente = {.iva = ""},
     .error = "Mal tipo de iva cliente|Enviado="},
    {.nombre = "CategoriaEmisorInvalida",
     .emisor = "X",
     .error = "Mal tipo de iva emisor|Enviado=X"},
    {.nombre = "CuitEnMinusculas",
     .cliente = {.tipo = "cuit"},
     .error = "Tipo de comprobante debe ser \"CUIT\" en iva\"I\""},
    {.nombre = "CuitSinNumero",
     .cliente = {.iva = "E", .numero = "--"},
     .error = "Debe indicar el numero de CUIT"},
    {.nombre = "FaltaNombre", .cliente = {.nombre = ""}, .error = "Falta nombre cliente"},
    {.nombre = "ReciboSinNumero",
     .cliente = {.clase = "P"},
     .error = "Debe indicar el numero de recibo",
     .tipo = "P"},
    {.nombre = "Recibo",
     .cliente = {.referencia2 = "R-0001", .clase = "p"},
     .campos = {{1, "L"}, {3, "X"}, {17, "DEL"}, {18, "R-0001"}},
     .tipo = "L"},
    {.nombre = "CreditoSinFacturas",
     .cliente = {.clase = "C"},
     .error = "Debe indicar que facturas cancela el credito"},
    {.nombre = "CreditoEnFormulario",
     .cliente = {.referencia = "A-0001-00000012", .clase = "C"},
     .campos = {{1, "N"}, {3, "A"}, {17, "A-0001-00000012"}},
     .tipo = "N"},
    {.nombre = "CreditoEnTiqueFactura",
     .cliente = {.referencia = "x", .clase = "C"},
     .modo = "TF",
     .campos = {{1, "M"}},
     .tipo = "M"},
    {.nombre = "DebitoEnTiqueFactura", .cliente = {.clase = "D"}, .modo = "TF", .campos = {{1, "T"}}},
    {.nombre = "DebitoSinPermiso",
     .cliente = {.clase = "D"},
     .emite = 0,
     .error = "La impresora no emite notas de debito"},
    {.nombre = "CotizacionLetraX", .cliente = {.clase = "Z"}, .campos = {{1, "C"}, {3, "X"}}},
    {.nombre = "RemitoLetraX", .cliente = {.clase = "R"}, .campos = {{1, "E"}, {3, "X"}}},
    {.nombre = "TiqueFactura", .modo = "TF", .campos = {{1, "T"}}, .tipo = "T"},
    {.nombre = "CopiasPedidas", .cliente = {.copias = "3"}, .campos = {{4, "3"}}},
    {.nombre = "CopiasModulo256", .cliente = {.copias = "256"}, .campos = {{4, "1"}}},
    {.nombre = "NombreCortado",
     .cliente = {.nombre = std::string(90, 'n') + "  "},
     .campos = {{9, std::string(80, 'n')}}},
};

class TablaDeAperturas : public AperturaEpson,
                         public ::testing::WithParamInterface<CasoApertura> {};

TEST_P(TablaDeAperturas, CamposYMensaje) {
  const CasoApertura& c = GetParam();
  Modo(c.modo);
  fiscal::Param().LP_TipoIva = c.emisor;
  LP_EmiteFAC = LP_EmiteCRE = LP_EmiteRTO = LP_EmitePAG = LP_EmiteCOT = c.emite;
  Abrir(c.cliente);
  EXPECT_EQ(c.error, Mensaje());
  auto tramas = Tramas();
  if (*c.error) {
    EXPECT_TRUE(tramas.empty());
  }
  if (!c.frames.empty()) {
    EXPECT_EQ(c.frames, Enviadas());
  }
  if (!c.campos.empty()) {
    ASSERT_EQ(1u, tramas.size());
    ASSERT_EQ(0x60, tramas[0].codigo);
    ASSERT_EQ(19u, tramas[0].campos.size());
    for (const auto& [n, valor] : c.campos) {
      std::string enviado = tramas[0].campos[n - 1] == "\x7F" ? "DEL" : tramas[0].campos[n - 1];
      EXPECT_EQ(valor, enviado) << "campo " << n;
    }
  }
  if (*c.tipo) {
    EXPECT_EQ(c.tipo, Doc().TipoDocumento.Valor());
  }
}

INSTANTIATE_TEST_SUITE_P(Epson, TablaDeAperturas, ::testing::ValuesIn(kAperturas),
                         [](const auto& i) { return std::string(i.param.nombre); });

TEST_F(AperturaEpson, ObraSocialMarcaLosDosModos) {
  fiscal::Param().LP_OSocEmitir = 1;
  Abrir({});
  EXPECT_EQ("G", Tramas().at(0).campos.at(18));
  Modo("TQ");
  Abrir({});
  EXPECT_EQ(Frames{"@|G"}, Enviadas());
}

TEST_F(AperturaEpson, FacturaEnRFQuedaEnFCHastaReleerParametros) {
  Modo("RF");
  Abrir({});
  EXPECT_EQ("F", Tramas().at(0).campos.at(0));
  EXPECT_EQ("FC", fiscal::Param().LP_TipoComprobante.Valor());
}

// The printer refuses a field with "Campo con error: N" in its answer.
Contestacion RechazarCampo(int n) {
  return {0, prueba::kCampoInvalido, {"Campo con error: " + std::to_string(n)}};
}

TEST_F(AperturaEpson, DomicilioSiempreRechazadoCuatroEnviosYUnSoloAviso) {
  contestar = [](const TramaEnviada& t) {
    return t.codigo == 0x60 ? RechazarCampo(14) : Contestacion{};
  };
  Abrir({});
  auto tramas = Tramas();
  ASSERT_EQ(4u, tramas.size());
  EXPECT_EQ("Calle 1", tramas[0].campos.at(13));
  for (size_t i = 1; i < tramas.size(); ++i) EXPECT_EQ("CIUDAD", tramas[i].campos.at(13));
  EXPECT_EQ(1, LP_Error);
  EXPECT_NE(std::string::npos, Mensaje().find("Campo con error: 14"));
  EXPECT_EQ(1u, operador.Con("ERROR").size());
  EXPECT_EQ(1, LP_ErrorMostrar);
}

TEST_F(AperturaEpson, ReferenciaRechazadaUnaVezSeReemplazaSinAviso) {
  int envios = 0;
  contestar = [&](const TramaEnviada& t) {
    return t.codigo == 0x60 && envios++ == 0 ? RechazarCampo(17) : Contestacion{};
  };
  Abrir({});
  auto tramas = Tramas();
  ASSERT_EQ(2u, tramas.size());
  EXPECT_EQ("\x7F", tramas[0].campos.at(16));
  EXPECT_EQ("SIN REMITO", tramas[1].campos.at(16));
  EXPECT_EQ(0, LP_Error) << Mensaje();
  EXPECT_TRUE(operador.cajas.empty());
}

TEST_F(AperturaEpson, OtroRechazoSeEnviaUnaVezMasParaMostrarlo) {
  LP_ErrorMostrar = 0;
  contestar = [](const TramaEnviada&) { return RechazarCampo(8); };
  Abrir({});
  ASSERT_EQ(2u, Tramas().size());
  EXPECT_EQ(Tramas()[0].campos, Tramas()[1].campos);
  EXPECT_EQ(1, LP_Error);
  EXPECT_TRUE(operador.cajas.empty());
  EXPECT_EQ(0, LP_ErrorMostrar);
}

}  // namespace

// Whole fiscal documents through LP_IMPRIMIR against the simulated Epson
// printer: what reached it, what it printed, and the number and totals the
// host reads afterwards.
#include <gtest/gtest.h>

#include <string>

#include "common/estado.h"
#include "common/lp_fiscal.h"
#include "simulador_fixture.h"

namespace {

int64_t Centesimos(const LP_Decimal& d) { return lp_decimal_a_centesimos(d); }

class DocumentosEpson : public prueba::PruebaConSimulador {
 protected:
  void SetUp() override {
    PruebaConSimulador::SetUp();
    LP_ErrorMostrar = 0;
    // First contact: the identity query, out of the way of the documents.
    LP_IMPRIMIR(200);
    ASSERT_EQ(0, LP_Error) << LP_ErrorMensaje;
    desde_ = sim->Codigos().size();
  }
  // The command codes received since the set-up.
  std::string Codigos() const { return sim->Codigos().substr(desde_); }
  void SinError(const char* paso) const { EXPECT_EQ(0, LP_Error) << paso << ": " << LP_ErrorMensaje; }

 private:
  size_t desde_ = 0;
};

TEST_F(DocumentosEpson, TiqueCompleto) {
  LP_IMPRIMIR(216, "", "", "", "", "", "", "", "", "", "", "", "x");
  SinError("216");
  LP_IMPRIMIR(218, "Gaseosa", "", "", "", "2", "1.50", "", "21", "", "", "T");
  SinError("218");
  LP_IMPRIMIR(218, "Pan", "", "", "", "1", "10", "", "21", "", "", "T");
  SinError("218");
  LP_IMPRIMIR(222, "Efectivo", "20");
  SinError("222");
  LP_IMPRIMIR(224, "Gracias por su compra");
  SinError("224");

  EXPECT_EQ("@BBD]]]CE", Codigos());
  EXPECT_EQ(1, LP_UltimoComprobante);
  EXPECT_EQ(1300, Centesimos(LP_UltimoTotal));
  EXPECT_EQ(1074, Centesimos(LP_UltimoNeto));
  EXPECT_EQ(226, Centesimos(LP_UltimoIva));
  EXPECT_EQ(0, Centesimos(LP_UltimoImpInterno));
  EXPECT_EQ(0, Centesimos(LP_UltimoPercepcion));
  std::string rollo = sim->TextoRollo();
  for (const char* texto : {"Gaseosa", "Pan", "Efectivo", "TOTAL", "Su vuelto",
                            "Comprobante Nro. 00000001", "Gracias por su compra"}) {
    EXPECT_NE(std::string::npos, rollo.find(texto)) << texto << "\n" << rollo;
  }
}

TEST_F(DocumentosEpson, TiqueCanceladoSeImprimeComoTal) {
  LP_IMPRIMIR(216, "", "", "", "", "", "", "", "", "", "", "", "x");
  LP_IMPRIMIR(218, "Gaseosa", "", "", "", "1", "1.50", "", "21", "", "", "T");
  LP_IMPRIMIR(223);
  SinError("223");
  EXPECT_EQ("@B]]]D", Codigos());
  EXPECT_NE(std::string::npos, sim->TextoRollo().find("COMPROBANTE CANCELADO"));
  // The printer is free for the next document.
  LP_IMPRIMIR(216, "", "", "", "", "", "", "", "", "", "", "", "x");
  SinError("216 tras cancelar");
}

class FacturaEpson : public DocumentosEpson,
                     public ::testing::WithParamInterface<const char*> {};

// An invoice "A" to an inscribed customer: the price with taxes becomes
// the net price the printer takes for letter A.
TEST_P(FacturaEpson, FacturaACompleta) {
  fiscal::Param().LP_TipoComprobante = GetParam();
  LP_IMPRIMIR(216, "Cliente SA", "", "I", "CUIT", "30-71234567-8", "", "Calle 1", "", "", "",
              "", "f", "1");
  SinError("216");
  EXPECT_EQ("A", fiscal::Estado().comprobante.Letra.Valor());
  LP_IMPRIMIR(218, "Servicio", "", "", "", "1", "121", "", "21", "", "", "T");
  SinError("218");
  LP_IMPRIMIR(219, "Subtotal", "");
  SinError("219");
  EXPECT_EQ(12100, Centesimos(LP_UltimoTotal));
  LP_IMPRIMIR(222, "", "121");
  SinError("222");
  LP_IMPRIMIR(224);
  SinError("224");

  EXPECT_EQ("`bcd]]]c*e", Codigos());
  auto recibidas = sim->Recibidas();
  EXPECT_EQ(GetParam() == std::string("FC") ? "F" : "T", recibidas.back().campos.at(0));
  EXPECT_EQ("A", recibidas.back().campos.at(1));
  EXPECT_EQ(1, LP_UltimoComprobante);
  EXPECT_EQ(12100, Centesimos(LP_UltimoTotal));
  EXPECT_EQ(10000, Centesimos(LP_UltimoNeto));
  EXPECT_EQ(2100, Centesimos(LP_UltimoIva));
  std::string rollo = sim->TextoRollo();
  for (const char* texto : {"Cliente SA", "Servicio", "Neto gravado", "Comprobante Nro. 00000001"})
    EXPECT_NE(std::string::npos, rollo.find(texto)) << texto << "\n" << rollo;
}

INSTANTIATE_TEST_SUITE_P(Epson, FacturaEpson, ::testing::Values("FC", "TF"));

TEST_F(DocumentosEpson, DomicilioRechazadoSeReemplazaEnSilencio) {
  fiscal::Param().LP_TipoComprobante = "FC";
  sim->Fallar("reject-field 14");
  LP_ErrorMostrar = 1;
  LP_IMPRIMIR(216, "Cliente SA", "", "I", "CUIT", "30712345678", "", "Calle 1", "", "", "", "",
              "f", "1");
  SinError("216");
  auto recibidas = sim->Recibidas();
  ASSERT_GE(recibidas.size(), 2u);
  EXPECT_EQ("Calle 1", recibidas[recibidas.size() - 2].campos.at(13));
  EXPECT_EQ("CIUDAD", recibidas.back().campos.at(13));
  EXPECT_TRUE(operador.Con("ERROR").empty());
}

}  // namespace

// Whole Hasar documents against the printer simulator: a ticket and a form
// invoice with customer data, from opening to the totals read back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/estado.h"
#include "common/lp_fiscal.h"
#include "simulador_fixture.h"

namespace {

class DocumentosSimuladorHasar : public prueba::PruebaConSimulador {
 protected:
  void SetUp() override {
    PruebaConSimulador::SetUp();
    LP_ErrorMostrar = 0;
  }
  void Paso(int16_t orden, const char* a1 = nullptr, const char* a2 = nullptr,
            const char* a3 = nullptr) {
    LP_IMPRIMIR(orden, a1, a2, a3);
    ASSERT_EQ(0, LP_Error) << orden << ": " << LP_ErrorMensaje;
  }
  void Item(const char* descripcion, const char* cantidad, const char* precio) {
    LP_IMPRIMIR(218, descripcion, nullptr, nullptr, nullptr, cantidad, precio, nullptr, "21");
    ASSERT_EQ(0, LP_Error) << LP_ErrorMensaje;
  }
  bool EnRollo(const std::string& texto) const {
    return sim->TextoRollo().find(texto) != std::string::npos;
  }
  static int64_t C(const LP_Decimal& d) { return lp_decimal_a_centesimos(d); }
  // Neto, IVA, internal taxes, perceptions and total, in hundredths.
  static std::vector<int64_t> Totales() {
    return {C(LP_UltimoNeto), C(LP_UltimoIva), C(LP_UltimoImpInterno), C(LP_UltimoPercepcion),
            C(LP_UltimoTotal)};
  }
};

TEST_F(DocumentosSimuladorHasar, TiqueDeDosItems) {
  ASSERT_NO_FATAL_FAILURE(Paso(216));
  ASSERT_NO_FATAL_FAILURE(Item("Yerba", "2", "150.50"));
  ASSERT_NO_FATAL_FAILURE(Item("Azucar", "1", "99.99"));
  ASSERT_NO_FATAL_FAILURE(Paso(219, nullptr, "1"));
  EXPECT_EQ(40099, C(LP_UltimoTotal));
  ASSERT_NO_FATAL_FAILURE(Paso(222, "Efectivo", "500"));
  ASSERT_NO_FATAL_FAILURE(Paso(224, "Gracias por su compra"));

  EXPECT_EQ(1, LP_UltimoComprobante);
  EXPECT_EQ((std::vector<int64_t>{33140, 6959, 0, 0, 40099}), Totales());
  EXPECT_EQ("*s@BBCD]]]Epq", sim->Codigos());
  for (const char* t : {"TIQUE", "Yerba", "Azucar", "400.99", "Efectivo", "Su vuelto", "99.01",
                        "Gracias por su compra", "Comprobante Nro. 00000001"})
    EXPECT_TRUE(EnRollo(t)) << t << "\n" << sim->TextoRollo();
}

TEST_F(DocumentosSimuladorHasar, FacturaEnFormularioConCliente) {
  fiscal::Param().LP_TipoComprobante = "FC";
  LP_IMPRIMIR(216, "Empresa", "SRL", "I", "cuit", "30-71234567-8", nullptr, "Av. Siempreviva 742",
              "Springfield", "Centro", nullptr, nullptr, "F", "2");
  ASSERT_EQ(0, LP_Error) << LP_ErrorMensaje;
  EXPECT_EQ("A", fiscal::Estado().comprobante.Letra.Valor());
  ASSERT_NO_FATAL_FAILURE(Item("Servicio", "1", "1000"));
  LP_IMPRIMIR(220, "3.5", "Percepcion IIBB", "35");
  ASSERT_EQ(0, LP_Error) << LP_ErrorMensaje;
  ASSERT_NO_FATAL_FAILURE(Paso(224));

  EXPECT_EQ(1, LP_UltimoComprobante);
  EXPECT_EQ((std::vector<int64_t>{100000, 21000, 0, 3500, 124500}), Totales());
  EXPECT_EQ(0, fiscal::Estado().comprobante.Copias);
  for (const auto& r : sim->Recibidas()) {
    if (r.codigo != 'b') continue;
    EXPECT_EQ((std::vector<std::string>{"Empresa SRL", "30712345678", "I", "C",
                                        "Av. Siempreviva 742 Springfield Centro"}),
              r.campos);
  }
  for (const char* t : {"FACTURA \"A\"", "Empresa SRL 30712345678 Av. Siempreviva", "Servicio",
                        "Percepcion IIBB", "*** COPIA *** Nro. 1"})
    EXPECT_TRUE(EnRollo(t)) << t << "\n" << sim->TextoRollo();
  size_t copias = 0;
  for (const auto& l : sim->Rollo()) copias += l.find("*** COPIA ***") != std::string::npos;
  EXPECT_EQ(2u, copias);
  for (const auto& r : sim->Recibidas()) EXPECT_EQ(0x1B, r.bytes.at(2)) << r.codigo;
}

TEST_F(DocumentosSimuladorHasar, NotaDeCreditoYCancelacion) {
  fiscal::Param().LP_TipoComprobante = "TF";
  LP_EmiteCRE = 1;
  LP_IMPRIMIR(216, nullptr, nullptr, "F", "DNI", nullptr, nullptr, nullptr, nullptr, nullptr,
              nullptr, "0001-00000012", "C");
  ASSERT_EQ(0, LP_Error) << LP_ErrorMensaje;
  ASSERT_NO_FATAL_FAILURE(Item("Devolucion", "1", "121"));
  ASSERT_NO_FATAL_FAILURE(Paso(224));
  EXPECT_EQ(1, LP_UltimoComprobante);
  EXPECT_EQ((std::vector<int64_t>{10000, 2100, 0, 0, 12100}), Totales());
  for (const char* t : {"NOTA DE CREDITO \"B\"", "Ref.: 0001-00000012", "Devolucion"})
    EXPECT_TRUE(EnRollo(t)) << t << "\n" << sim->TextoRollo();

  ASSERT_NO_FATAL_FAILURE(Paso(216, nullptr, nullptr, "F"));
  ASSERT_NO_FATAL_FAILURE(Item("Error", "1", "5"));
  ASSERT_NO_FATAL_FAILURE(Paso(223));
  EXPECT_TRUE(EnRollo("*** COMPROBANTE CANCELADO ***")) << sim->TextoRollo();
  const std::string codigos = sim->Codigos();
  EXPECT_EQ("\x81", codigos.substr(codigos.find("B]]]") + 4, 1));
  EXPECT_EQ("]]]\x98", codigos.substr(codigos.size() - 4));
}

}  // namespace

// Numbers, amounts, dates and times in the shapes printers and operators read.
#include <gtest/gtest.h>

#include "common/formatos.h"
#include "common/lp_fiscal.h"

namespace {

using fiscal::Decimal;
using fiscal::LeerDecimal;

TEST(Formatos, LeerDecimal) {
  struct Caso {
    const char* texto;
    int64_t millonesimos;
  };
  const Caso casos[] = {
      {"1.5", 1'500'000},     {"  -12.5", -12'500'000}, {"abc", 0},
      {"", 0},                {"7x", 7'000'000},        {"0.0000005", 1},
      {"0.00000049", 0},      {"+3.", 3'000'000},       {"1,5", 1'000'000},
      {"99999999999999999999.5", (INT64_MAX / 100 / Decimal::kUno) * Decimal::kUno + 500'000},
  };
  for (const Caso& c : casos) EXPECT_EQ(c.millonesimos, LeerDecimal(c.texto).millonesimos) << c.texto;
}

TEST(Formatos, FormasDeNumero) {
  EXPECT_EQ("0057", fiscal::EnteroFijo(57, 4));
  EXPECT_EQ("123456", fiscal::EnteroFijo(123456, 4));  // never cut: the printer refuses it
  EXPECT_EQ("00001500", fiscal::DecimalesImplicitos(LeerDecimal("1.5"), 8, 3));
  EXPECT_EQ("0000101", fiscal::DecimalesImplicitos(LeerDecimal("1.005"), 7, 2));
  EXPECT_EQ("21.00", fiscal::DecimalConPunto(LeerDecimal("21"), 5, 2));
  EXPECT_EQ("0000012.50", fiscal::DecimalConPunto(LeerDecimal("12.5"), 10, 2, true));
  EXPECT_EQ("-000012.50", fiscal::DecimalConPunto(LeerDecimal("-12.5"), 10, 2, true));
  EXPECT_EQ("000012.50", fiscal::DecimalConPunto(LeerDecimal("-12.5"), 9, 2));
  EXPECT_EQ("0001", fiscal::DecimalConPunto(LeerDecimal("0.6"), 4, 0));
  EXPECT_EQ("      1,234.50", fiscal::ImporteVisible(LeerDecimal("1234.5")));
  EXPECT_EQ(" -1,234,567.00", fiscal::ImporteVisible(LeerDecimal("-1234567")));
  EXPECT_EQ("          0.00", fiscal::ImporteVisible(Decimal{}));
}

TEST(Formatos, FechasYHoras) {
  fiscal::FechaHora f{2026, 12, 1, 9, 5, 7};
  EXPECT_EQ("261201", fiscal::FechaImpresora(f));
  EXPECT_EQ("090507", fiscal::HoraImpresora(f));
  EXPECT_EQ("01/12/26", fiscal::FechaVisible(lp_fecha_serial(2026, 12, 1)));
  EXPECT_EQ("09:05:07", fiscal::HoraVisible(lp_hora_serial(9, 5, 7, 0)));
  EXPECT_EQ("        ", fiscal::FechaVisible(0));
  EXPECT_EQ("        ", fiscal::HoraVisible(0));
}

}  // namespace

// The exported variables as a host binds them.
#include <gtest/gtest.h>

#include "common/estado.h"
#include "common/lp_fiscal.h"
#include "common/texto.h"

namespace {

TEST(Decimal, EmpaquetaYSaturaComoElHost) {
  struct Caso {
    int64_t centesimos;
    uint8_t bytes[6];
    int64_t leido;
  };
  const Caso casos[] = {
      {0, {0x00, 0x00, 0x00, 0x00, 0x00, 0x0C}, 0},
      {123450, {0x00, 0x00, 0x01, 0x23, 0x45, 0x0C}, 123450},
      {-1250, {0x00, 0x00, 0x00, 0x01, 0x25, 0x0D}, -1250},
      {99999999999LL, {0x99, 0x99, 0x99, 0x99, 0x99, 0x9C}, 99999999999LL},
      {123456789012LL, {0x99, 0x99, 0x99, 0x99, 0x99, 0x9C}, 99999999999LL},
      {-123456789012LL, {0x99, 0x99, 0x99, 0x99, 0x99, 0x9D}, -99999999999LL},
  };
  for (const Caso& c : casos) {
    uint8_t d[6];
    lp_decimal_de_centesimos(d, c.centesimos);
    EXPECT_EQ(0, memcmp(d, c.bytes, 6)) << c.centesimos;
    EXPECT_EQ(c.leido, lp_decimal_a_centesimos(d)) << c.centesimos;
  }
}

TEST(FechaHora, SerialesDelHost) {
  EXPECT_EQ(4, lp_fecha_serial(1801, 1, 1));
  EXPECT_EQ(1, lp_fecha_serial(1800, 12, 29));
  int a, m, d;
  for (int32_t s : {4, 36525, 80000, lp_fecha_serial(2026, 12, 11), lp_fecha_serial(2000, 2, 29)}) {
    lp_fecha_de_serial(s, &a, &m, &d);
    EXPECT_EQ(s, lp_fecha_serial(a, m, d));
  }
  lp_fecha_de_serial(lp_fecha_serial(2026, 12, 11), &a, &m, &d);
  EXPECT_EQ(2026, a);
  EXPECT_EQ(12, m);
  EXPECT_EQ(11, d);
  EXPECT_EQ(1, lp_hora_serial(0, 0, 0, 0));
  EXPECT_EQ(100 * (13 * 3600 + 5 * 60 + 9) + 1, lp_hora_serial(13, 5, 9, 0));
  int h, mi, se;
  lp_hora_de_serial(lp_hora_serial(23, 59, 58, 0), &h, &mi, &se);
  EXPECT_EQ(23, h);
  EXPECT_EQ(59, mi);
  EXPECT_EQ(58, se);
}

TEST(Exportadas, ValoresAlCargar) {
  fiscal::ReiniciarDriver();
  EXPECT_EQ(std::string(255, ' '), std::string(LP_Resultado, 255));
  EXPECT_EQ(1, LP_ResultadoMostrar);
  EXPECT_EQ(1, LP_ErrorMostrar);
  EXPECT_EQ(0, LP_Error);
  EXPECT_EQ('\0', LP_ErrorMensaje[0]);
  EXPECT_EQ(80, LP_LonLinCot);
  EXPECT_EQ(0, LP_EmiteFAC);
  EXPECT_EQ(0, lp_decimal_a_centesimos(LP_UltimoTotal));
  EXPECT_EQ(0x0C, LP_UltimoTotal[5]);
  EXPECT_EQ(' ', LP_NumeroImpresora[0]);
  EXPECT_EQ(std::string(17, ' '), std::string(LP_ParametrosLeidos, 17));
}

}  // namespace

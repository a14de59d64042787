// How failures reach the host and the operator.
#include <gtest/gtest.h>

#include <string>

#include "common/driver.h"
#include "common/errores.h"
#include "common/lp_fiscal.h"
#include "entorno_prueba.h"

namespace {

class Errores : public prueba::EntornoPrueba {};

TEST_F(Errores, RegistraYMuestraSegunLP_ErrorMostrar) {
  for (uint8_t mostrar : {1, 0}) {
    SCOPED_TRACE(mostrar);
    operador.cajas.clear();
    LP_ErrorMostrar = mostrar;
    fiscal::MostrarError("Error al leer el puerto|Codigo=5");
    EXPECT_EQ(1, LP_Error);
    EXPECT_STREQ("Error al leer el puerto|Codigo=5", LP_ErrorMensaje);
    ASSERT_EQ(mostrar ? 1u : 0u, operador.cajas.size());
    if (mostrar) {
      EXPECT_EQ("ERROR", operador.cajas[0].titulo);
      EXPECT_EQ(fiscal::Icono::Error, operador.cajas[0].icono);
      EXPECT_EQ(fiscal::Botones::Aceptar, operador.cajas[0].botones);
      EXPECT_EQ("Error al leer el puerto|Codigo=5", operador.cajas[0].texto);
    }
  }
}

TEST_F(Errores, MensajeEnBlancoLimpia) {
  fiscal::MostrarError("falla");
  operador.cajas.clear();
  fiscal::MostrarError("    ");
  EXPECT_EQ(0, LP_Error);
  EXPECT_STREQ("", LP_ErrorMensaje);
  EXPECT_TRUE(operador.cajas.empty());
}

TEST_F(Errores, MensajeLargoSeCortaA254) {
  std::string largo(300, 'x');
  largo[253] = 'y';
  fiscal::MostrarError(largo);
  EXPECT_EQ(std::string(253, 'x') + "y", std::string(LP_ErrorMensaje));
  EXPECT_EQ('\0', LP_ErrorMensaje[254]);
  EXPECT_EQ(254u, operador.cajas.at(0).texto.size());
}

TEST(Argumentos, CopiasDeAnchoFijo) {
  fiscal::Argumentos a;
  for (int n = 1; n <= fiscal::kArgumentosOrden; ++n) EXPECT_EQ(std::string(250, ' '), a[n]);
  std::string largo(300, 'z');
  a.Asignar(3, largo.c_str());
  a.Asignar(4, "abc");
  a.Asignar(5, nullptr);
  EXPECT_EQ(std::string(250, 'z'), a[3]);
  EXPECT_EQ("abc" + std::string(247, ' '), a[4]);
  EXPECT_EQ(std::string(250, ' '), a[5]);
}

}  // namespace

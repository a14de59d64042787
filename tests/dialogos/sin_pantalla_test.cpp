// A process without a display: the console operator answers, nothing exits
// the process and nothing waits for a person.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "carpeta_temporal.h"
#include "common/edicion_parametros.h"
#include "common/estado.h"
#include "common/lp_fiscal.h"
#include "common/posix/operador_fltk.h"

namespace {

// Before anything asks for the operator.
const bool kSinPantalla = (unsetenv("DISPLAY"), true);

TEST(SinPantalla, ElOperadorEsElDeConsola) {
  ASSERT_TRUE(kSinPantalla);
  EXPECT_EQ(nullptr, fiscal::OperadorFltk());
  EXPECT_EQ(&fiscal::OperadorDeConsola(), &fiscal::OperadorDelSistema());
  EXPECT_EQ(fiscal::Respuesta::No,
            fiscal::OperadorDelSistema().Mostrar({.texto = "Seguir?|Otra linea",
                                                  .titulo = "AVISO",
                                                  .botones = fiscal::Botones::SiNo,
                                                  .defecto = fiscal::Respuesta::No}));
}

TEST(SinPantalla, ElEditorNoSeAbreYNadaSeGraba) {
  prueba::CarpetaTemporal carpeta;
  fiscal::ReiniciarDriver();
  ASSERT_EQ(&fiscal::OperadorDeConsola(), &fiscal::ElOperador());
  LP_EDITARPARAMETROS();
  EXPECT_FALSE(std::filesystem::exists(carpeta.En("drvfiscal/fiscal.ini")));
  // A call that needs parameters fails instead of asking for ever.
  LP_ErrorMostrar = 0;
  LP_IMPRIMIR(200);
  EXPECT_EQ(1, LP_Error);
  EXPECT_STREQ("Falta definir los parametros de impresion", LP_ErrorMensaje);
  fiscal::ReiniciarDriver();
}

}  // namespace

// One order call from the host's side: parameters, port, identity, order.
#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "common/edicion_parametros.h"
#include "common/estado.h"
#include "common/lp_fiscal.h"
#include "entorno_prueba.h"

namespace {

using prueba::RespuestaEpson;

class ConexionEpson : public prueba::EntornoPrueba {
 protected:
  void SetUp() override {
    EntornoPrueba::SetUp();
    puerto.al_escribir = [this](std::string_view w) {
      auto t = prueba::DesarmarTrama(w);
      if (t.codigo == '*' && falla_p && t.campos.at(0) == "P") return;  // silent printer
      std::vector<std::string> campos;
      if (t.codigo == '*' && t.campos.at(0) == "N")
        campos = {"00000457", "", "", "", "", "", serie};
      if (t.codigo == '*' && t.campos.at(0) == "P")
        campos = {"", "", "", "", "", "", "", "", "", "", "TM-U200"};
      puerto.Enviar(RespuestaEpson(t.secuencia, t.codigo, 0, 0x0600, campos));
    };
  }
  std::vector<std::string> Ordenes() const {
    std::vector<std::string> r;
    for (const auto& t : Tramas()) {
      std::string o(1, static_cast<char>(t.codigo));
      for (const auto& c : t.campos) o += " " + c;
      r.push_back(o);
    }
    return r;
  }

  std::string serie = "EPS0012345";
  bool falla_p = false;
};

TEST_F(ConexionEpson, IdentidadSoloEnElPrimerContacto) {
  LP_IMPRIMIR(200);
  ASSERT_EQ(0, LP_Error) << LP_ErrorMensaje;
  LP_IMPRIMIR(200);
  ASSERT_EQ(0, LP_Error) << LP_ErrorMensaje;
  EXPECT_EQ((std::vector<std::string>{"* N", "* P", "* N", "* N"}), Ordenes());
  EXPECT_EQ(2, puerto.aperturas);
  EXPECT_FALSE(puerto.abierto);
  EXPECT_EQ("COM2:", puerto.dispositivo);
  EXPECT_EQ((std::vector<std::string>{"COM2:9600,N,8,1", "COM2:9600,N,8,1"}), puerto.modos);
  EXPECT_EQ(std::string("EPS0012345     "), std::string(LP_SerieImpresora, 15));
  EXPECT_EQ(457, LP_UltimoComprobante);
  EXPECT_EQ("TM-U200", fiscal::Estado().ModeloImpresora.Valor());
  EXPECT_EQ(1, LP_Fiscalizada);
}

TEST_F(ConexionEpson, SerieEnBlancoSeVuelveAConsultar) {
  serie = "";
  LP_IMPRIMIR(200);
  LP_IMPRIMIR(200);
  EXPECT_EQ((std::vector<std::string>{"* N", "* P", "* N", "* N", "* P", "* N"}), Ordenes());
}

TEST_F(ConexionEpson, FallaLaSegundaConsultaDeIdentidad) {
  falla_p = true;
  LP_IMPRIMIR(200);
  EXPECT_EQ(1, LP_Error);
  EXPECT_STREQ("Error en la comunicacion con impresora| 30\"", LP_ErrorMensaje);
  EXPECT_EQ("EPS0012345", std::string(fiscal::LeerFijo(LP_SerieImpresora)));
  EXPECT_TRUE(fiscal::Estado().ModeloImpresora.Blanco());
  EXPECT_FALSE(puerto.abierto);
  falla_p = false;
  puerto.escrituras.clear();
  LP_IMPRIMIR(200);
  EXPECT_EQ(0, LP_Error);
  EXPECT_EQ((std::vector<std::string>{"* N"}), Ordenes());
}

TEST_F(ConexionEpson, OrdenDesconocidaConImpresora) {
  for (int16_t orden : {199, 230}) {
    LP_IMPRIMIR(orden, "A");
    EXPECT_EQ("La orden indicada no es valida|Orden=" + std::to_string(orden),
              std::string(LP_ErrorMensaje));
    EXPECT_FALSE(puerto.abierto);
  }
}

TEST_F(ConexionEpson, PuertoOcupadoNoEnviaNada) {
  puerto.error_abrir = EBUSY;
  LP_IMPRIMIR(200);
  EXPECT_EQ("Error al crear el puerto COM2:|Codigo=" + std::to_string(EBUSY),
            std::string(LP_ErrorMensaje));
  EXPECT_TRUE(puerto.escrituras.empty());
  // The next call, with the port free, works.
  puerto.error_abrir = 0;
  LP_IMPRIMIR(200);
  EXPECT_EQ(0, LP_Error) << LP_ErrorMensaje;
}

TEST_F(ConexionEpson, UnPuertoQuedadoAbiertoSeCierraAntesDeReabrir) {
  AbrirPuertoGuionado();
  LP_IMPRIMIR(200);
  EXPECT_EQ(0, LP_Error) << LP_ErrorMensaje;
  EXPECT_EQ(2, puerto.aperturas);
  EXPECT_EQ(2, puerto.cierres);
  // A failed open keeps nothing to close later.
  puerto.error_abrir = EBUSY;
  LP_IMPRIMIR(200);
  EXPECT_EQ(2, puerto.cierres);
}

TEST_F(ConexionEpson, ConfiguracionRechazadaCierraElPuerto) {
  fiscal::Param().LP_ImpresoraConfig = "9600,X,8,1";
  puerto.error_linea = EINVAL;
  LP_IMPRIMIR(200);
  EXPECT_EQ("Error al indicar parametros del puerto|COM2:9600,X,8,1|Codigo=" +
                std::to_string(EINVAL),
            std::string(LP_ErrorMensaje));
  EXPECT_FALSE(puerto.abierto);
  EXPECT_TRUE(puerto.escrituras.empty());
}

TEST_F(ConexionEpson, SinParametrosNiPantallaNoSeQuedaEsperando) {
  fiscal::AsignarFijo(LP_ParametrosLeidos, "");
  LP_IMPRIMIR(200);
  EXPECT_STREQ("Falta definir los parametros de impresion", LP_ErrorMensaje);
  EXPECT_EQ(0, puerto.aperturas);
  ASSERT_FALSE(operador.Con("AVISO").empty());
  EXPECT_EQ("Falta definir los parametros de impresion", operador.Con("AVISO")[0].texto);
}

TEST_F(ConexionEpson, ElEditorInsisteHastaQueSeGraba) {
  fiscal::AsignarFijo(LP_ParametrosLeidos, "");
  int veces = 0;
  operador.editor = [&](fiscal::EdicionParametros& e) {
    if (++veces < 3) return fiscal::ResultadoDialogo::Cerrado;
    e.copia.p.LP_ImpresoraPuerto = 5;
    e.Grabar();
    return fiscal::ResultadoDialogo::Grabado;
  };
  LP_IMPRIMIR(200);
  EXPECT_EQ(0, LP_Error) << LP_ErrorMensaje;
  EXPECT_EQ(3, operador.ediciones);
  EXPECT_EQ(3u, operador.Con("AVISO").size());
  EXPECT_EQ("COM5:", puerto.dispositivo);
  EXPECT_EQ("11/12/26 10:30:15", std::string(fiscal::LeerFijo(LP_ParametrosLeidos)));
}

TEST_F(ConexionEpson, NombreDeArchivoFIL) {
  fiscal::AsignarFijo(LP_Resultado, "FIL:otro.ini");
  LP_IMPRIMIR(200);
  EXPECT_EQ("otro.ini", fiscal::Estado().ArchivoParametros.Valor());
  EXPECT_TRUE(fiscal::LeerFijo(LP_Resultado).empty());
  // A result text that names no file is left alone.
  fiscal::AsignarFijo(LP_Resultado, "1,2,3");
  LP_IMPRIMIR(200);
  EXPECT_EQ("1,2,3", fiscal::LeerFijo(LP_Resultado));
  EXPECT_EQ("otro.ini", fiscal::Estado().ArchivoParametros.Valor());
}

}  // namespace

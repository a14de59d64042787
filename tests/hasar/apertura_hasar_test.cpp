// Order 216 on the scripted Hasar printer: checks against the parameters,
// customer checks, and the commands of every kind of document.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "ordenes_hasar_fixture.h"

namespace {

using namespace prueba;
using Lista = std::vector<std::string>;

// Order arguments 1 to 14 by number.
struct Args {
  std::string nombre{}, nombre2{}, iva{}, tipo_doc{}, doc{}, codigo_b{}, dir1{}, dir2{}, dir3{},
      asoc1{}, asoc2{}, tipo{}, copias{}, estacion{};
  Lista Lista14() const {
    return {nombre, nombre2, iva, tipo_doc, doc, codigo_b, dir1, dir2, dir3, asoc1, asoc2, tipo,
            copias, estacion};
  }
};

struct CasoApertura {
  const char* nombre;
  Args a;
  std::string modo = "TF", iva_emisor = "I";
  bool emite = true;          // every LP_Emite flag
  std::set<int> rechazadas;   // frames (from 0) refused as unknown commands
  std::string error;          // "" = none; then nothing is sent
  Lista enviadas;
  std::string tipo_documento, letra;
};

// The commands of an open without associated documents or address.
Lista Cliente(const std::string& b) {
  return {"93|1|DEL", "93|1|DEL", "93|2|DEL", b, "5D|09|DEL", "5D|10|DEL"};
}
Lista Mas(Lista l, const Lista& resto) {
  l.insert(l.end(), resto.begin(), resto.end());
  return l;
}

class AperturaHasar : public OrdenesHasar {};

TEST_F(AperturaHasar, ComprobantesYClientes) {
  const std::string cf = "62|Consumidor final|00000000000|C|2|DEL";
  const std::string dni = "Tipo de documento debe ser \"CUIT\" en iva\"";
  const CasoApertura casos[] = {
      {"tique de nota de debito sin permiso", {.tipo = "D"}, "TQ", "I", false, {},
       "La impresora no emite notas de debito", {}, "D", ""},
      {"tique que conserva la nota de debito", {.tipo = "d"}, "TQ", "I", true, {}, "",
       {"40|T|T"}, "D", ""},
      {"tique en estacion S", {.estacion = "1"}, "TQ", "I", true, {}, "", {"40|T|S"}, "T", ""},
      {"estacion 2 es T", {.estacion = "2"}, "TQ", "I", true, {}, "", {"40|T|T"}, "T", ""},
      {"consumidor final", {.nombre2 = "Perez  ", .iva = "F", .tipo_doc = "dni"}, "TF", "I", true,
       {}, "", Mas(Cliente("62|Consumidor final Perez|00000000000|C|2|DEL"), {"40|B|T"}), "T",
       "B"},
      {"no responsable con codigo B",
       {.nombre = "SA", .iva = "R", .tipo_doc = "CUIT", .doc = "20-1234567-8", .codigo_b = "1"},
       "TF", "I", true, {}, "", Mas(Cliente("62|SA|02012345678|B|C|DEL"), {"40|B|T"}), "T", "B"},
      {"inscripto con direccion",
       {.nombre = "Empresa", .iva = "I", .tipo_doc = "CUIT", .doc = "30.123",
        .dir1 = "Calle 1  ", .dir2 = "Piso 2", .dir3 = "Ciudad"},
       "TF", "I", true, {}, "",
       Mas(Cliente("62|Empresa|00000030123|I|C|Calle 1 Piso 2 Ciudad"), {"40|A|T"}), "T", "A"},
      {"monotributista emite C", {.iva = "F"}, "TF", "M", true, {}, "",
       Mas(Cliente(cf), {"40|B|T"}), "T", "C"},
      {"documento de once cifras", {.iva = "F", .doc = "1.234.567"}, "TF", "I", true, {}, "",
       Mas(Cliente("62|Consumidor final|00001234567|C|2|DEL"), {"40|B|T"}), "T", "B"},
      {"cuit obligatorio", {.nombre = "X", .iva = "I", .tipo_doc = "DNI"}, "TF", "I", true, {},
       dni + "I\"", {}, "T", "A"},
      {"cuit obligatorio exento", {.nombre = "X", .iva = "E", .tipo_doc = "PAS"}, "TF", "I", true,
       {}, dni + "E\"", {}, "T", "B"},
      {"categoria desconocida", {.iva = "Q"}, "TF", "I", true, {},
       "Mal tipo de iva cliente|Enviado=Q", {}, "T", ""},
      {"categoria en blanco", {}, "TF", "I", true, {}, "Mal tipo de iva cliente|Enviado=", {},
       "T", ""},
      {"emisor desconocido", {.iva = "F"}, "TF", "Z", true, {},
       "Mal tipo de iva emisor |Grabado=Z", {}, "T", ""},
      {"emisor en blanco", {.iva = "F"}, "TF", "", true, {}, "Mal tipo de iva emisor |Grabado=",
       {}, "T", ""},
      {"falta nombre", {.iva = "S"}, "TF", "I", true, {}, "Falta nombre cliente", {}, "T", "B"},
      {"credito sin facturas", {.iva = "F", .tipo = "C"}, "TF", "I", true, {},
       "Debe indicar que facturas cancela el credito", {}, "C", ""},
      {"credito sin permiso", {.iva = "F", .asoc1 = "1", .tipo = "C"}, "TF", "I", false, {},
       "La impresora no emite notas de credito", {}, "C", ""},
      {"credito con la segunda factura",
       {.iva = "F", .tipo_doc = "LE", .asoc2 = "0001-00000012", .tipo = "C"}, "TF", "I", true, {},
       "",
       {"93|1|DEL", "93|1|0001-00000012", "93|2|DEL", "62|Consumidor final|00000000000|C|0|DEL",
        "5D|09|DEL", "5D|10|DEL", "80|S|T"},
       "C", "B"},
      {"credito A", {.nombre = "E", .iva = "I", .tipo_doc = "CUIT", .asoc1 = "7", .tipo = "C"},
       "TF", "I", true, {}, "",
       {"93|1|DEL", "93|1|7", "93|2|DEL", "62|E|00000000000|I|C|DEL", "5D|09|DEL", "5D|10|DEL",
        "80|R|T"},
       "C", "A"},
      {"recibo sin numero", {.iva = "F", .tipo = "P"}, "TF", "I", true, {},
       "Debe indicar el numero de recibo", {}, "P", ""},
      {"recibo", {.iva = "F", .asoc1 = "0001-123", .tipo = "P", .estacion = "1"}, "TF", "I",
       true, {}, "",
       {"93|1|DEL", "93|1|0001-123", "93|2|DEL", cf, "5D|09|DEL", "5D|10|DEL",
        "80|x|S|0001-123"},
       "P", "B"},
      {"remito", {.iva = "F", .tipo = "R"}, "TF", "I", true, {}, "",
       Mas(Cliente(cf), {"80|r|T|"}), "R", "B"},
      {"remito sin permiso", {.tipo = "r"}, "TF", "I", false, {}, "La impresora no emite remitos",
       {}, "R", ""},
      {"cotizacion", {.iva = "F", .tipo = "Z"}, "TF", "I", true, {}, "",
       Mas(Cliente(cf), {"80|u|T|"}), "Z", "B"},
      {"cotizacion sin permiso", {.tipo = "Z"}, "TF", "I", false, {},
       "La impresora no emite cotizaciones", {}, "Z", ""},
      {"nota de debito A pasa a factura",
       {.nombre = "E", .iva = "R", .tipo_doc = "cuit", .tipo = "D"}, "TF", "I", true, {}, "",
       Mas(Cliente("62|E|00000000000|N|C|DEL"), {"40|D|T"}), "F", "A"},
      {"nota de debito B", {.iva = "F", .tipo = "D"}, "TF", "I", true, {}, "",
       Mas(Cliente(cf), {"40|E|T"}), "F", "B"},
      {"impresora sin documentos asociados",
       {.iva = "F", .asoc1 = "A-1", .asoc2 = "A-2"}, "TF", "I", true, {0}, "",
       {"93|1|DEL", "5D|06|A-1", "5D|07|A-2", "5D|08|DEL", cf, "5D|09|DEL", "5D|10|DEL",
        "40|B|T"},
       "T", "B"},
      {"impresora sin direccion del cliente",
       {.iva = "F", .dir1 = "Calle", .dir2 = "2", .dir3 = "Ciudad"}, "TF", "I", true, {3}, "",
       {"93|1|DEL", "93|1|DEL", "93|2|DEL", "62|Consumidor final|00000000000|C|2|Calle 2 Ciudad",
        "62|Consumidor final|00000000000|C|2", "5D|09|Calle", "5D|10|2 Ciudad", "40|B|T"},
       "T", "B"},
  };
  for (const CasoApertura& c : casos) {
    SCOPED_TRACE(c.nombre);
    Olvidar();
    fiscal::MostrarError("");
    fiscal::Param().LP_TipoComprobante = c.modo;
    fiscal::Param().LP_TipoIva = c.iva_emisor;
    LP_EmiteFAC = LP_EmiteCRE = LP_EmiteRTO = LP_EmitePAG = LP_EmiteCOT = c.emite;
    fiscal::Estado().comprobante = {};
    reacciones.clear();
    for (int n = 0; n < 10; ++n) reacciones.push_back(c.rechazadas.count(n) ? Rechazar() : Contestar());
    Orden(216, c.a.Lista14());
    EXPECT_EQ(c.error, Error());
    EXPECT_EQ(c.enviadas, Enviadas());
    EXPECT_EQ(c.tipo_documento, fiscal::Estado().comprobante.TipoDocumento.Valor());
    EXPECT_EQ(c.letra, fiscal::Estado().comprobante.Letra.Valor());
  }
}

TEST_F(AperturaHasar, FormularioConCopiasYCortesLargos) {
  fiscal::Param().LP_TipoComprobante = "RF";
  const std::string largo(60, 'n');
  Args a{.nombre = largo, .iva = "F", .dir1 = std::string(60, 'd'), .copias = "300"};
  Orden(216, a.Lista14());
  EXPECT_EQ("", Error());
  EXPECT_EQ("FC", fiscal::Param().LP_TipoComprobante.Valor());
  EXPECT_EQ(44, fiscal::Estado().comprobante.Copias);
  EXPECT_EQ("F", fiscal::Estado().comprobante.TipoDocumento.Valor());
  const auto tramas = Tramas();
  ASSERT_EQ(8u, tramas.size());
  for (const auto& t : tramas) EXPECT_TRUE(t.esc);
  EXPECT_EQ("64|9|44", Legible(tramas[0]));
  EXPECT_EQ("62|" + largo.substr(0, 50) + "|00000000000|C|2|" + std::string(50, 'd'),
            Legible(tramas[4]));

  // The other invoice modes cut the name at 30 and the address at 40.
  Olvidar();
  fiscal::Param().LP_TipoComprobante = "TF";
  Orden(216, a.Lista14());
  EXPECT_EQ("62|" + largo.substr(0, 30) + "|00000000000|C|2|" + std::string(40, 'd'),
            Legible(Tramas().at(3)));
  EXPECT_EQ(44, fiscal::Estado().comprobante.Copias);
}

}  // namespace

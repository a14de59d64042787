// The printer behind the link: documents, totals, numbering, closings,
// titles and the status bits of refusals, for both command sets.
#include <gtest/gtest.h>

#include "impresora.h"

namespace {

using simulador::Impresora;
using simulador::Protocolo;
using simulador::Respuesta;
using simulador::Trama;

Respuesta Enviar(Impresora& i, unsigned char codigo, std::vector<std::string> campos = {}) {
  Trama t;
  t.codigo = codigo;
  t.campos = std::move(campos);
  return i.Ejecutar(t);
}

const std::vector<std::string> kItemEpson = {"Coca", "00002000", "000000121", "2100",
                                             "M",    "00000",    "00000000",  "00000000000000000"};

TEST(ImpresoraEpson, IdentidadDeLasConsultas) {
  simulador::Modelo m;
  m.nombre = "TM-PRUEBA";
  m.serie = "XYZ123";
  Impresora i(Protocolo::Epson, m);
  Respuesta n = Enviar(i, '*', {"N"});
  ASSERT_GE(n.campos.size(), 7u);
  EXPECT_EQ("0", n.campos[0]);
  EXPECT_EQ("XYZ123", n.campos[6]);
  Respuesta p = Enviar(i, '*', {"P"});
  ASSERT_EQ(11u, p.campos.size());
  EXPECT_EQ("TM-PRUEBA", p.campos[10]);
  EXPECT_EQ(0x0600, n.fiscal);  // fiscalised, nothing else
}

TEST(ImpresoraEpson, TicketCompletoConTotalesYNumero) {
  Impresora i(Protocolo::Epson);
  EXPECT_EQ(0x1600, Enviar(i, 0x40, {"C"}).fiscal);  // bit 12: document open
  EXPECT_TRUE(Enviar(i, 'B', kItemEpson).ejecutado);
  EXPECT_TRUE(Enviar(i, 'B', kItemEpson).ejecutado);
  // Subtotal: 3 total, 4 IVA, 8 net, 2 implied decimals.
  Respuesta s = Enviar(i, 'C', {"A", "\x7F"});
  ASSERT_EQ(8u, s.campos.size());
  EXPECT_EQ("000000000484", s.campos[2]);
  EXPECT_EQ("000000000084", s.campos[3]);
  EXPECT_EQ("000000000400", s.campos[7]);
  EXPECT_TRUE(Enviar(i, 'D', {"Efectivo", "000000500", "T"}).ejecutado);
  Respuesta c = Enviar(i, 'E', {"T"});
  EXPECT_EQ(std::vector<std::string>{"1"}, c.campos);
  EXPECT_EQ(0x0600, c.fiscal);
  EXPECT_FALSE(i.DocumentoAbierto());
  // The next ticket has the next number; an invoice A its own sequence.
  Enviar(i, 0x40, {"C"});
  Enviar(i, 'B', kItemEpson);
  EXPECT_EQ("2", Enviar(i, 'E', {"T"}).campos.at(0));

  std::string papel;
  for (const auto& l : i.Rollo()) papel += l + "\n";
  EXPECT_NE(std::string::npos, papel.find("Coca (21.00)                        2.42"));
  EXPECT_NE(std::string::npos, papel.find("Su vuelto"));
}

TEST(ImpresoraEpson, FacturaAConNumeracionPropia) {
  Impresora i(Protocolo::Epson);
  std::vector<std::string> abrir = {"F", "C", "A", "1", "P", "12", "I", "I", "Cliente SA", "\x7F",
                                    "CUIT", "30712345678", "N", "Calle 1", "\x7F", "\x7F", "\x7F",
                                    "\x7F", "C"};
  ASSERT_TRUE(Enviar(i, 0x60, abrir).ejecutado);
  Respuesta d = Enviar(i, '*', {"D"});
  EXPECT_EQ((std::vector<std::string>{"FC", "A"}), d.campos);
  std::vector<std::string> item = {"Tornillo", "00001000", "000010000", "2100", "M", "00000",
                                   "00000000", "",         "",          "",     "0000",
                                   "00000000000000000"};
  ASSERT_TRUE(Enviar(i, 'b', item).ejecutado);
  // Letter A: the price is net, IVA goes on top.
  EXPECT_EQ("000000012100", Enviar(i, 'c', {"A", "\x7F"}).campos.at(2));
  EXPECT_EQ("1", Enviar(i, 'e', {"F", "A", "Cierre"}).campos.at(0));
}

TEST(ImpresoraEpson, RechazosConSusBits) {
  simulador::Modelo m;
  m.desconocidos = {'R'};
  Impresora i(Protocolo::Epson, m);
  struct Caso {
    const char* nombre;
    unsigned char codigo;
    std::vector<std::string> campos;
    uint16_t bit;
    std::string campo1;
  } casos[] = {
      {"item sin documento abierto", 'B', kItemEpson, 0x0020, ""},
      {"cierre sin documento", 'E', {"T"}, 0x0020, ""},
      {"comando inexistente", 0xF5, {}, 0x0008, ""},
      {"comando que el modelo no conoce", 'R', {"0001"}, 0x0008, ""},
      {"letra de estado invalida", '*', {"Q"}, 0x0010, "Campo con error: 1"},
      {"factura con letra invalida", 0x60, {"F", "C", "Q"}, 0x0010, "Campo con error: 3"},
      {"cierre con letra invalida", '9', {"W", "P"}, 0x0010, "Campo con error: 1"},
      {"titulo fuera de rango", ']', {"0066", "x"}, 0x0010, "Campo con error: 1"},
  };
  for (const auto& c : casos) {
    Respuesta r = Enviar(i, c.codigo, c.campos);
    EXPECT_FALSE(r.ejecutado) << c.nombre;
    EXPECT_EQ(c.bit, r.fiscal & 0x0038) << c.nombre;
    EXPECT_TRUE(r.fiscal & 0x8000) << c.nombre;  // summary bit
    EXPECT_EQ(c.campo1, r.campos.empty() ? "" : r.campos[0]) << c.nombre;
  }
  // A refusal asked for by a test names the field and runs nothing.
  i.RechazarCampo(14);
  Respuesta r = Enviar(i, 0x40, {"C"});
  EXPECT_EQ(std::vector<std::string>{"Campo con error: 14"}, r.campos);
  EXPECT_FALSE(i.DocumentoAbierto());
  EXPECT_TRUE(Enviar(i, 0x40, {"C"}).ejecutado);
}

TEST(ImpresoraEpson, CierreZCuentaYLiberaLaJornada) {
  simulador::Modelo m;
  m.cierre_z_pendiente = true;
  Impresora i(Protocolo::Epson, m);
  Respuesta abrir = Enviar(i, 0x40, {"C"});
  EXPECT_EQ(0x0820, abrir.fiscal & 0x0820);  // Z due, refused
  Respuesta z = Enviar(i, '9', {"Z", "P"});
  ASSERT_EQ(11u, z.campos.size());
  EXPECT_EQ("1", z.campos[0]);
  EXPECT_GT(z.trabajo_ms, 0);
  EXPECT_EQ(0, z.fiscal & 0x0800);
  EXPECT_TRUE(Enviar(i, 0x40, {"C"}).ejecutado);
  // No closing while a document is open.
  EXPECT_EQ(0x0020, Enviar(i, '9', {"Z", "P"}).fiscal & 0x0020);
  EXPECT_TRUE(Enviar(i, 'D', {"Cancelacion manual", "0", "C"}).ejecutado);
  EXPECT_EQ("2", Enviar(i, '9', {"Z", "P"}).campos.at(0));
  EXPECT_EQ("2", Enviar(i, '*', {"A"}).campos.at(0));
}

TEST(ImpresoraEpson, TitulosSeLeenGrabanYBorran) {
  Impresora i(Protocolo::Epson);
  ASSERT_TRUE(Enviar(i, ']', {"0012", "\xF2" "GRACIAS\xF0"}).ejecutado);
  EXPECT_EQ((std::vector<std::string>{"0012", "\xF2" "GRACIAS\xF0"}), Enviar(i, '^', {"0012"}).campos);
  Enviar(i, ']', {"0012", "\x7F"});
  EXPECT_EQ("\x7F", Enviar(i, '^', {"0012"}).campos.at(1));
  EXPECT_TRUE(Enviar(i, '^', {"0065"}).ejecutado);
}

TEST(ImpresoraEpson, RelojSeFijaYSeLee) {
  Impresora i(Protocolo::Epson);
  ASSERT_TRUE(Enviar(i, 'X', {"300102", "030405"}).ejecutado);
  Respuesta y = Enviar(i, 'Y');
  EXPECT_EQ("300102", y.campos.at(0));
  EXPECT_EQ("0304", y.campos.at(1).substr(0, 4));
  EXPECT_EQ(0x0010, Enviar(i, 'X', {"301302", "030405"}).fiscal & 0x0010);
}

TEST(ImpresoraEpson, CondicionesFisicasEnLosBits) {
  Impresora i(Protocolo::Epson);
  simulador::Condiciones c;
  c.cajon_abierto = true;
  c.papel = simulador::Papel::Sin;
  c.bateria_baja = true;
  c.fiscal_quitar = 0x0400;
  i.CambiarCondiciones(c);
  Respuesta r = Enviar(i, 0x40, {"C"});
  EXPECT_FALSE(r.ejecutado);  // no paper: nothing printed
  EXPECT_EQ(0x5000, r.impresora & 0x5000);
  EXPECT_EQ(0x8204, r.fiscal);  // summary, fiscal bit 9 only, battery
}

TEST(ImpresoraHasar, IdentidadYDocumentoConTotales) {
  simulador::Modelo m;
  m.serie = "H0001";
  m.nombre = "P-PRUEBA";
  Impresora i(Protocolo::Hasar, m);
  EXPECT_EQ("H0001", Enviar(i, 's').campos.at(2));
  EXPECT_EQ("P-PRUEBA", Enviar(i, 0x7F).campos.at(0));
  EXPECT_EQ("0", Enviar(i, '*').campos.at(0));

  ASSERT_TRUE(Enviar(i, 0x40, {"T", "T"}).ejecutado);
  std::vector<std::string> item = {"Pan", "0001.0000000000", "0000012.10", "21.00", "M", "0.0", "1",
                                   "T"};
  ASSERT_TRUE(Enviar(i, 'B', item).ejecutado);
  ASSERT_TRUE(Enviar(i, 'B', item).ejecutado);
  Respuesta s = Enviar(i, 'C', {"A", "Subtotal", "1"});
  EXPECT_EQ("20.00", s.campos.at(1));  // net
  EXPECT_EQ("4.20", s.campos.at(2));   // IVA
  ASSERT_TRUE(Enviar(i, 'D', {"Pago", "000000030.00", "T", "1"}).ejecutado);
  EXPECT_EQ("1", Enviar(i, 'E').campos.at(0));
  EXPECT_EQ("1", Enviar(i, '*').campos.at(0));

  // Totals of the closed document, record by record.
  Respuesta p = Enviar(i, 'p');
  EXPECT_EQ((std::vector<std::string>{"1", "21.00", "4.20", "0.00", "0.00", "20.00"}), p.campos);
  EXPECT_EQ(std::vector<std::string>{"0"}, Enviar(i, 'q').campos);
}

TEST(ImpresoraHasar, DocumentosEspecialesYCancelacion) {
  Impresora i(Protocolo::Hasar);
  // A letter A invoice wants the customer first.
  EXPECT_EQ(0x0020, Enviar(i, 0x40, {"A", "T"}).fiscal & 0x0020);
  ASSERT_TRUE(Enviar(i, 'b', {"Cliente", "30712345678", "I", "C", "Calle 1"}).ejecutado);
  ASSERT_TRUE(Enviar(i, 0x40, {"A", "T"}).ejecutado);
  EXPECT_EQ(0x0020, Enviar(i, 0x81).fiscal & 0x0020);  // opened with 40h, closed with E
  ASSERT_TRUE(Enviar(i, 0x98).ejecutado);
  EXPECT_FALSE(i.DocumentoAbierto());
  ASSERT_TRUE(Enviar(i, 0x80, {"x", "T", "R-0001"}).ejecutado);
  ASSERT_TRUE(Enviar(i, 0x97, {"Recibimos la suma de"}).ejecutado);
  EXPECT_EQ("1", Enviar(i, 0x81).campos.at(0));
}

TEST(ImpresoraHasar, CierreXNoReiniciaYZSi) {
  Impresora i(Protocolo::Hasar);
  Enviar(i, 0x40, {"T", "T"});
  Enviar(i, 'B', {"Pan", "1.0", "10.00", "21.00", "M", "0.0", "1", "B"});
  Enviar(i, 'E');
  Respuesta x = Enviar(i, '9', {"X"});
  ASSERT_EQ(21u, x.campos.size());
  EXPECT_EQ("12.10", x.campos[8]);
  Respuesta z = Enviar(i, '9', {"Z"});
  EXPECT_EQ("1", z.campos[0]);
  EXPECT_EQ("12.10", z.campos[8]);
  EXPECT_EQ("0.00", Enviar(i, '9', {"Z"}).campos[8]);
}

TEST(ImpresoraHasar, TitulosDeUnoAVeinte) {
  Impresora i(Protocolo::Hasar);
  ASSERT_TRUE(Enviar(i, ']', {"20", "Pie"}).ejecutado);
  EXPECT_EQ(std::vector<std::string>{"Pie"}, Enviar(i, '^', {"20"}).campos);
  EXPECT_FALSE(Enviar(i, ']', {"21", "x"}).ejecutado);
}

}  // namespace

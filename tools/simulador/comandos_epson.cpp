// The Epson command set: status letters, ticket commands (40h, A to E),
// invoice commands (60h, b to f), non-fiscal documents, closings, reports,
// set-up, titles, clock and coupons.
#include <cmath>

#include "formato.h"
#include "impresora.h"

namespace simulador {


Impresora::Salida Impresora::EjecutarEpson(const Trama& t) {
  switch (t.codigo) {
    case '*': return EpsonEstado(t);
    case 0x40: return EpsonAbrirTicket(t);
    case 0x60: return EpsonAbrirFactura(t);
    case 'A':
      if (doc_.tipo != Doc::Fiscal || !doc_.modo_ticket) return Rechazo(kFiscalEstado);
      Imprimir(Campo(t, 1));
      return {};
    case 'B': return EpsonItem(t, true);
    case 'b': return EpsonItem(t, false);
    case 'C':
    case 'c':
      if (doc_.tipo == Doc::Fiscal && doc_.modo_ticket != (t.codigo == 'C'))
        return Rechazo(kFiscalEstado);
      return Subtotal(t);
    case 'D':
    case 'd':
      if (doc_.tipo == Doc::Fiscal && doc_.modo_ticket != (t.codigo == 'D'))
        return Rechazo(kFiscalEstado);
      return EpsonPago(t);
    case 'E': return EpsonCerrar(t, true);
    case 'e': return EpsonCerrar(t, false);
    case 'f': {
      if (doc_.tipo != Doc::Fiscal || doc_.modo_ticket) return Rechazo(kFiscalEstado);
      long double importe;
      if (!LeerNumero(Campo(t, 3), 2, importe)) return Rechazo(kFiscalCampo, 3);
      return Percepcion(Campo(t, 1), importe);
    }
    case 'H': return AbrirNoFiscal();
    case 'I':
      // Also the free text of an open quotation.
      if (doc_.tipo == Doc::Fiscal && doc_.clase == 'C' && !doc_.modo_ticket) {
        Imprimir(Campo(t, 1));
        return {};
      }
      return TextoNoFiscal(Campo(t, 1));
    case 'J': return CerrarNoFiscal();
    case '9':
      if (!Uno(Campo(t, 1), "XZ")) return Rechazo(kFiscalCampo, 1);
      return Cierre(Campo(t, 1)[0]);
    case ':':
    case ';': return Informe(t);
    case 'R':
    case 'S': return Avanzar(Campo(t, 1));
    case 'X': return FijarReloj(t);
    case 'Y': return LeerReloj();
    case ']': return GrabarTitulo(t);
    case '^': return LeerTitulo(t);
    case 'O': return EpsonCupon(t);
    case 'K':
    case '{':
    case 0x7C:
    case 'Z':   // print zones and form set-up
    case '[':   // loose-sheet set-up
    case '\\':  // form feed and sheet handling
      return {};
    default: return Rechazo(kFiscalDesconocido);
  }
}

Impresora::Salida Impresora::EpsonEstado(const Trama& t) {
  std::string letra = t.campos.empty() ? "N" : t.campos[0];
  Salida s;
  if (letra == "N") {
    std::string inicio = inicio_jornada_.empty() ? "000000000000" : inicio_jornada_;
    s.campos = {std::to_string(ultimo_numero_), inicio.substr(0, 6), inicio.substr(6),
                std::to_string(ultimo_z_), "0", "0", modelo_.serie, ""};
  } else if (letra == "P") {
    s.campos = {"64", "80", "136", "40", "0", "S", "S", "S", "2", "R", modelo_.nombre};
  } else if (letra == "C") {
    s.campos = {modelo_.cuit, modelo_.punto_venta, std::string(1, modelo_.categoria_iva), "2100",
                "00000100000", "", modelo_.razon_social};
  } else if (letra == "A") {
    std::string bc = std::to_string(Ultimo("TFD", "BC")), a = std::to_string(Ultimo("TFD", "A"));
    s.campos = {std::to_string(ultimo_z_), bc, bc, a, a, std::to_string(Ultimo("H", "X")),
                std::to_string(Ultimo("OELC", "X")), "0", std::to_string(Ultimo("NM", "A")),
                std::to_string(Ultimo("NM", "BC")), std::to_string(Ultimo("E", "X"))};
  } else if (letra == "D") {
    std::string modo = "N", tipo = "N";
    if (doc_.tipo == Doc::NoFiscal) {
      modo = "O";
    } else if (doc_.tipo == Doc::Fiscal) {
      if (doc_.modo_ticket) modo = "TQ";
      else if (doc_.clase == 'T' || doc_.clase == 'M') modo = "I";
      else if (doc_.clase == 'E' || doc_.clase == 'L' || doc_.clase == 'C') modo = "H";
      else modo = "FC";
      tipo = std::string(1, doc_.letra);
    }
    s.campos = {modo, tipo};
  } else {
    return Rechazo(kFiscalCampo, 1);
  }
  return s;
}

Impresora::Salida Impresora::EpsonAbrirTicket(const Trama& t) {
  if (!t.campos.empty() && !Uno(t.campos[0], "CG")) return Rechazo(kFiscalCampo, 1);
  return AbrirFiscal('T', 'B', true, false);
}

Impresora::Salida Impresora::EpsonAbrirFactura(const Trama& t) {
  // Each checked field with the values it may take; "" = any text.
  struct Regla {
    size_t campo;
    const char* permitidos;
  };
  static const Regla reglas[] = {{1, "TFNMDELC"}, {2, "CS"}, {3, "ABCX"}, {5, "FP"},
                                 {7, "IRNEMVW"},  {8, "IRNEMFSVW"}, {13, "BN"}, {19, "GC"}};
  for (const auto& r : reglas)
    if (!Uno(Campo(t, r.campo), r.permitidos)) return Rechazo(kFiscalCampo, static_cast<int>(r.campo));
  long copias;
  if (!LeerEntero(Campo(t, 4), copias)) return Rechazo(kFiscalCampo, 4);
  long documento;
  if (!LeerEntero(Campo(t, 12).substr(0, 9), documento)) return Rechazo(kFiscalCampo, 12);
  char clase = Campo(t, 1)[0], letra = Campo(t, 3)[0];
  Salida s = AbrirFiscal(clase, letra, false, false);
  if (s.rechazo == 0) {
    for (size_t n : {9u, 10u, 14u, 15u, 16u})
      if (Campo(t, n) != "\x7F" && !Campo(t, n).empty()) Imprimir(Campo(t, n));
    if (Campo(t, 11) != "\x7F") Imprimir(Campo(t, 11) + " " + Campo(t, 12));
    for (size_t n : {17u, 18u})
      if (Campo(t, n) != "\x7F" && !Campo(t, n).empty()) Imprimir("Ref.: " + Campo(t, n));
  }
  return s;
}

Impresora::Salida Impresora::EpsonItem(const Trama& t, bool ticket) {
  if (doc_.tipo != Doc::Fiscal || doc_.modo_ticket != ticket) return Rechazo(kFiscalEstado);
  long double cantidad, precio, tasa, interno = 0;
  if (Campo(t, 1).empty()) return Rechazo(kFiscalCampo, 1);
  if (!LeerNumero(Campo(t, 2), 3, cantidad) || cantidad <= 0) return Rechazo(kFiscalCampo, 2);
  if (!LeerNumero(Campo(t, 3), 2, precio) || precio < 0) return Rechazo(kFiscalCampo, 3);
  if (Campo(t, 4).size() != 4 || !LeerNumero(Campo(t, 4), 2, tasa)) return Rechazo(kFiscalCampo, 4);
  if (!Uno(Campo(t, 5), "MmRr")) return Rechazo(kFiscalCampo, 5);
  size_t campo_interno = ticket ? 8 : 12;
  if (!Campo(t, campo_interno).empty() && !LeerNumero(Campo(t, campo_interno), 8, interno))
    return Rechazo(kFiscalCampo, static_cast<int>(campo_interno));
  if (!ticket) {
    // Invoices: the extra description lines travel with the item.
    for (size_t n : {8u, 9u, 10u})
      if (doc_.tipo == Doc::Fiscal && !Campo(t, n).empty() && Campo(t, n) != "\x7F")
        Imprimir(Campo(t, n));
  }
  bool negativo = Campo(t, 5) == "R" || Campo(t, 5) == "r";
  // On letter A documents the price comes without IVA.
  bool neto = doc_.letra == 'A';
  return Item(Campo(t, 1), cantidad, precio, static_cast<int>(std::lround(tasa * 100)), negativo,
              neto, interno);
}

Impresora::Salida Impresora::EpsonPago(const Trama& t) {
  long double importe;
  if (!LeerNumero(Campo(t, 2), 2, importe) || importe < 0) return Rechazo(kFiscalCampo, 2);
  const std::string& q = Campo(t, 3);
  if (q == "C") return Cancelar();
  if (q == "T") return Pagar(Campo(t, 1), importe);
  if (q == "t") return Pagar(Campo(t, 1), -importe);
  if (q == "D") return Ajuste(Campo(t, 1), -importe);
  if (q == "R") return Ajuste(Campo(t, 1), importe);
  return Rechazo(kFiscalCampo, 3);
}

Impresora::Salida Impresora::EpsonCerrar(const Trama& t, bool ticket) {
  if (doc_.tipo != Doc::Fiscal || doc_.modo_ticket != ticket) return Rechazo(kFiscalEstado);
  if (!ticket) {
    if (Campo(t, 1) != std::string(1, doc_.clase)) return Rechazo(kFiscalCampo, 1);
    if (Campo(t, 2) != std::string(1, doc_.letra)) return Rechazo(kFiscalCampo, 2);
  }
  return CerrarFiscal();
}

Impresora::Salida Impresora::EpsonCupon(const Trama& t) {
  if (doc_.tipo != Doc::Ninguno) return Rechazo(kFiscalEstado);
  bool tarjeta = Campo(t, 1) == "01";
  if (!tarjeta && Campo(t, 1) != "02") return Rechazo(kFiscalCampo, 1);
  ImprimirEncabezado();
  auto linea = [&](const char* etiqueta, size_t n) {
    if (!Campo(t, n).empty() && Campo(t, n) != "\x7F") Imprimir(etiqueta + Campo(t, n));
  };
  if (tarjeta) {
    Imprimir("CUPON DE TARJETA");
    linea("Tarjeta: ", 3);
    linea("Cliente: ", 4);
    linea("Cupon: ", 7);
    linea("Autorizacion: ", 9);
    long double importe = 0;
    LeerNumero(Campo(t, 11), 2, importe);
    ImprimirColumnas("Importe", ImporteRollo(importe));
    if (Campo(t, 20) == "P") Imprimir("Firma: ______________________");
  } else {
    Imprimir("CUPON DE OBRA SOCIAL");
    linea("Obra social: ", 2);
    linea("Afiliado: ", 6);
  }
  long numero = ++numeros_["OX"];
  ++jornada_.homologados;
  ImprimirPie();
  Salida s;
  s.campos.push_back(std::to_string(numero));
  s.trabajo_ms = 600;
  return s;
}

}  // namespace simulador

// The Hasar command set: status and configuration queries, customer data,
// fiscal documents (40h, E) and special documents (80h, 81h), items,
// adjustments, payments, perceptions, totals of the last document,
// non-fiscal documents, closings, titles and clock.
#include <cmath>

#include "formato.h"
#include "impresora.h"

namespace simulador {


Impresora::Salida Impresora::EjecutarHasar(const Trama& t) {
  Salida s;
  switch (t.codigo) {
    case '*': {
      s.campos = {std::to_string(Ultimo("TFD", "BC")), "0000", std::to_string(Ultimo("TFD", "A")),
                  doc_.tipo == Doc::Ninguno ? "0000" : "0001",
                  std::to_string(Ultimo("N", "BC")), std::to_string(Ultimo("N", "A")),
                  std::to_string(Ultimo("r", "X"))};
      return s;
    }
    case 's':
      s.campos = {modelo_.cuit, modelo_.razon_social, modelo_.serie, "200101", modelo_.punto_venta,
                  "901-123456-7", "200101", std::string(1, modelo_.categoria_iva)};
      return s;
    case 0x7F: s.campos = {modelo_.nombre}; return s;
    case 'f':
      s.campos = {"1000.00", "5000.00", "10.50", std::to_string(copias_), "P", "P", "P"};
      return s;
    case '7': s.campos = {"2000", std::to_string(ultimo_z_)}; return s;
    case 'g': {
      const Jornada& j = jornada_;
      s.campos = {std::to_string(j.cancelados), std::to_string(j.no_fiscales),
                  std::to_string(j.fiscales), std::to_string(Ultimo("TFD", "BC")),
                  std::to_string(Ultimo("TFD", "A")), ConPunto(j.venta, 2), ConPunto(j.iva, 2),
                  ConPunto(j.interno, 2), ConPunto(j.percepcion, 2), "0.00",
                  std::to_string(Ultimo("N", "BC")), std::to_string(Ultimo("N", "A")),
                  ConPunto(j.venta_nc, 2), ConPunto(j.iva_nc, 2), ConPunto(j.interno_nc, 2),
                  ConPunto(j.percepcion_nc, 2), "0.00", std::to_string(Ultimo("r", "X")),
                  std::to_string(j.notas_credito)};
      return s;
    }
    case 'd': {  // form settings: "9" is the number of copies
      long v;
      if (Campo(t, 1) != "9") return Rechazo(kFiscalCampo, 1);
      if (!LeerEntero(Campo(t, 2), v)) return Rechazo(kFiscalCampo, 2);
      copias_ = v;
      return s;
    }
    case 0x93: {  // associated document numbers
      if (!Uno(Campo(t, 1), "12")) return Rechazo(kFiscalCampo, 1);
      asociados_[Campo(t, 1)[0] - '1'] = Campo(t, 2) == "\x7F" ? std::string() : Campo(t, 2);
      return s;
    }
    case 'b': {  // customer data
      if (doc_.tipo != Doc::Ninguno) return Rechazo(kFiscalEstado);
      if (Campo(t, 1).empty()) return Rechazo(kFiscalCampo, 1);
      long double documento;
      if (!LeerNumero(Campo(t, 2), 0, documento)) return Rechazo(kFiscalCampo, 2);
      if (!Uno(Campo(t, 3), "IRNBEMCTVWA")) return Rechazo(kFiscalCampo, 3);
      if (!Uno(Campo(t, 4), "CL01234")) return Rechazo(kFiscalCampo, 4);
      cliente_ = Campo(t, 1) + " " + Campo(t, 2);
      if (t.campos.size() >= 5 && Campo(t, 5) != "\x7F") cliente_ += " " + Campo(t, 5);
      return s;
    }
    case 0x40: return HasarAbrir(t, false);
    case 0x80: return HasarAbrir(t, true);
    case 'A':
    case 0x97:
    case 0x84:
      if (doc_.tipo != Doc::Fiscal) return Rechazo(kFiscalEstado);
      Imprimir(Campo(t, 1));
      return s;
    case 0x82: {  // delivery note line
      if (doc_.tipo != Doc::Fiscal || doc_.clase != 'r') return Rechazo(kFiscalEstado);
      long double cantidad;
      if (!LeerNumero(Campo(t, 2), 3, cantidad)) return Rechazo(kFiscalCampo, 2);
      ImprimirColumnas(Campo(t, 1), cantidad > 0 ? ConPunto(cantidad, 3) : "");
      ++doc_.lineas;
      return s;
    }
    case 'B': return HasarItem(t);
    case 'C': return Subtotal(t);
    case 'T': return HasarAjuste(t);
    case 'D': return HasarPago(t);
    case 0x60: return HasarPercepcion(t);
    case 'E': return HasarCerrar(false);
    case 0x81: return HasarCerrar(true);
    case 0x98: return Cancelar();
    case 0x99:
      if (doc_.tipo != Doc::Ninguno || ultimo_numero_ == 0) return Rechazo(kFiscalEstado);
      Imprimir("*** COPIA *** Nro. " + std::to_string(ultimo_numero_));
      s.trabajo_ms = 600;
      return s;
    case 'p': return HasarTotales(true);
    case 'q': return HasarTotales(false);
    case 'G':
    case 'H': return AbrirNoFiscal();
    case 'I': return TextoNoFiscal(Campo(t, 1));
    case 'J': return CerrarNoFiscal();
    case 'h': {  // health-insurance coupon with its copies
      long copias;
      if (!LeerEntero(Campo(t, 1), copias) || copias < 1 || copias > 4)
        return Rechazo(kFiscalCampo, 1);
      if (doc_.tipo != Doc::Ninguno) return Rechazo(kFiscalEstado);
      for (long i = 0; i < copias; ++i) {
        ImprimirEncabezado();
        Imprimir("CUPON DE OBRA SOCIAL");
        ImprimirPie();
      }
      ++jornada_.homologados;
      s.trabajo_ms = 600;
      return s;
    }
    case '9':
      if (!Uno(Campo(t, 1), "XZ")) return Rechazo(kFiscalCampo, 1);
      return Cierre(Campo(t, 1)[0]);
    case ':':
    case ';': return Informe(t);
    case 'R': return Avanzar(Campo(t, 1));
    case 'X': return FijarReloj(t);
    case 'Y': return LeerReloj();
    case ']': return GrabarTitulo(t);
    case '^': return LeerTitulo(t);
    case 'K':
    case '{': return s;
    default: return Rechazo(kFiscalDesconocido);
  }
}

Impresora::Salida Impresora::HasarAbrir(const Trama& t, bool especial) {
  if (!Uno(Campo(t, 2), "TS")) return Rechazo(kFiscalCampo, 2);
  char bc = modelo_.categoria_iva == 'I' ? 'B' : 'C';
  char clase, letra;
  if (!especial) {
    if (!Uno(Campo(t, 1), "TABDE")) return Rechazo(kFiscalCampo, 1);
    switch (Campo(t, 1)[0]) {
      case 'T': clase = 'T'; letra = 'B'; break;
      case 'A': clase = 'F'; letra = 'A'; break;
      case 'B': clase = 'F'; letra = bc; break;
      case 'D': clase = 'D'; letra = 'A'; break;
      default: clase = 'D'; letra = bc; break;
    }
    // Letter A documents need the customer's data first.
    if (letra == 'A' && cliente_.empty()) return Rechazo(kFiscalEstado);
  } else {
    if (!Uno(Campo(t, 1), "xrRSu")) return Rechazo(kFiscalCampo, 1);
    switch (Campo(t, 1)[0]) {
      case 'R': clase = 'N'; letra = 'A'; break;
      case 'S': clase = 'N'; letra = bc; break;
      default: clase = Campo(t, 1)[0]; letra = 'X'; break;
    }
  }
  Salida s = AbrirFiscal(clase, letra, clase == 'T', especial);
  if (s.rechazo == 0) {
    for (auto& a : asociados_)
      if (!a.empty()) Imprimir("Ref.: " + a);
    if (!Campo(t, 3).empty() && Campo(t, 3) != "\x7F") Imprimir("Ref.: " + Campo(t, 3));
  }
  asociados_[0].clear();
  asociados_[1].clear();
  return s;
}

Impresora::Salida Impresora::HasarItem(const Trama& t) {
  if (doc_.tipo != Doc::Fiscal) return Rechazo(kFiscalEstado);
  long double cantidad, precio, tasa;
  if (Campo(t, 1).empty()) return Rechazo(kFiscalCampo, 1);
  if (!LeerNumero(Campo(t, 2), 0, cantidad) || cantidad <= 0) return Rechazo(kFiscalCampo, 2);
  if (!LeerNumero(Campo(t, 3), 0, precio) || precio < 0) return Rechazo(kFiscalCampo, 3);
  if (!LeerNumero(Campo(t, 4), 0, tasa) || tasa < 0 || tasa > 99) return Rechazo(kFiscalCampo, 4);
  if (!Uno(Campo(t, 5), "mM")) return Rechazo(kFiscalCampo, 5);
  if (!Uno(Campo(t, 8), "TB")) return Rechazo(kFiscalCampo, 8);
  // Internal tax: "$" and an amount per unit, or the coefficient K of the
  // price that is not internal tax.
  long double interno = 0;
  const std::string& f6 = Campo(t, 6);
  if (!f6.empty() && f6[0] == '$') {
    if (!LeerNumero(f6.substr(1), 0, interno)) return Rechazo(kFiscalCampo, 6);
  } else {
    long double k;
    if (!LeerNumero(f6, 0, k) || k < 0 || k > 1) return Rechazo(kFiscalCampo, 6);
    if (k > 0 && k < 1) interno = precio * (1 - k) / (1 + tasa / 100);
  }
  return Item(Campo(t, 1), cantidad, precio, static_cast<int>(std::lround(tasa * 100)),
              Campo(t, 5) == "m", Campo(t, 8) == "B", interno);
}

Impresora::Salida Impresora::HasarAjuste(const Trama& t) {
  long double importe;
  if (!LeerNumero(Campo(t, 2), 0, importe) || importe <= 0) return Rechazo(kFiscalCampo, 2);
  if (!Uno(Campo(t, 3), "mM")) return Rechazo(kFiscalCampo, 3);
  return Ajuste(Campo(t, 1), Campo(t, 3) == "m" ? -importe : importe);
}

Impresora::Salida Impresora::HasarPago(const Trama& t) {
  long double importe;
  if (!LeerNumero(Campo(t, 2), 0, importe)) return Rechazo(kFiscalCampo, 2);
  if (Campo(t, 3) == "C") return Cancelar();
  if (Campo(t, 3) != "T") return Rechazo(kFiscalCampo, 3);
  if (importe == 0) return Rechazo(kFiscalCampo, 2);
  return Pagar(Campo(t, 1), importe);
}

Impresora::Salida Impresora::HasarPercepcion(const Trama& t) {
  long double tasa, importe;
  if (Campo(t, 1) != "**.**" && !LeerNumero(Campo(t, 1), 0, tasa)) return Rechazo(kFiscalCampo, 1);
  if (!LeerNumero(Campo(t, 3), 0, importe)) return Rechazo(kFiscalCampo, 3);
  return Percepcion(Campo(t, 2), importe);
}

Impresora::Salida Impresora::HasarCerrar(bool especial) {
  if (doc_.tipo != Doc::Fiscal || doc_.especial != especial) return Rechazo(kFiscalEstado);
  return CerrarFiscal();
}

// The totals of the last document, one record per answer: "1" and a rate
// with its IVA, internal tax and net; "2" and a perception; "0" at the end.
Impresora::Salida Impresora::HasarTotales(bool primero) {
  if (doc_.tipo != Doc::Ninguno) return Rechazo(kFiscalEstado);
  if (primero) totales_leidos_ = 0;
  size_t i = totales_leidos_++;
  Salida s;
  const auto& tasas = ultimo_doc_.tasas;
  if (i < tasas.size()) {
    auto it = std::next(tasas.begin(), static_cast<long>(i));
    s.campos = {"1", ConPunto(it->first / 100.0L, 2), ConPunto(it->second.iva, 2),
                ConPunto(it->second.interno, 2), "0.00", ConPunto(it->second.neto, 2)};
    return s;
  }
  i -= tasas.size();
  if (i < ultimo_doc_.percepciones.size()) {
    const auto& p = ultimo_doc_.percepciones[i];
    s.campos = {"2", p.first, ConPunto(p.second, 2)};
    return s;
  }
  s.campos = {"0"};
  return s;
}

}  // namespace simulador

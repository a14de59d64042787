// Opening an Epson fiscal document (order 216): kind, letter, customer
// checks and the open command, retried with substitutes for the address
// and reference fields the printer refuses.
#include <cctype>
#include <cstdint>
#include <string>

#include "../common/errores.h"
#include "../common/estado.h"
#include "../common/lp_fiscal.h"
#include "ordenes_epson.h"

namespace fiscal {

namespace {

char Mayuscula(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

bool Contiene(std::string_view lista, std::string_view valor) {
  return valor.size() == 1 && lista.find(valor) != std::string_view::npos;
}

// Kinds that need a capability of the printer.
struct ClaseDocumento {
  char letra;
  const uint8_t& habilitada;
  std::string_view rechazo;
  char codigo, codigo_tf;  // sent in invoice mode; the second with "TF"
  bool letra_x;
};

const ClaseDocumento kClases[] = {
    {'R', LP_EmiteRTO, "La impresora no emite remitos", 'E', 'E', true},
    {'P', LP_EmitePAG, "La impresora no emite recibos", 'L', 'L', true},
    {'C', LP_EmiteCRE, "La impresora no emite notas de credito", 'N', 'M', false},
    {'D', LP_EmiteFAC, "La impresora no emite notas de debito", 'D', 'T', false},
    {'Z', LP_EmiteCOT, "La impresora no emite cotizaciones", 'C', 'C', true},
};

// The digits of an identification number, at most 11.
std::string Digitos(std::string_view texto) {
  std::string r;
  for (char c : texto)
    if (c >= '0' && c <= '9' && r.size() < 11) r += c;
  return r;
}

// Sends the open command; a refused address or reference is replaced and
// sent again, silently, up to three sends; a final failure is sent once
// more so that the operator sees it as the host chose.
void EnviarApertura(std::string (&campos)[19]) {
  auto enviar = [&] {
    EnviarImpreso(0x60, {campos[0], campos[1], campos[2], campos[3], campos[4], campos[5],
                         campos[6], campos[7], campos[8], campos[9], campos[10], campos[11],
                         campos[12], campos[13], campos[14], campos[15], campos[16], campos[17],
                         campos[18]});
  };
  uint8_t mostrar = LP_ErrorMostrar;
  LP_ErrorMostrar = 0;
  for (int intento = 1;; ++intento) {
    enviar();
    if (intento == 3) break;
    std::string_view mensaje = LP_ErrorMensaje;
    if (mensaje.find("Campo con error: 14") != std::string_view::npos) {
      campos[13] = "CIUDAD";
    } else if (mensaje.find("Campo con error: 17") != std::string_view::npos) {
      campos[16] = "SIN REMITO";
    } else {
      break;
    }
  }
  LP_ErrorMostrar = mostrar;
  if (LP_Error) enviar();
}

}  // namespace

void AbrirComprobante(Argumentos& a) {
  Parametros& p = Param();
  ComprobanteEnCurso& doc = Estado().comprobante;
  if (p.LP_TipoComprobante == "RF") p.LP_TipoComprobante = "FC";
  bool factura_fc = p.LP_TipoComprobante == "FC";
  bool tf = p.LP_TipoComprobante == "TF";

  char letra_pedida = Mayuscula(a[12][0]);
  doc.TipoDocumento = std::string(1, letra_pedida);
  int64_t copias = LeerEntero(a[13]);
  doc.Copias = static_cast<uint8_t>(copias);
  if (doc.Copias == 0) doc.Copias = 1;

  const ClaseDocumento* clase = nullptr;
  for (const auto& c : kClases)
    if (c.letra == letra_pedida) clase = &c;
  if (clase && !clase->habilitada) {
    MostrarError(clase->rechazo);
    return;
  }
  bool sin_referencias = EsBlanco(a[10]) && EsBlanco(a[11]);
  if (letra_pedida == 'P' && sin_referencias) {
    MostrarError("Debe indicar el numero de recibo");
    return;
  }
  if (letra_pedida == 'C' && sin_referencias) {
    MostrarError("Debe indicar que facturas cancela el credito");
    return;
  }
  if (!clase) doc.TipoDocumento = factura_fc ? "F" : "T";
  std::string_view obra_social = p.LP_OSocEmitir ? "G" : "C";

  if (ModoTicket()) {
    EnviarImpreso(0x40, {obra_social});
    return;
  }

  bool marca_b = Recortado(a[6]) == "1";
  std::string_view enviado = SinBlancosFinales(a[3]);
  std::string categoria = enviado.substr(0, 1) == " " ? "" : std::string(enviado.substr(0, 1));
  if (!Contiene("IRNEMFSVW", categoria)) {
    MostrarError("Mal tipo de iva cliente|Enviado=" + std::string(enviado));
    return;
  }
  std::string_view emisor = p.LP_TipoIva.Valor();
  if (!Contiene("IRNEMVW", emisor)) {
    MostrarError("Mal tipo de iva emisor|Enviado=" + std::string(emisor));
    return;
  }
  if (emisor == "I") {
    doc.Letra = categoria == "I" || (categoria == "R" && !marca_b) ? "A" : "B";
  } else {
    doc.Letra = "C";
  }
  if (EsBlanco(a[1]) && categoria != "F") {
    MostrarError("Falta nombre cliente");
    return;
  }
  std::string numero = Digitos(a[5]);
  if (Contiene("IRNEM", categoria)) {
    if (SinBlancosFinales(a[4]) != "CUIT") {
      MostrarError("Tipo de comprobante debe ser \"CUIT\" en iva\"" + categoria + "\"");
      return;
    }
    if (LeerEntero(numero) == 0) {
      MostrarError("Debe indicar el numero de CUIT");
      return;
    }
  }
  std::string tipo_documento;
  for (char c : a[4].substr(0, 4)) tipo_documento += Mayuscula(c);
  if (LeerEntero(numero) == 0) {
    tipo_documento = kDEL;
    numero = "0";
  } else {
    numero.insert(0, 11 - numero.size(), '0');
  }

  if (clase) {
    doc.TipoDocumento = std::string(1, tf ? clase->codigo_tf : clase->codigo);
    if (clase->letra_x) doc.Letra = "X";
  }
  int ancho = LP_LonLinNoF;
  std::string campos[19] = {
      std::string(doc.TipoDocumento.Valor()),
      p.LP_PapelContinuo == "S" ? "C" : "S",
      std::string(doc.Letra.Valor()),
      std::to_string(doc.Copias),
      p.LP_PapelPreimpreso == "S" ? "F" : "P",
      "12",
      std::string(emisor),
      categoria,
      Cortado(a[1], ancho, true),
      Cortado(a[2], ancho, true),
      tipo_documento,
      numero,
      marca_b ? "B" : "N",
      Cortado(a[7], ancho, true),
      Cortado(a[8], ancho, true),
      Cortado(a[9], ancho, true),
      Cortado(a[10], ancho, true),
      Cortado(a[11], ancho, true),
      std::string(obra_social),
  };
  EnviarApertura(campos);
}

}  // namespace fiscal

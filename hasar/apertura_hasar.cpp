// Order 216 on a Hasar printer: the document kind checked against the
// parameters, the customer checked, then copies, associated documents,
// customer data and the opening command.
#include <cctype>
#include <string>

#include "../common/errores.h"
#include "../common/estado.h"
#include "../common/formatos.h"
#include "../common/lp_fiscal.h"
#include "ordenes_hasar.h"

namespace fiscal {

namespace {

char Mayuscula(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

std::string Mayusculas(std::string_view t) {
  std::string r(t);
  for (char& c : r) c = Mayuscula(c);
  return r;
}

bool EsUnoDe(char c, std::string_view lista) { return c != '\0' && lista.find(c) != lista.npos; }

// Identity document kind as the printer codes it.
std::string_view CodigoDocumento(std::string_view tipo) {
  struct Fila {
    std::string_view tipo, codigo;
  };
  static constexpr Fila kFilas[] = {
      {"CUIT", "C"}, {"CUIL", "L"}, {"LE", "0"}, {"LC", "1"}, {"DOC", "2"}, {"DNI", "2"},
      {"DU", "2"},   {"DC", "2"},   {"D", "2"},  {"PAS", "3"}, {"PA", "3"}, {"P", "3"},
      {"CI", "4"},   {"C", "4"},
  };
  for (const Fila& f : kFilas)
    if (f.tipo == tipo) return f.codigo;
  return "2";
}

// Customer VAT category as the printer codes it (R handled by the caller).
char CodigoIva(char categoria) {
  static constexpr std::string_view kCategorias = "IRNEMFSVW", kCodigos = "INAEMCTVW";
  return kCodigos[kCategorias.find(categoria)];
}

// Whether the printer issues this kind; reports why not.
bool TipoPermitido(char tipo, const Argumentos& a) {
  const bool sin_asociados = EsBlanco(a[10]) && EsBlanco(a[11]);
  const char* falta = nullptr;
  switch (tipo) {
    case 'R': if (!LP_EmiteRTO) falta = "La impresora no emite remitos"; break;
    case 'P':
      if (!LP_EmitePAG) falta = "La impresora no emite recibos";
      else if (sin_asociados) falta = "Debe indicar el numero de recibo";
      break;
    case 'C':
      if (!LP_EmiteCRE) falta = "La impresora no emite notas de credito";
      else if (sin_asociados) falta = "Debe indicar que facturas cancela el credito";
      break;
    case 'D': if (!LP_EmiteFAC) falta = "La impresora no emite notas de debito"; break;
    case 'Z': if (!LP_EmiteCOT) falta = "La impresora no emite cotizaciones"; break;
    default: break;
  }
  if (falta) MostrarError(falta);
  return falta == nullptr;
}

// The customer checks of the invoice modes; sets the letter.
bool ClienteValido(char categoria, const Argumentos& a) {
  ComprobanteEnCurso& c = Estado().comprobante;
  const std::string_view iva_emisor = Param().LP_TipoIva.Valor();
  if (!EsUnoDe(categoria, "IRNEMFSVW")) {
    MostrarError("Mal tipo de iva cliente|Enviado=" + std::string(SinBlancosFinales(a[3])));
    return false;
  }
  if (iva_emisor.size() != 1 || !EsUnoDe(iva_emisor[0], "IRNEMVW")) {
    MostrarError("Mal tipo de iva emisor |Grabado=" + std::string(iva_emisor));
    return false;
  }
  if (iva_emisor != "I") c.Letra = "C";
  else c.Letra = EsUnoDe(categoria, "IR") ? "A" : "B";
  if (EsBlanco(a[1]) && categoria != 'F') {
    MostrarError("Falta nombre cliente");
    return false;
  }
  if (EsUnoDe(categoria, "IRNEM") && SinBlancosFinales(a[4]) != "CUIT") {
    MostrarError("Tipo de documento debe ser \"CUIT\" en iva\"" + std::string(1, categoria) + "\"");
    return false;
  }
  return true;
}

std::string_view ODel(std::string_view t) { return EsBlanco(t) ? kSinValor : t; }

// The opening command by kind and letter.
void EnviarApertura(char tipo, std::string_view estacion, std::string_view asociado) {
  ComprobanteEnCurso& c = Estado().comprobante;
  const bool a = c.Letra == "A";
  switch (tipo) {
    case 'P': EnviarHasar(0x80, {"x", estacion, asociado}, kImprime); break;
    case 'R': EnviarHasar(0x80, {"r", estacion, asociado}, kImprime); break;
    case 'Z': EnviarHasar(0x80, {"u", estacion, asociado}, kImprime); break;
    case 'C': EnviarHasar(0x80, {a ? "R" : "S", estacion}, kImprime); break;
    case 'D':
      EnviarHasar(0x40, {a ? "D" : "E", estacion}, kImprime);
      c.TipoDocumento = "F";
      break;
    default: EnviarHasar(0x40, {a ? "A" : "B", estacion}, kImprime); break;
  }
}

}  // namespace

void AbrirComprobanteHasar(Argumentos& a) {
  Parametros& p = Param();
  ComprobanteEnCurso& c = Estado().comprobante;
  if (p.LP_TipoComprobante == "RF") p.LP_TipoComprobante = "FC";
  const bool formulario = ModoFormulario();
  const std::string_view estacion = LeerDecimal(a[14]) == Decimal::Entero(1) ? "S" : "T";
  const char tipo_pedido = Mayuscula(a[12][0]);
  c.TipoDocumento = std::string(1, tipo_pedido);
  a[4] = Mayusculas(a[4]);
  c.Copias = static_cast<uint8_t>(LeerEntero(a[13]));
  if (!TipoPermitido(tipo_pedido, a)) return;
  if (!EsUnoDe(tipo_pedido, "RPCDZ")) c.TipoDocumento = formulario ? "F" : "T";

  if (ModoTicket()) {
    EnviarHasar(0x40, {"T", estacion}, kImprime);
    return;
  }

  const char categoria = a[3][0];
  if (!ClienteValido(categoria, a)) return;
  if (EsBlanco(a[1])) a[1] = "Consumidor final";
  const std::string nombre = std::string(SinBlancosFinales(a[1])) + " " + a[2];
  const std::string direccion2 = std::string(SinBlancosFinales(a[8])) + " " + a[9];
  std::string digitos;
  for (char ch : a[5])
    if (ch >= '0' && ch <= '9' && digitos.size() < 11) digitos += ch;
  const std::string documento = EnteroFijo(LeerEntero(digitos), 11);
  const std::string_view codigo_doc = CodigoDocumento(SinBlancosFinales(a[4]));
  char codigo_iva = CodigoIva(categoria);
  if (categoria == 'R' && c.Letra == "A" && SinBlancosFinales(a[6]) == "1") {
    codigo_iva = 'B';
    c.Letra = "B";
  }
  const std::string iva(1, codigo_iva);
  if (EsBlanco(a[10]) && !EsBlanco(a[11])) {
    a[10] = a[11];
    a[11].clear();
  }

  if (formulario) EnviarHasar('d', {"9", std::to_string(c.Copias)}, {.tolera = true, .papel = true});

  // Associated documents: their own command, or header lines 06 to 08.
  EnviarHasar(0x93, {"1", kSinValor}, kTolera);
  if (ElEnlace().ComandoAceptado) {
    EnviarHasar(0x93, {"1", ODel(a[10])});
    EnviarHasar(0x93, {"2", ODel(a[11])});
  } else {
    GrabarTituloHasar(6, a[10]);
    GrabarTituloHasar(7, a[11]);
    GrabarTituloHasar(8, {});
  }

  // Customer data, with the address when the printer takes it.
  const int ancho_nombre = formulario ? 50 : 30, ancho_direccion = formulario ? 50 : 40;
  if (EsBlanco(a[7])) {
    EnviarHasar('b', {nombre, documento, iva, codigo_doc, kSinValor}, kTolera);
  } else {
    const std::string direccion = std::string(SinBlancosFinales(a[7])) + " " + direccion2;
    EnviarHasar('b', {Cortado(nombre, ancho_nombre), documento, iva, codigo_doc,
                      Cortado(direccion, ancho_direccion)}, kTolera);
  }
  if (ElEnlace().ComandoAceptado) {
    GrabarTituloHasar(9, {});
    GrabarTituloHasar(10, {});
  } else {
    EnviarHasar('b', {nombre, documento, iva, codigo_doc});
    GrabarTituloHasar(9, Cortado(a[7], ancho_direccion));
    GrabarTituloHasar(10, Cortado(direccion2, ancho_direccion));
  }

  EnviarApertura(c.TipoDocumento.Valor()[0], estacion, a[10]);
}

}  // namespace fiscal

// The parameter editor's window as data: every control in tab order, its
// label (Windows-1252 bytes, as shown), kind, range and place. The FLTK and
// the Win32 renderers both build the window from these rows and read and
// write the working copy through LeerCampo/PonerCampo, so the two cannot
// show different dialogs.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "edicion_parametros.h"
#include "estado.h"
#include "lp_fiscal.h"

namespace fiscal::editor {

enum class Clase {
  Grupo,     // framed box with a caption; holds the rows drawn inside it
  Etiqueta,  // plain label of the next control
  Giro,      // spin box: whole number within [minimo, maximo], step paso
  Lista,     // drop-down choice among `opciones`
  Marca,     // check box: `valor` when checked, `valor_no` when not
  Opcion,    // radio button: the field takes `valor` when chosen
  Muestra,   // display field: shown, never edited
  Boton,     // push button with a tip
};

// What a control shows or edits.
enum class Campo {
  Ninguno,
  ImpresoraPuerto, ImpresoraConfig, MostrarComandos, ErrorMostrar, GenerarLog,
  NumeroImpresora, PermitirAcentos, TipoIva, TipoComprobante,
  OSocEmitir, OSocDomicilio, OSocDocumento, OSocFirma, OSocAclaracion, OSocTelefono,
  ArchivoParametros, Grabacion,
  TarjFirma, TarjAclaracion, TarjTelefono,
  PapelContinuo, PapelPreimpreso,
  LonObsFac, LonLinFac, LonPagFac, LonLinNoF, LonLinPag, LonLinCot,
  EmiteFAC, EmiteCRE, EmiteRTO, EmitePAG, EmiteCOT,
  CanDecimales, PreDecimales, CanMaxima, PreMaximo,
  TextoImpresora, Grabar, Salir,
};

// Pixels, from the window's top left corner.
struct Caja {
  int x, y, w, h;
};

struct Control {
  Clase clase;
  Campo campo;
  const char* etiqueta;  // Windows-1252
  Caja caja;
  int minimo = 0, maximo = 0, paso = 0;  // Giro
  int digitos = 0;                       // Giro and Muestra: characters the field holds
  const char* valor = nullptr;           // Marca (checked), Opcion
  const char* valor_no = nullptr;        // Marca (unchecked)
  std::span<const char* const> opciones = {};  // Lista
  const char* ayuda = nullptr;                 // Boton: the tip
};

struct Dialogo {
  std::string_view marca;  // the driver it belongs to (DescripcionDriver::marca)
  int ancho, alto;
  std::span<const Control> controles;  // in tab order
};

// The font of the whole window and its size in points.
inline constexpr const char* kFuente = "Arial";
inline constexpr int kPuntos = 8;

namespace filas {

using C = Control;
using K = Clase;
using F = Campo;

constexpr int kAlto = 22;  // one row of a check box or radio button

inline constexpr const char* kConfigEpson[] = {"2400,N,8,1",  "4800,N,8,1",  "9600,N,8,1",
                                        "19200,N,8,1", "38400,N,8,1", "57600,N,8,1",
                                        "115200,N,8,1"};
inline constexpr const char* kConfigHasar[] = {"2400,N,8,1",  "4800,N,8,1",   "9600,N,8,1",
                                        "19200,N,8,1", "38400,N,8,1",  "57600,N,8,1",
                                        "115200,N,8,1", "1200,N,7,1"};

constexpr C Marca(F campo, const char* etiqueta, int x, int y, int w = 230) {
  return {K::Marca, campo, etiqueta, {x, y, w, kAlto}, 0, 0, 0, 0, "1", "0"};
}
constexpr C MarcaSN(F campo, const char* etiqueta, int x, int y, int w = 230) {
  return {K::Marca, campo, etiqueta, {x, y, w, kAlto}, 0, 0, 0, 0, "S", "N"};
}
constexpr C Opcion(F campo, const char* etiqueta, const char* valor, int x, int y) {
  return {K::Opcion, campo, etiqueta, {x, y, 200, kAlto}, 0, 0, 0, 0, valor};
}
constexpr C Etiqueta(const char* etiqueta, int x, int y, int w) {
  return {K::Etiqueta, F::Ninguno, etiqueta, {x, y, w, kAlto}};
}
constexpr C Grupo(const char* etiqueta, int x, int y, int w, int h) {
  return {K::Grupo, F::Ninguno, etiqueta, {x, y, w, h}};
}
constexpr C Giro(F campo, int x, int y, int w, int minimo, int maximo, int paso, int digitos) {
  return {K::Giro, campo, "", {x, y, w, 24}, minimo, maximo, paso, digitos};
}
constexpr C Muestra(F campo, int x, int y, int w, int digitos) {
  return {K::Muestra, campo, "", {x, y, w, 24}, 0, 0, 0, digitos};
}
constexpr C Lista(F campo, int x, int y, int w, std::span<const char* const> opciones) {
  return {K::Lista, campo, "", {x, y, w, 24}, 0, 0, 0, 0, nullptr, nullptr, opciones};
}
constexpr C Boton(F campo, const char* etiqueta, const char* ayuda, int x, int y) {
  return {K::Boton, campo, etiqueta, {x, y, 90, 28}, 0, 0, 0, 0,
          nullptr, nullptr, {}, ayuda};
}

// Three columns (A, B, C) and a band at the bottom. Rows shared by both
// drivers are written once; the few that differ come in two versions.
constexpr int kA = 10, kB = 300, kC = 560;

constexpr C kPuerto[] = {Etiqueta("Puerto comm de la impresora:", kA, 10, 190),
                         Giro(F::ImpresoraPuerto, kA + 200, 10, 50, 1, 16, 1, 2)};
constexpr C kConfigEtiqueta = Etiqueta("Configuracion puerto impresora:", kA, 38, 270);
constexpr C kMostrar[] = {Marca(F::MostrarComandos, " Mostrar comandos", kA, 88),
                          Marca(F::ErrorMostrar, " Mostrar mensajes de error", kA, 110)};
constexpr const char* kGenerarLog = " Generar \"fiscal.log\"";
constexpr C kAcentos = MarcaSN(F::PermitirAcentos, " Permitir acentos y \xD1", kA, 180);
constexpr C kIva[] = {
    Grupo("Tipo de iva del emisor", kA, 210, 280, 135),
    Opcion(F::TipoIva, "I=resp.inscripto", "I", kA + 10, 228),
    Opcion(F::TipoIva, "R=resp.no inscripto", "R", kA + 10, 250),
    Opcion(F::TipoIva, "N=no responsable", "N", kA + 10, 272),
    Opcion(F::TipoIva, "E=exento", "E", kA + 10, 294),
    Opcion(F::TipoIva, "M=monotributista", "M", kA + 10, 316),
};
constexpr C kImpresora = Grupo("Impresora", kB, 10, 250, 155);
constexpr C kTipoComprobante[] = {
    Etiqueta("Tipo de comprobante a emitir", kB + 10, 76, 230),
    Opcion(F::TipoComprobante, "TQ=tique", "TQ", kB + 20, 96),
    Opcion(F::TipoComprobante, "TF=tique-factura", "TF", kB + 20, 118),
    Opcion(F::TipoComprobante, "FC=factura", "FC", kB + 20, 140),
};
constexpr C kObrasSociales[] = {
    Grupo("Cupones Obras sociales", kB, 175, 250, 155),
    Marca(F::OSocEmitir, " Emitir comprobante", kB + 10, 193),
    Marca(F::OSocDomicilio, " Pedir domicilio", kB + 10, 215),
    Marca(F::OSocDocumento, " Pedir documento", kB + 10, 237),
    Marca(F::OSocFirma, " Pedir firma", kB + 10, 259),
    Marca(F::OSocAclaracion, " Pedir aclaracion", kB + 10, 281),
    Marca(F::OSocTelefono, " Pedir telefono", kB + 10, 303),
};
constexpr C kArchivo = Muestra(F::ArchivoParametros, kA, 355, 280, 20);
constexpr C kGrabacion = Muestra(F::Grabacion, kA, 385, 150, 17);
constexpr C kTarjetas[] = {
    Grupo("Cupones tarjetas", kB, 340, 250, 88),
    Marca(F::TarjFirma, " Pedir firma", kB + 10, 358),
    Marca(F::TarjAclaracion, " Pedir aclarracion", kB + 10, 380),
    Marca(F::TarjTelefono, " Pedir telefono", kB + 10, 402),
};
constexpr C kFacturas[] = {
    Grupo("Facturas", kC, 10, 250, 66),
    MarcaSN(F::PapelContinuo, " Utiliza papel continuo", kC + 10, 28),
    MarcaSN(F::PapelPreimpreso, " Utiliza papel preimpreso", kC + 10, 50),
};
constexpr int kLon = 84;  // first row of the line lengths
constexpr C kLongitudes[] = {
    Etiqueta("Facturas, long. observ.", kC, kLon, 185),
    Giro(F::LonObsFac, kC + 190, kLon, 60, 10, 130, 1, 3),
    Etiqueta("Facturas, long. items", kC, kLon + 26, 185),
    Giro(F::LonLinFac, kC + 190, kLon + 26, 60, 10, 130, 1, 3),
    Etiqueta("Facturas, long. pagos", kC, kLon + 52, 185),
    Giro(F::LonPagFac, kC + 190, kLon + 52, 60, 10, 130, 1, 3),
    Etiqueta("No fisc.,   long. lineas", kC, kLon + 78, 185),
    Giro(F::LonLinNoF, kC + 190, kLon + 78, 60, 10, 130, 1, 3),
    Etiqueta("Recibos,  long. lineas", kC, kLon + 104, 185),
    Giro(F::LonLinPag, kC + 190, kLon + 104, 60, 10, 130, 1, 3),
    Etiqueta("Cotizaciones,  long. lineas", kC, kLon + 130, 185),
    Giro(F::LonLinCot, kC + 190, kLon + 130, 60, 10, 130, 1, 3),
};
constexpr int kEmi = 248;  // first row of the issue flags
constexpr C kEmite[] = {
    Marca(F::EmiteFAC, " Emite Facturas", kC, kEmi),
    Marca(F::EmiteCRE, " Emite Cr\xE9" "ditos", kC, kEmi + 22),
    Marca(F::EmiteRTO, " Emite Remitos", kC, kEmi + 44),
    Marca(F::EmitePAG, " Emite Recibos", kC, kEmi + 66),
    Marca(F::EmiteCOT, " Emite Cotizaciones", kC, kEmi + 88),
};
constexpr C kItems[] = {
    Grupo("Items", kC, 362, 250, 66),
    Etiqueta("Decimales cantidad", kC + 10, 378, 160),
    Giro(F::CanDecimales, kC + 190, 378, 50, 0, 9, 1, 1),
    Etiqueta("Decimales precio", kC + 10, 402, 160),
    Giro(F::PreDecimales, kC + 190, 402, 50, 0, 9, 1, 1),
};
constexpr int kPie = 440;  // the bottom band
constexpr C kMaximos[] = {
    Etiqueta("Maxima cantidad", kA, kPie, 110),
    Giro(F::CanMaxima, kA + 115, kPie, 85, 0, 999999, 100, 6),
    Etiqueta("Maximo precio", kA + 215, kPie, 100),
    Giro(F::PreMaximo, kA + 320, kPie, 85, 0, 999999, 100, 6),
};
constexpr C kCierre[] = {
    Muestra(F::TextoImpresora, kA, kPie + 34, 290, 30),
    Boton(F::Grabar, "Grabar", "Grabar los parametros", 610, kPie + 32),
    Boton(F::Salir, "Salir", "Salir sin grabar", 710, kPie + 32),
};

// Joins rows and single controls into one array, in the order given.
template <size_t N>
struct Tabla {
  C filas[N];
  size_t n = 0;
  constexpr void Agregar(const C& c) { filas[n++] = c; }
  template <size_t M>
  constexpr void Agregar(const C (&cs)[M]) {
    for (const C& c : cs) Agregar(c);
  }
};

template <size_t N, typename... Partes>
constexpr Tabla<N> Unir(const Partes&... partes) {
  Tabla<N> t{};
  (t.Agregar(partes), ...);
  return t;
}

constexpr int kControlesEpson = 66;
constexpr int kControlesHasar = 65;

inline constexpr Tabla<kControlesEpson> kEpson = Unir<kControlesEpson>(
    kPuerto, kConfigEtiqueta, Lista(F::ImpresoraConfig, kA, 58, 120, kConfigEpson), kMostrar,
    Marca(F::GenerarLog, kGenerarLog, kA, 132), Etiqueta("N\xFAmero:", kA, 156, 60),
    Muestra(F::NumeroImpresora, kA + 65, 156, 30, 1), kAcentos, kIva, kImpresora,
    kTipoComprobante, kObrasSociales, kArchivo, kGrabacion, kTarjetas, kFacturas, kLongitudes,
    kEmite, kItems, kMaximos, kCierre);

// Hasar: the printer number and the trace-log box move into "Impresora",
// after the VAT option; there is no file-name field.
inline constexpr Tabla<kControlesHasar> kHasar = Unir<kControlesHasar>(
    kPuerto, kConfigEtiqueta, Lista(F::ImpresoraConfig, kA, 58, 120, kConfigHasar), kMostrar,
    kAcentos, kIva, kImpresora, Etiqueta("Numero:", kB + 10, 28, 60),
    Muestra(F::NumeroImpresora, kB + 75, 28, 30, 1),
    Marca(F::GenerarLog, kGenerarLog, kB + 10, 52), kTipoComprobante, kObrasSociales,
    kGrabacion, kTarjetas, kFacturas, kLongitudes, kEmite, kItems, kMaximos, kCierre);

static_assert(kEpson.n == kControlesEpson && kHasar.n == kControlesHasar);

}  // namespace filas

inline constexpr int kAncho = 820;
inline constexpr int kAltoVentana = 510;

inline constexpr Dialogo kDialogos[] = {
    {"EPSON", kAncho, kAltoVentana, filas::kEpson.filas},
    {"HASAR", kAncho, kAltoVentana, filas::kHasar.filas},
};

// The dialog of the driver whose brand is `marca`.
constexpr const Dialogo& DialogoDe(std::string_view marca) {
  for (const Dialogo& d : kDialogos) {
    if (d.marca == marca) return d;
  }
  return kDialogos[0];
}

// The value a control shows, as text (Windows-1252).
inline std::string LeerCampo(const ValoresParametros& v, Campo c) {
  const Parametros& p = v.p;
  auto n = [](int x) { return std::to_string(x); };
  switch (c) {
    case Campo::ImpresoraPuerto: return n(p.LP_ImpresoraPuerto);
    case Campo::ImpresoraConfig: return std::string(p.LP_ImpresoraConfig.Valor());
    case Campo::MostrarComandos: return n(p.LP_MostrarComandos);
    case Campo::ErrorMostrar: return n(v.LP_ErrorMostrar);
    case Campo::GenerarLog: return n(p.LP_GenerarLog);
    case Campo::NumeroImpresora: return std::string(LeerFijo(LP_NumeroImpresora));
    case Campo::PermitirAcentos: return std::string(p.LP_PermitirAcentos.Valor());
    case Campo::TipoIva: return std::string(p.LP_TipoIva.Valor());
    case Campo::TipoComprobante: return std::string(p.LP_TipoComprobante.Valor());
    case Campo::OSocEmitir: return n(p.LP_OSocEmitir);
    case Campo::OSocDomicilio: return n(p.LP_OSocDomicilio);
    case Campo::OSocDocumento: return n(p.LP_OSocDocumento);
    case Campo::OSocFirma: return n(p.LP_OSocFirma);
    case Campo::OSocAclaracion: return n(p.LP_OSocAclaracion);
    case Campo::OSocTelefono: return n(p.LP_OSocTelefono);
    case Campo::ArchivoParametros: return std::string(Estado().ArchivoParametros.Valor());
    case Campo::Grabacion: return std::string(LeerFijo(LP_ParametrosLeidos));
    case Campo::TarjFirma: return n(p.LP_TarjFirma);
    case Campo::TarjAclaracion: return n(p.LP_TarjAclaracion);
    case Campo::TarjTelefono: return n(p.LP_TarjTelefono);
    case Campo::PapelContinuo: return std::string(p.LP_PapelContinuo.Valor());
    case Campo::PapelPreimpreso: return std::string(p.LP_PapelPreimpreso.Valor());
    case Campo::LonObsFac: return n(v.LP_LonObsFac);
    case Campo::LonLinFac: return n(v.LP_LonLinFac);
    case Campo::LonPagFac: return n(v.LP_LonPagFac);
    case Campo::LonLinNoF: return n(v.LP_LonLinNoF);
    case Campo::LonLinPag: return n(v.LP_LonLinPag);
    case Campo::LonLinCot: return n(v.LP_LonLinCot);
    case Campo::EmiteFAC: return n(v.LP_EmiteFAC);
    case Campo::EmiteCRE: return n(v.LP_EmiteCRE);
    case Campo::EmiteRTO: return n(v.LP_EmiteRTO);
    case Campo::EmitePAG: return n(v.LP_EmitePAG);
    case Campo::EmiteCOT: return n(v.LP_EmiteCOT);
    case Campo::CanDecimales: return n(v.LP_CanDecimales);
    case Campo::PreDecimales: return n(v.LP_PreDecimales);
    case Campo::CanMaxima: return n(v.LP_CanMaxima);
    case Campo::PreMaximo: return n(v.LP_PreMaximo);
    default: return {};
  }
}

// Stores what the operator chose. Display fields and the document type
// (which goes through EdicionParametros::CambiarTipoComprobante) are not
// stored here; numbers are read as the parameter file reads them.
inline void PonerCampo(ValoresParametros& v, Campo c, std::string_view t) {
  Parametros& p = v.p;
  const auto e = LeerEntero(t);
  const auto b = static_cast<uint8_t>(e);
  switch (c) {
    case Campo::ImpresoraPuerto: p.LP_ImpresoraPuerto = static_cast<int16_t>(e); break;
    case Campo::ImpresoraConfig: p.LP_ImpresoraConfig = t; break;
    case Campo::MostrarComandos: p.LP_MostrarComandos = b; break;
    case Campo::ErrorMostrar: v.LP_ErrorMostrar = b; break;
    case Campo::GenerarLog: p.LP_GenerarLog = b; break;
    case Campo::PermitirAcentos: p.LP_PermitirAcentos = t; break;
    case Campo::TipoIva: p.LP_TipoIva = t; break;
    case Campo::OSocEmitir: p.LP_OSocEmitir = b; break;
    case Campo::OSocDomicilio: p.LP_OSocDomicilio = b; break;
    case Campo::OSocDocumento: p.LP_OSocDocumento = b; break;
    case Campo::OSocFirma: p.LP_OSocFirma = b; break;
    case Campo::OSocAclaracion: p.LP_OSocAclaracion = b; break;
    case Campo::OSocTelefono: p.LP_OSocTelefono = b; break;
    case Campo::TarjFirma: p.LP_TarjFirma = b; break;
    case Campo::TarjAclaracion: p.LP_TarjAclaracion = b; break;
    case Campo::TarjTelefono: p.LP_TarjTelefono = b; break;
    case Campo::PapelContinuo: p.LP_PapelContinuo = t; break;
    case Campo::PapelPreimpreso: p.LP_PapelPreimpreso = t; break;
    case Campo::LonObsFac: v.LP_LonObsFac = b; break;
    case Campo::LonLinFac: v.LP_LonLinFac = b; break;
    case Campo::LonPagFac: v.LP_LonPagFac = b; break;
    case Campo::LonLinNoF: v.LP_LonLinNoF = b; break;
    case Campo::LonLinPag: v.LP_LonLinPag = b; break;
    case Campo::LonLinCot: v.LP_LonLinCot = b; break;
    case Campo::EmiteFAC: v.LP_EmiteFAC = b; break;
    case Campo::EmiteCRE: v.LP_EmiteCRE = b; break;
    case Campo::EmiteRTO: v.LP_EmiteRTO = b; break;
    case Campo::EmitePAG: v.LP_EmitePAG = b; break;
    case Campo::EmiteCOT: v.LP_EmiteCOT = b; break;
    case Campo::CanDecimales: v.LP_CanDecimales = b; break;
    case Campo::PreDecimales: v.LP_PreDecimales = b; break;
    case Campo::CanMaxima: v.LP_CanMaxima = static_cast<int32_t>(e); break;
    case Campo::PreMaximo: v.LP_PreMaximo = static_cast<int32_t>(e); break;
    default: break;
  }
}

// A spin box's text as a number within its range.
inline int Acotado(const Control& c, std::string_view t) {
  const int64_t e = LeerEntero(t);
  return static_cast<int>(e < c.minimo ? c.minimo : e > c.maximo ? c.maximo : e);
}

}  // namespace fiscal::editor

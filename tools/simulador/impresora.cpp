#include "impresora.h"

#include <chrono>
#include <cmath>
#include <ctime>
#include <fstream>

#include "formato.h"

namespace simulador {

namespace {

constexpr size_t kAncho = 40;  // columns of the paper roll

// Commands that move paper: refused while the paper is out.
const std::set<uint8_t> kImprimenEpson = {0x40, 'A', 'B', 'D', 'E', 0x60, 'b', 'd', 'e', 'f',
                                          'H',  'I', 'J', '9', ':', ';',  'R', 'S', 'O'};
const std::set<uint8_t> kImprimenHasar = {0x40, 0x80, 'A', 0x97, 0x84, 0x82, 'B', 'T', 'D',
                                          0x60, 'E',  0x81, 0x99, 'G', 'H',  'I', 'J', '9',
                                          ':',  ';',  'R',  'h'};

}  // namespace

Impresora::Impresora(Protocolo protocolo, Modelo modelo)
    : protocolo_(protocolo), modelo_(std::move(modelo)) {
  if (modelo_.nombre.empty())
    modelo_.nombre = protocolo == Protocolo::Epson ? "SIM-TM1000" : "SIM-P715";
  titulos_.resize(protocolo == Protocolo::Epson ? 66 : 21);
  titulos_[1] = modelo_.razon_social;
}

Impresora::Salida Impresora::Rechazo(uint16_t bit, int campo) {
  Salida s;
  s.rechazo = bit;
  s.campo = campo;
  if (bit == kFiscalCampo && campo > 0) s.campos.push_back(CampoConError(campo));
  return s;
}

bool Impresora::ImprimeComando(uint8_t codigo) const {
  const auto& imprimen = protocolo_ == Protocolo::Epson ? kImprimenEpson : kImprimenHasar;
  return imprimen.count(codigo) > 0;
}

Respuesta Impresora::Ejecutar(const Trama& t) {
  std::lock_guard<std::mutex> l(mutex_);
  Salida s;
  bool sin_papel = false;
  if (modelo_.desconocidos.count(t.codigo)) {
    s = Rechazo(kFiscalDesconocido);
  } else if (campo_a_rechazar_ > 0) {
    s = Rechazo(kFiscalCampo, campo_a_rechazar_);
    campo_a_rechazar_ = 0;
  } else if (condiciones_.papel == Papel::Sin && ImprimeComando(t.codigo)) {
    sin_papel = true;
  } else {
    s = protocolo_ == Protocolo::Epson ? EjecutarEpson(t) : EjecutarHasar(t);
  }
  Respuesta r;
  r.campos = std::move(s.campos);
  r.trabajo_ms = static_cast<int>(s.trabajo_ms * modelo_.escala_trabajo);
  r.ejecutado = s.rechazo == 0 && !sin_papel;
  Palabras(s.rechazo, sin_papel, r.impresora, r.fiscal);
  return r;
}

void Impresora::Palabras(uint16_t rechazo, bool sin_papel, uint16_t& impresora,
                         uint16_t& fiscal) const {
  fiscal = rechazo;
  {
    const Condiciones& c = condiciones_;
    if (c.memoria == MemoriaFiscal::Error) fiscal |= 0x0001;
    if (c.bateria_baja) fiscal |= 0x0004;
    if (c.memoria == MemoriaFiscal::Llena) fiscal |= 0x0080;
    if (c.memoria == MemoriaFiscal::CasiLlena) fiscal |= 0x0100;
    if (modelo_.fiscalizada) fiscal |= 0x0600;
    if (modelo_.cierre_z_pendiente) fiscal |= kFiscalZPendiente;
    if (doc_.tipo == Doc::Fiscal) fiscal |= kFiscalDocumento;
    if (doc_.tipo == Doc::NoFiscal) fiscal |= kFiscalNoFiscal;
    if ((fiscal & 0x01FF) || sin_papel) fiscal |= 0x8000;
    fiscal = static_cast<uint16_t>((fiscal | c.fiscal_poner) & ~c.fiscal_quitar);

    impresora = 0;
    if (c.error_impresora) impresora |= 0x0004;
    if (c.fuera_de_linea) impresora |= 0x0008;
    if (protocolo_ == Protocolo::Epson) {
      if (c.papel == Papel::Poco) impresora |= 0x0030;
      if (c.papel == Papel::Sin) impresora |= 0x4000;
      if (c.esperando_hoja) impresora |= 0x0100;
      if (c.hoja_colocada) impresora |= 0x0200;
      if (c.cajon_abierto) impresora |= 0x1000;
      if (impresora & 0x000C) impresora |= 0x8000;
    } else {
      if (c.papel == Papel::Sin) impresora |= 0x0030;
      if (!c.cajon_abierto) impresora |= 0x4000;
      if (impresora & 0x003C) impresora |= 0x8000;
    }
    impresora = static_cast<uint16_t>((impresora | c.impresora_poner) & ~c.impresora_quitar);
  }
}

void Impresora::EstadoActual(uint16_t& impresora, uint16_t& fiscal) {
  std::lock_guard<std::mutex> l(mutex_);
  Palabras(0, false, impresora, fiscal);
}

std::vector<std::string> Impresora::Rollo() const {
  std::lock_guard<std::mutex> l(mutex_);
  return rollo_;
}

void Impresora::RolloEnArchivo(const std::string& ruta) {
  std::lock_guard<std::mutex> l(mutex_);
  ruta_rollo_ = ruta;
}

void Impresora::CambiarCondiciones(const Condiciones& c) {
  std::lock_guard<std::mutex> l(mutex_);
  condiciones_ = c;
}

Condiciones Impresora::LeerCondiciones() const {
  std::lock_guard<std::mutex> l(mutex_);
  return condiciones_;
}

void Impresora::CambiarModelo(const Modelo& m) {
  std::lock_guard<std::mutex> l(mutex_);
  modelo_ = m;
  if (modelo_.nombre.empty())
    modelo_.nombre = protocolo_ == Protocolo::Epson ? "SIM-TM1000" : "SIM-P715";
}

Modelo Impresora::LeerModelo() const {
  std::lock_guard<std::mutex> l(mutex_);
  return modelo_;
}

void Impresora::RechazarCampo(int campo) {
  std::lock_guard<std::mutex> l(mutex_);
  campo_a_rechazar_ = campo;
}

bool Impresora::DocumentoAbierto() const {
  std::lock_guard<std::mutex> l(mutex_);
  return doc_.tipo != Doc::Ninguno;
}

long Impresora::UltimoNumero() const {
  std::lock_guard<std::mutex> l(mutex_);
  return ultimo_numero_;
}

long Impresora::UltimoZ() const {
  std::lock_guard<std::mutex> l(mutex_);
  return ultimo_z_;
}

// ---- paper roll ----

void Impresora::Imprimir(const std::string& linea) {
  std::string l = SinAtributos(linea).substr(0, kAncho);
  while (!l.empty() && l.back() == ' ') l.pop_back();
  rollo_.push_back(l);
  if (!ruta_rollo_.empty()) {
    std::ofstream f(ruta_rollo_, std::ios::app | std::ios::binary);
    f << l << '\n';
  }
}

void Impresora::ImprimirColumnas(const std::string& izquierda, const std::string& derecha) {
  std::string d = derecha.substr(0, kAncho);
  Imprimir(Ajustar(SinAtributos(izquierda), kAncho - d.size()) + d);
}

void Impresora::ImprimirEncabezado() {
  for (int n = 1; n <= 10 && n < static_cast<int>(titulos_.size()); ++n)
    if (!titulos_[n].empty()) Imprimir(titulos_[n]);
  Imprimir("CUIT Nro.: " + modelo_.cuit);
  std::string f = Ahora(true), h = Ahora(false);
  Imprimir("P.V. Nro.: " + modelo_.punto_venta + "  " + f.substr(4, 2) + "/" + f.substr(2, 2) +
           "/" + f.substr(0, 2) + " " + h.substr(0, 2) + ":" + h.substr(2, 2) + ":" + h.substr(4, 2));
}

void Impresora::ImprimirPie() {
  for (int n = 11; n <= 20 && n < static_cast<int>(titulos_.size()); ++n)
    if (!titulos_[n].empty()) Imprimir(titulos_[n]);
  Imprimir("Serie " + modelo_.serie + "  " + modelo_.nombre);
  Imprimir(std::string(kAncho, '-'));
}

std::string Impresora::Ahora(bool fecha) const {
  time_t t = time(nullptr) + desfase_reloj_;
  tm l{};
  localtime_r(&t, &l);
  char texto[32];
  if (fecha)
    std::snprintf(texto, sizeof texto, "%02d%02d%02d", l.tm_year % 100, l.tm_mon + 1, l.tm_mday);
  else
    std::snprintf(texto, sizeof texto, "%02d%02d%02d", l.tm_hour, l.tm_min, l.tm_sec);
  return texto;
}

// ---- amounts ----

long double Impresora::Suma(const Documento& d, long double PorTasa::*parte) {
  long double v = 0;
  for (const auto& [tasa, t] : d.tasas) v += t.*parte;
  return v;
}
long double Impresora::Neto(const Documento& d) const { return Suma(d, &PorTasa::neto); }
long double Impresora::Iva(const Documento& d) const { return Suma(d, &PorTasa::iva); }
long double Impresora::Interno(const Documento& d) const { return Suma(d, &PorTasa::interno); }
long double Impresora::Percepciones(const Documento& d) const {
  long double v = 0;
  for (const auto& p : d.percepciones) v += p.second;
  return v;
}
long double Impresora::Total(const Documento& d) const {
  return Neto(d) + Iva(d) + Interno(d) + Percepciones(d);
}

std::string Impresora::ClaveNumerador(const Documento& d) const {
  if (d.tipo == Doc::NoFiscal) return "HX";
  return std::string{d.clase, d.letra};
}

long Impresora::Ultimo(const std::string& clases, const std::string& letras) const {
  long r = 0;
  for (const auto& [clave, n] : numeros_)
    if (clases.find(clave[0]) != std::string::npos && letras.find(clave[1]) != std::string::npos)
      r = std::max(r, n);
  return r;
}

// ---- documents ----

bool Impresora::PuedeAbrir(Salida& s) const {
  if (doc_.tipo != Doc::Ninguno || !modelo_.fiscalizada || modelo_.cierre_z_pendiente) {
    s = Rechazo(kFiscalEstado);
    return false;
  }
  return true;
}

Impresora::Salida Impresora::AbrirFiscal(char clase, char letra, bool modo_ticket, bool especial) {
  Salida s;
  if (!PuedeAbrir(s)) return s;
  doc_ = Documento{};
  doc_.tipo = Doc::Fiscal;
  doc_.clase = clase;
  doc_.letra = letra;
  doc_.modo_ticket = modo_ticket;
  doc_.especial = especial;
  if (inicio_jornada_.empty()) inicio_jornada_ = Ahora(true) + Ahora(false);
  ImprimirEncabezado();
  std::string nombre;
  switch (clase) {
    case 'T': nombre = modo_ticket ? "TIQUE" : "TIQUE FACTURA"; break;
    case 'F': nombre = "FACTURA"; break;
    case 'D': nombre = "NOTA DE DEBITO"; break;
    case 'N': case 'M': nombre = "NOTA DE CREDITO"; break;
    case 'E': case 'r': nombre = "REMITO"; break;
    case 'L': case 'x': nombre = "RECIBO"; break;
    case 'C': case 'u': nombre = "COTIZACION"; break;
    default: nombre = "COMPROBANTE"; break;
  }
  if (letra != ' ' && !(modo_ticket && clase == 'T')) nombre += std::string(" \"") + letra + "\"";
  char numero[32];
  std::snprintf(numero, sizeof numero, "%08ld", numeros_[ClaveNumerador(doc_)] + 1);
  ImprimirColumnas(nombre, std::string("Nro.") + numero);
  if (!cliente_.empty()) {
    Imprimir(cliente_);
    cliente_.clear();
  }
  return s;
}

Impresora::Salida Impresora::Item(const std::string& descripcion, long double cantidad,
                                  long double precio, int tasa_x100, bool negativo,
                                  bool precio_neto, long double interno_unitario) {
  if (doc_.tipo != Doc::Fiscal || doc_.pagos > 0) return Rechazo(kFiscalEstado);
  long double r = tasa_x100 / 10000.0L;
  PorTasa linea;
  linea.interno = cantidad * interno_unitario;
  if (precio_neto) {
    linea.neto = cantidad * precio;
    linea.iva = linea.neto * r;
  } else {
    long double bruto = cantidad * precio;
    linea.neto = (bruto - linea.interno) / (1 + r);
    linea.iva = bruto - linea.interno - linea.neto;
  }
  long double signo = negativo ? -1 : 1;
  PorTasa& acumulado = doc_.tasas[tasa_x100];
  acumulado.neto += signo * linea.neto;
  acumulado.iva += signo * linea.iva;
  acumulado.interno += signo * linea.interno;
  ++doc_.lineas;
  if (cantidad != 1)
    Imprimir(ConPunto(cantidad, 3) + " x " + ConPunto(precio, 2));
  long double importe = signo * (linea.neto + linea.iva + linea.interno);
  ImprimirColumnas(descripcion + " (" + ConPunto(tasa_x100 / 100.0L, 2) + ")",
                   ImporteRollo(importe));
  return {};
}

Impresora::Salida Impresora::Ajuste(const std::string& texto, long double importe) {
  if (doc_.tipo != Doc::Fiscal || doc_.pagos > 0) return Rechazo(kFiscalEstado);
  long double bruto = Neto(doc_) + Iva(doc_) + Interno(doc_);
  if (bruto <= 0) return Rechazo(kFiscalEstado);
  // Spread over the rates in proportion to what each one sold.
  for (auto& [tasa, t] : doc_.tasas) {
    long double parte = importe * (t.neto + t.iva + t.interno) / bruto;
    long double r = tasa / 10000.0L;
    t.neto += parte / (1 + r);
    t.iva += parte - parte / (1 + r);
  }
  ImprimirColumnas(texto, ImporteRollo(importe));
  return {};
}

Impresora::Salida Impresora::Percepcion(const std::string& texto, long double importe) {
  if (doc_.tipo != Doc::Fiscal || doc_.pagos > 0) return Rechazo(kFiscalEstado);
  doc_.percepciones.emplace_back(texto, importe);
  ImprimirColumnas(texto, ImporteRollo(importe));
  return {};
}

Impresora::Salida Impresora::Pagar(const std::string& texto, long double importe) {
  if (doc_.tipo != Doc::Fiscal || doc_.lineas == 0) return Rechazo(kFiscalEstado);
  if (doc_.pagos == 0) ImprimirColumnas("TOTAL", ImporteRollo(Total(doc_)));
  doc_.pagado += importe;
  ++doc_.pagos;
  ImprimirColumnas(texto, ImporteRollo(importe));
  Salida s;
  long double resto = Total(doc_) - doc_.pagado;
  if (protocolo_ == Protocolo::Epson)
    s.campos.push_back(Implicito(std::fabs(resto), 9, 2));
  else
    s.campos.push_back(ConPunto(resto, 2));
  return s;
}

Impresora::Salida Impresora::Subtotal(const Trama& t) {
  if (doc_.tipo != Doc::Fiscal) return Rechazo(kFiscalEstado);
  std::string marca = t.campos.empty() ? "P" : t.campos[0];
  if (marca != "P" && marca != "A") return Rechazo(kFiscalCampo, 1);
  if (marca == "P") {
    std::string texto = t.campos.size() > 1 && t.campos[1] != "\x7F" ? t.campos[1] : "Subtotal";
    ImprimirColumnas(texto, ImporteRollo(Total(doc_)));
  }
  Salida s;
  if (protocolo_ == Protocolo::Epson) {
    s.campos = {std::to_string(doc_.lineas), std::to_string(doc_.pagos),
                Implicito(Total(doc_), 12, 2), Implicito(Iva(doc_), 12, 2),
                Implicito(doc_.pagado, 12, 2), Implicito(Interno(doc_), 12, 2),
                Implicito(0, 12, 2), Implicito(Neto(doc_), 12, 2)};
  } else {
    s.campos = {std::to_string(doc_.lineas), ConPunto(Neto(doc_), 2), ConPunto(Iva(doc_), 2),
                ConPunto(doc_.pagado, 2), ConPunto(0, 2), ConPunto(Interno(doc_), 2)};
  }
  return s;
}

Impresora::Salida Impresora::Cancelar() {
  if (doc_.tipo != Doc::Fiscal) return Rechazo(kFiscalEstado);
  Imprimir("*** COMPROBANTE CANCELADO ***");
  ImprimirPie();
  ++jornada_.cancelados;
  doc_ = Documento{};
  return {};
}

Impresora::Salida Impresora::CerrarFiscal() {
  if (doc_.tipo != Doc::Fiscal) return Rechazo(kFiscalEstado);
  long double total = Total(doc_);
  if (doc_.pagos == 0) ImprimirColumnas("TOTAL", ImporteRollo(total));
  if (total - doc_.pagado > 0.005L) {
    ImprimirColumnas("Efectivo", ImporteRollo(total - doc_.pagado));
  } else if (doc_.pagado - total > 0.005L) {
    ImprimirColumnas("Su vuelto", ImporteRollo(doc_.pagado - total));
  }
  if (doc_.letra == 'A') {
    ImprimirColumnas("Neto gravado", ImporteRollo(Neto(doc_)));
    ImprimirColumnas("IVA", ImporteRollo(Iva(doc_)));
  }
  long numero = ++numeros_[ClaveNumerador(doc_)];
  ultimo_numero_ = numero;
  bool credito = doc_.clase == 'N' || doc_.clase == 'M';
  ++jornada_.fiscales;
  ++(doc_.letra == 'A' ? jornada_.emitidos_a : jornada_.emitidos_bc);
  if (credito) {
    ++jornada_.notas_credito;
    jornada_.venta_nc += total;
    jornada_.iva_nc += Iva(doc_);
    jornada_.interno_nc += Interno(doc_);
    jornada_.percepcion_nc += Percepciones(doc_);
  } else {
    jornada_.venta += total;
    jornada_.iva += Iva(doc_);
    jornada_.interno += Interno(doc_);
    jornada_.percepcion += Percepciones(doc_);
  }
  char texto[32];
  std::snprintf(texto, sizeof texto, "%08ld", numero);
  Imprimir(std::string("Comprobante Nro. ") + texto);
  ImprimirPie();
  ultimo_doc_ = doc_;
  totales_leidos_ = 0;
  doc_ = Documento{};
  Salida s;
  s.campos.push_back(std::to_string(numero));
  s.trabajo_ms = 600;
  return s;
}

Impresora::Salida Impresora::AbrirNoFiscal() {
  if (doc_.tipo != Doc::Ninguno) return Rechazo(kFiscalEstado);
  doc_ = Documento{};
  doc_.tipo = Doc::NoFiscal;
  ImprimirEncabezado();
  Imprimir("DOCUMENTO NO FISCAL");
  return {};
}

Impresora::Salida Impresora::TextoNoFiscal(const std::string& texto) {
  if (doc_.tipo != Doc::NoFiscal) return Rechazo(kFiscalEstado);
  Imprimir(texto);
  return {};
}

Impresora::Salida Impresora::CerrarNoFiscal() {
  if (doc_.tipo != Doc::NoFiscal) return Rechazo(kFiscalEstado);
  long numero = ++numeros_["HX"];
  ++jornada_.no_fiscales;
  ImprimirPie();
  doc_ = Documento{};
  Salida s;
  s.campos.push_back(std::to_string(numero));
  s.trabajo_ms = 600;
  return s;
}

// ---- closings, reports, set-up ----

Impresora::Salida Impresora::Cierre(char letra) {
  if (letra != 'X' && letra != 'Z') return Rechazo(kFiscalCampo, 1);
  if (doc_.tipo != Doc::Ninguno) return Rechazo(kFiscalEstado);
  if (letra == 'Z' && !modelo_.fiscalizada) return Rechazo(kFiscalEstado);
  long numero = letra == 'Z' ? ++ultimo_z_ : ++ultimo_x_;
  const Jornada& j = jornada_;
  ImprimirEncabezado();
  Imprimir(std::string("INFORME DIARIO DE CIERRE \"") + letra + "\" Nro. " + std::to_string(numero));
  ImprimirColumnas("Comprobantes fiscales", std::to_string(j.fiscales));
  ImprimirColumnas("Cancelados", std::to_string(j.cancelados));
  ImprimirColumnas("No fiscales", std::to_string(j.no_fiscales));
  ImprimirColumnas("Venta", ImporteRollo(j.venta));
  ImprimirColumnas("IVA", ImporteRollo(j.iva));
  ImprimirColumnas("Percepciones", ImporteRollo(j.percepcion));
  ImprimirPie();
  Salida s;
  std::string bc = std::to_string(Ultimo("TFD", "BC")), a = std::to_string(Ultimo("TFD", "A"));
  if (protocolo_ == Protocolo::Epson) {
    s.campos = {std::to_string(numero), std::to_string(j.cancelados),
                std::to_string(j.homologados), std::to_string(j.no_fiscales),
                std::to_string(j.emitidos_bc), std::to_string(j.emitidos_a), bc,
                Implicito(j.venta, 12, 2), Implicito(j.iva, 12, 2),
                Implicito(j.percepcion, 12, 2), a};
  } else {
    s.campos = {std::to_string(numero), std::to_string(j.cancelados),
                std::to_string(j.homologados), std::to_string(j.no_fiscales),
                std::to_string(j.fiscales), "0", bc, a, ConPunto(j.venta, 2),
                ConPunto(j.iva, 2), ConPunto(j.interno, 2), ConPunto(j.percepcion, 2), "0.00",
                std::to_string(Ultimo("N", "BC")), std::to_string(Ultimo("N", "A")),
                ConPunto(j.venta_nc, 2), ConPunto(j.iva_nc, 2), ConPunto(j.interno_nc, 2),
                ConPunto(j.percepcion_nc, 2), "0.00", std::to_string(Ultimo("r", "X"))};
  }
  s.trabajo_ms = letra == 'Z' ? 3000 : 1500;
  if (letra == 'Z') {
    jornada_ = Jornada{};
    modelo_.cierre_z_pendiente = false;
    inicio_jornada_.clear();
  }
  return s;
}

Impresora::Salida Impresora::Informe(const Trama& t) {
  if (doc_.tipo != Doc::Ninguno) return Rechazo(kFiscalEstado);
  for (int i = 0; i < 2; ++i)
    if (t.campos.size() <= static_cast<size_t>(i) || t.campos[i].empty())
      return Rechazo(kFiscalCampo, i + 1);
  Imprimir("INFORME DE MEMORIA FISCAL");
  Imprimir((t.codigo == ':' ? "Fechas " : "Cierres ") + t.campos[0] + " a " + t.campos[1]);
  ImprimirColumnas("Cierres Z registrados", std::to_string(ultimo_z_));
  ImprimirPie();
  Salida s;
  s.trabajo_ms = 2000;
  return s;
}

Impresora::Salida Impresora::Avanzar(const std::string& lineas) {
  long n = 0;
  if (!LeerEntero(lineas, n)) return Rechazo(kFiscalCampo, 1);
  for (long i = 0; i < std::min(n, 99L); ++i) Imprimir("");
  return {};
}

Impresora::Salida Impresora::FijarReloj(const Trama& t) {
  if (doc_.tipo != Doc::Ninguno) return Rechazo(kFiscalEstado);
  for (int i = 0; i < 2; ++i) {
    long v;
    if (t.campos.size() <= static_cast<size_t>(i) || t.campos[i].size() != 6 ||
        !LeerEntero(t.campos[i], v))
      return Rechazo(kFiscalCampo, i + 1);
  }
  auto dos = [](const std::string& s, int p) { return std::stoi(s.substr(p, 2)); };
  tm l{};
  l.tm_year = 100 + dos(t.campos[0], 0);
  l.tm_mon = dos(t.campos[0], 2) - 1;
  l.tm_mday = dos(t.campos[0], 4);
  l.tm_hour = dos(t.campos[1], 0);
  l.tm_min = dos(t.campos[1], 2);
  l.tm_sec = dos(t.campos[1], 4);
  l.tm_isdst = -1;
  if (l.tm_mon > 11 || l.tm_mday < 1 || l.tm_mday > 31) return Rechazo(kFiscalCampo, 1);
  if (l.tm_hour > 23 || l.tm_min > 59 || l.tm_sec > 59) return Rechazo(kFiscalCampo, 2);
  time_t deseado = mktime(&l);
  desfase_reloj_ = static_cast<long long>(deseado) - static_cast<long long>(time(nullptr));
  return {};
}

Impresora::Salida Impresora::LeerReloj() {
  Salida s;
  s.campos = {Ahora(true), Ahora(false)};
  return s;
}

Impresora::Salida Impresora::GrabarTitulo(const Trama& t) {
  long n = 0;
  if (t.campos.empty() || !LeerEntero(t.campos[0], n) || n < 1 ||
      n >= static_cast<long>(titulos_.size()))
    return Rechazo(kFiscalCampo, 1);
  if (t.campos.size() < 2) return Rechazo(kFiscalCampo, 2);
  titulos_[n] = t.campos[1] == "\x7F" ? std::string() : t.campos[1];
  return {};
}

Impresora::Salida Impresora::LeerTitulo(const Trama& t) {
  long n = 0;
  if (t.campos.empty() || !LeerEntero(t.campos[0], n) || n < 1 ||
      n >= static_cast<long>(titulos_.size()))
    return Rechazo(kFiscalCampo, 1);
  std::string texto = titulos_[n].empty() ? std::string("\x7F") : titulos_[n];
  Salida s;
  if (protocolo_ == Protocolo::Epson)
    s.campos = {t.campos[0], texto};
  else
    s.campos = {texto};
  return s;
}

}  // namespace simulador

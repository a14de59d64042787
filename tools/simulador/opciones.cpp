#include "opciones.h"

#include <cstdlib>
#include <functional>
#include <map>
#include <sstream>

namespace simulador {

namespace {

bool Entero(const std::string& v, long minimo, long maximo, long& r) {
  char* fin = nullptr;
  r = std::strtol(v.c_str(), &fin, 10);
  return !v.empty() && *fin == 0 && r >= minimo && r <= maximo;
}

bool Real(const std::string& v, double& r) {
  char* fin = nullptr;
  r = std::strtod(v.c_str(), &fin);
  return !v.empty() && *fin == 0 && r >= 0 && r < 1e6;
}

bool Palabra16(const std::string& v, uint16_t& r) {
  char* fin = nullptr;
  unsigned long n = std::strtoul(v.c_str(), &fin, 16);
  if (v.empty() || *fin != 0 || n > 0xFFFF) return false;
  r = static_cast<uint16_t>(n);
  return true;
}

using Accion = std::function<bool(Configuracion&, const std::string&)>;

struct Opcion {
  bool con_valor;
  const char* ayuda;
  Accion accion;
};

Accion Contador(int Fallas::*campo) {
  return [campo](Configuracion& c, const std::string& v) {
    long n;
    if (!Entero(v, 0, 1000000, n)) return false;
    c.fallas.*campo = static_cast<int>(n);
    return true;
  };
}

Accion Bandera(bool Condiciones::*campo, bool valor) {
  return [campo, valor](Configuracion& c, const std::string&) {
    c.condiciones.*campo = valor;
    return true;
  };
}

Accion Bits(uint16_t Condiciones::*campo) {
  return [campo](Configuracion& c, const std::string& v) {
    return Palabra16(v, c.condiciones.*campo);
  };
}

// A list of command codes in hexadecimal, added to or taken off the
// model's unknown commands.
Accion Codigos(bool desconocer) {
  return [desconocer](Configuracion& c, const std::string& v) {
    std::stringstream ss(v);
    std::string cod;
    while (std::getline(ss, cod, ',')) {
      uint16_t n;
      if (!Palabra16(cod, n) || n > 0xFF) return false;
      if (desconocer)
        c.modelo.desconocidos.insert(static_cast<uint8_t>(n));
      else
        c.modelo.desconocidos.erase(static_cast<uint8_t>(n));
    }
    return true;
  };
}

const std::map<std::string, Opcion>& Tabla() {
  static const std::map<std::string, Opcion> tabla = {
      {"protocol", {true, "epson|hasar", [](Configuracion& c, const std::string& v) {
         if (v != "epson" && v != "hasar") return false;
         c.protocolo = v == "epson" ? Protocolo::Epson : Protocolo::Hasar;
         return true;
       }}},
      {"device", {true, "PATH  serve this device instead of a new pseudo-terminal",
                  [](Configuracion& c, const std::string& v) { c.dispositivo = v; return !v.empty(); }}},
      {"baud", {true, "N  pace the line at N baud (default: no pacing)",
                [](Configuracion& c, const std::string& v) {
                  long n;
                  if (!Entero(v, 0, 4000000, n)) return false;
                  c.baudios = static_cast<int>(n);
                  return true;
                }}},
      {"journal", {true, "FILE  journal of the line, JSON lines",
                   [](Configuracion& c, const std::string& v) { c.diario = v; return true; }}},
      {"roll", {true, "FILE  paper roll as text",
                [](Configuracion& c, const std::string& v) { c.rollo = v; return true; }}},
      {"model", {true, "NAME  model name the printer reports",
                 [](Configuracion& c, const std::string& v) { c.modelo.nombre = v; return true; }}},
      {"serial", {true, "TEXT  serial number the printer reports",
                  [](Configuracion& c, const std::string& v) { c.modelo.serie = v; return true; }}},
      {"unknown", {true, "HEX,...  command codes the model does not know (e.g. 73,93,98,52,4F)",
                   Codigos(true)}},
      {"known", {true, "HEX,...  take these codes off the unknown list", Codigos(false)}},
      {"not-fiscalised", {false, "fiscal bits 9 and 10 clear; no fiscal documents, no Z",
                          [](Configuracion& c, const std::string&) { c.modelo.fiscalizada = false; return true; }}},
      {"fiscalised", {false, "fiscal bits 9 and 10 set (default)",
                      [](Configuracion& c, const std::string&) { c.modelo.fiscalizada = true; return true; }}},
      {"z-due", {false, "a Z closing is due (fiscal bit 11); documents are refused",
                 [](Configuracion& c, const std::string&) { c.modelo.cierre_z_pendiente = true; return true; }}},
      {"a1", {false, "Hasar: send 0xA1 before each ACK",
              [](Configuracion& c, const std::string&) { c.byte_a1 = true; return true; }}},
      {"keepalive-byte", {true, "dc2|dc4  the keep-alive byte (default dc2)",
                          [](Configuracion& c, const std::string& v) {
                            if (v != "dc2" && v != "dc4") return false;
                            c.byte_espera = v == "dc2" ? kDC2 : kDC4;
                            return true;
                          }}},
      {"work-scale", {true, "F  scale the working time of long commands (0: none; default 1)",
                      [](Configuracion& c, const std::string& v) { return Real(v, c.modelo.escala_trabajo); }}},
      {"ack-wait", {true, "MS  Hasar: wait for the host's ACK (default 1000)",
                    [](Configuracion& c, const std::string& v) {
                      long n;
                      if (!Entero(v, 1, 600000, n)) return false;
                      c.espera_ack_ms = static_cast<int>(n);
                      return true;
                    }}},
      {"resends", {true, "N  Hasar: answers sent again without ACK (default 3)",
                   [](Configuracion& c, const std::string& v) {
                     long n;
                     if (!Entero(v, 0, 100, n)) return false;
                     c.reenvios = static_cast<int>(n);
                     return true;
                   }}},
      {"pending", {true, "HEX  bytes already waiting on the line at start",
                   [](Configuracion& c, const std::string& v) { return LeerHexa(v, c.pendiente); }}},
      // Faults.
      {"nak", {true, "N  answer the next N good frames with NAK", Contador(&Fallas::nak)}},
      {"bad-bcc", {true, "N  corrupt the block check of the next N answers", Contador(&Fallas::suma_erronea)}},
      {"bad-seq", {true, "N  wrong sequence number in the next N answers", Contador(&Fallas::secuencia_erronea)}},
      {"bad-cmd", {true, "N  wrong command code in the next N answers", Contador(&Fallas::codigo_erroneo)}},
      {"buffer-full", {true, "N  printer bit 6 on the next N answers, command not taken", Contador(&Fallas::buffer_lleno)}},
      {"reject-field", {true, "N  refuse the next command with fiscal bit 4 naming field N", Contador(&Fallas::rechazar_campo)}},
      {"silence", {true, "T  the next frame gets no answer; the line is ignored for T seconds",
                   [](Configuracion& c, const std::string& v) { return Real(v, c.fallas.silencio); }}},
      {"keepalives", {true, "T,D  before the next answer, keep-alives every T seconds for D seconds",
                      [](Configuracion& c, const std::string& v) {
                        size_t coma = v.find(',');
                        if (coma == std::string::npos) return false;
                        return Real(v.substr(0, coma), c.fallas.espera_cada) &&
                               Real(v.substr(coma + 1), c.fallas.espera_durante) &&
                               c.fallas.espera_cada > 0;
                      }}},
      {"cut", {false, "send only the first half of the next answer",
               [](Configuracion& c, const std::string&) { c.fallas.cortar = true; return true; }}},
      {"hangup", {false, "send half of the next answer, then hang up the line",
                  [](Configuracion& c, const std::string&) { c.fallas.colgar = true; return true; }}},
      {"garbage", {true, "HEX  bytes before the STX of the next answer",
                   [](Configuracion& c, const std::string& v) { return LeerHexa(v, c.fallas.basura); }}},
      // Conditions.
      {"paper", {true, "normal|low|out", [](Configuracion& c, const std::string& v) {
         if (v == "normal") c.condiciones.papel = Papel::Normal;
         else if (v == "low") c.condiciones.papel = Papel::Poco;
         else if (v == "out") c.condiciones.papel = Papel::Sin;
         else return false;
         return true;
       }}},
      {"fiscal-memory", {true, "normal|almost-full|full|error", [](Configuracion& c, const std::string& v) {
         if (v == "normal") c.condiciones.memoria = MemoriaFiscal::Normal;
         else if (v == "almost-full") c.condiciones.memoria = MemoriaFiscal::CasiLlena;
         else if (v == "full") c.condiciones.memoria = MemoriaFiscal::Llena;
         else if (v == "error") c.condiciones.memoria = MemoriaFiscal::Error;
         else return false;
         return true;
       }}},
      {"drawer-open", {false, "cash drawer open", Bandera(&Condiciones::cajon_abierto, true)}},
      {"drawer-closed", {false, "cash drawer closed", Bandera(&Condiciones::cajon_abierto, false)}},
      {"battery-low", {false, "fiscal bit 2", Bandera(&Condiciones::bateria_baja, true)}},
      {"battery-ok", {false, "clears the low battery", Bandera(&Condiciones::bateria_baja, false)}},
      {"printer-error", {false, "printer bit 2", Bandera(&Condiciones::error_impresora, true)}},
      {"offline", {false, "printer bit 3", Bandera(&Condiciones::fuera_de_linea, true)}},
      {"online", {false, "clears the printer error and off-line bits", [](Configuracion& c, const std::string&) {
         c.condiciones.error_impresora = c.condiciones.fuera_de_linea = false;
         return true;
       }}},
      {"sheet-wait", {false, "Epson: waiting for a loose sheet (printer bit 8)", Bandera(&Condiciones::esperando_hoja, true)}},
      {"sheet-in", {false, "Epson: loose sheet in (printer bit 9)", [](Configuracion& c, const std::string&) {
         c.condiciones.esperando_hoja = false;
         c.condiciones.hoja_colocada = true;
         return true;
       }}},
      {"set-printer-bits", {true, "HEX  force these printer status bits on", Bits(&Condiciones::impresora_poner)}},
      {"clear-printer-bits", {true, "HEX  force these printer status bits off", Bits(&Condiciones::impresora_quitar)}},
      {"set-fiscal-bits", {true, "HEX  force these fiscal status bits on", Bits(&Condiciones::fiscal_poner)}},
      {"clear-fiscal-bits", {true, "HEX  force these fiscal status bits off", Bits(&Condiciones::fiscal_quitar)}},
  };
  return tabla;
}

}  // namespace

bool LeerHexa(const std::string& texto, std::string& bytes) {
  std::string digitos;
  for (char c : texto)
    if (c != ' ') digitos.push_back(c);
  if (digitos.size() % 2) return false;
  std::string r;
  for (size_t i = 0; i < digitos.size(); i += 2) {
    uint16_t b;
    if (!Palabra16(digitos.substr(i, 2), b)) return false;
    r.push_back(static_cast<char>(b));
  }
  bytes = r;
  return true;
}

int ValoresDeOpcion(const std::string& nombre) {
  auto it = Tabla().find(nombre);
  return it == Tabla().end() ? -1 : (it->second.con_valor ? 1 : 0);
}

bool AplicarOpcion(Configuracion& c, const std::string& nombre, const std::string& valor,
                   std::string& error) {
  auto it = Tabla().find(nombre);
  if (it == Tabla().end()) {
    error = "opcion desconocida: " + nombre;
    return false;
  }
  if (!it->second.accion(c, valor)) {
    error = "valor no valido para " + nombre + ": " + valor;
    return false;
  }
  return true;
}

bool LeerLineaDeOrdenes(const std::vector<std::string>& a, Configuracion& c, std::string& error) {
  for (size_t i = 0; i < a.size(); ++i) {
    std::string nombre = a[i], valor;
    if (nombre.rfind("--", 0) != 0) {
      error = "se esperaba una opcion: " + nombre;
      return false;
    }
    nombre = nombre.substr(2);
    if (size_t igual = nombre.find('='); igual != std::string::npos) {
      valor = nombre.substr(igual + 1);
      nombre = nombre.substr(0, igual);
    } else if (ValoresDeOpcion(nombre) == 1) {
      if (i + 1 >= a.size()) {
        error = "falta el valor de " + nombre;
        return false;
      }
      valor = a[++i];
    }
    if (!AplicarOpcion(c, nombre, valor, error)) return false;
  }
  return true;
}

bool AplicarOrden(Simulador& s, const std::string& orden, std::string& error) {
  Configuracion c;
  c.fallas = Fallas{};
  c.condiciones = s.impresora().LeerCondiciones();
  c.modelo = s.impresora().LeerModelo();
  std::stringstream partes(orden);
  std::string parte;
  while (std::getline(partes, parte, ';')) {
    std::stringstream palabras(parte);
    std::string nombre, valor;
    if (!(palabras >> nombre)) continue;
    if (nombre.rfind("--", 0) == 0) nombre = nombre.substr(2);
    int n = ValoresDeOpcion(nombre);
    if (n == 1 && !(palabras >> valor)) {
      error = "falta el valor de " + nombre;
      return false;
    }
    static const std::set<std::string> solo_al_inicio = {"protocol", "device", "baud", "journal",
                                                         "roll", "pending", "a1", "keepalive-byte",
                                                         "ack-wait", "resends"};
    if (solo_al_inicio.count(nombre)) {
      error = nombre + " solo se puede dar al iniciar";
      return false;
    }
    if (!AplicarOpcion(c, nombre, valor, error)) return false;
  }
  // Faults add to the pending ones; conditions and model replace theirs.
  s.CambiarFallas([&](Fallas& f) {
    const Fallas& n = c.fallas;
    f.nak += n.nak;
    f.suma_erronea += n.suma_erronea;
    f.secuencia_erronea += n.secuencia_erronea;
    f.codigo_erroneo += n.codigo_erroneo;
    f.buffer_lleno += n.buffer_lleno;
    if (n.silencio > 0) f.silencio = n.silencio;
    if (n.espera_durante > 0) {
      f.espera_cada = n.espera_cada;
      f.espera_durante = n.espera_durante;
    }
    if (n.rechazar_campo > 0) f.rechazar_campo = n.rechazar_campo;
    f.cortar = f.cortar || n.cortar;
    f.colgar = f.colgar || n.colgar;
    if (!n.basura.empty()) f.basura = n.basura;
  });
  s.impresora().CambiarCondiciones(c.condiciones);
  s.impresora().CambiarModelo(c.modelo);
  return true;
}

std::string Ayuda() {
  std::string r =
      "fiscalsim: a simulated fiscal printer on a pseudo-terminal\n"
      "usage: fiscalsim --protocol epson|hasar [options]\n"
      "Prints the path of the line to open, then serves it until interrupted.\n"
      "While it runs, each line on standard input is an order with the same\n"
      "names without the dashes (\"nak 2\", \"paper out\"; several joined by ';').\n\n";
  for (const auto& [nombre, o] : Tabla()) r += "  --" + nombre + " " + o.ayuda + "\n";
  return r;
}

}  // namespace simulador

#include "simulador.h"

namespace simulador {

using std::chrono::milliseconds;
using Reloj = std::chrono::steady_clock;

namespace {

// Puts a new block check after the ETX of an answer whose bytes changed.
void RehacerSuma(std::string& r) {
  size_t etx = r.find(static_cast<char>(kETX));
  if (etx == std::string::npos || r.size() < etx + 5) return;
  r.replace(etx + 1, 4, SumaBloque(r.substr(0, etx + 1)));
}

}  // namespace

Simulador::Simulador(Configuracion c)
    : config_(std::move(c)), impresora_(config_.protocolo, config_.modelo) {
  impresora_.CambiarCondiciones(config_.condiciones);
  impresora_.RolloEnArchivo(config_.rollo);
  diario_.Archivo(config_.diario);
  CambiarFallas([&](Fallas& f) { f = config_.fallas; });
}

Simulador::~Simulador() { Detener(); }

bool Simulador::Iniciar(std::string& error) {
  linea_ = config_.dispositivo.empty() ? Linea::AbrirPty(error)
                                       : Linea::AbrirDispositivo(config_.dispositivo, error);
  if (!linea_) return false;
  linea_->FijarBaudios(config_.baudios);
  if (!config_.pendiente.empty()) {
    linea_->Escribir(config_.pendiente);
    diario_.Anotar({0, "tx", "basura", config_.pendiente, -1, -1, {}, -1, -1, "ya en la linea"});
  }
  hilo_ = std::thread([this] { Correr(); });
  return true;
}

void Simulador::Detener() {
  detener_ = true;
  if (hilo_.joinable()) hilo_.join();
  linea_.reset();
}

const std::string& Simulador::Ruta() const {
  static const std::string vacia;
  return linea_ ? linea_->RutaEsclavo() : vacia;
}

void Simulador::CambiarFallas(const std::function<void(Fallas&)>& cambio) {
  std::lock_guard<std::mutex> l(mutex_fallas_);
  cambio(fallas_);
  // The field refusal belongs to the printer's next command.
  if (fallas_.rechazar_campo > 0) {
    impresora_.RechazarCampo(fallas_.rechazar_campo);
    fallas_.rechazar_campo = 0;
  }
}

Fallas Simulador::LeerFallas() const {
  std::lock_guard<std::mutex> l(mutex_fallas_);
  return fallas_;
}

void Simulador::OlvidarUltimaRespuesta() {
  std::lock_guard<std::mutex> l(mutex_ultima_);
  hay_ultima_ = false;
}

bool Simulador::Siguiente(uint8_t& b, milliseconds espera) {
  if (entrada_.empty()) {
    uint8_t buf[512];
    int n = linea_->Leer(buf, sizeof buf, espera);
    if (n < 0) {
      diario_.Anotar({0, "rx", "linea", {}, -1, -1, {}, -1, -1, "linea cerrada"});
      detener_ = true;
      return false;
    }
    entrada_.insert(entrada_.end(), buf, buf + n);
    if (entrada_.empty()) return false;
  }
  b = entrada_.front();
  entrada_.pop_front();
  return true;
}

void Simulador::Correr() {
  std::string ignorados;
  while (!detener_) {
    uint8_t b;
    if (!Siguiente(b, milliseconds(50))) {
      if (!ignorados.empty() && Reloj::now() >= silencio_hasta_) {
        diario_.Anotar({0, "rx", "ignorado", ignorados, -1, -1, {}, -1, -1, "silencio"});
        ignorados.clear();
      }
      continue;
    }
    if (Reloj::now() < silencio_hasta_) {
      ignorados.push_back(static_cast<char>(b));
      continue;
    }
    if (!ignorados.empty()) {
      diario_.Anotar({0, "rx", "ignorado", ignorados, -1, -1, {}, -1, -1, "silencio"});
      ignorados.clear();
    }
    if (auto r = decodificador_.Empujar(b)) Atender(*r);
  }
  terminado_ = true;
}

bool Simulador::Enviar(const std::string& bytes, const std::string& tipo, const std::string& nota) {
  diario_.Anotar({0, "tx", tipo, bytes, -1, -1, {}, -1, -1, nota});
  bool ok = linea_->Escribir(bytes);
  if (!ok) diario_.Anotar({0, "tx", "linea", {}, -1, -1, {}, -1, -1, "no se pudo escribir " + tipo});
  return ok;
}

void Simulador::Atender(const Recibido& r) {
  Evento e{0, "rx", {}, r.bytes, -1, -1, {}, -1, -1, r.motivo};
  switch (r.tipo) {
    case Recibido::Tipo::Suelto:
      e.tipo = "suelto";
      break;
    case Recibido::Tipo::Descarte:
      e.tipo = "descarte";
      break;
    case Recibido::Tipo::TramaMala:
      e.tipo = "trama_mala";
      break;
    case Recibido::Tipo::Trama:
      e.tipo = "trama";
      e.secuencia = r.trama.secuencia;
      e.codigo = r.trama.codigo;
      e.campos = r.trama.campos;
      break;
  }
  // Consecutive stray bytes (the host's ACKs, echoes) are noted one by one:
  // they are few and tests look for them.
  diario_.Anotar(e);
  if (r.tipo == Recibido::Tipo::TramaMala) {
    Enviar(std::string(1, static_cast<char>(kNAK)), "nak", r.motivo);
  } else if (r.tipo == Recibido::Tipo::Trama) {
    AtenderTrama(r.trama, r.bytes);
  }
}

void Simulador::AtenderTrama(const Trama& t, const std::string& bytes) {
  (void)bytes;
  Fallas f;
  {
    std::lock_guard<std::mutex> l(mutex_fallas_);
    if (fallas_.nak > 0) {
      --fallas_.nak;
      f.nak = 1;
    } else if (fallas_.silencio > 0) {
      f.silencio = fallas_.silencio;
      fallas_.silencio = 0;
    } else {
      f = fallas_;
      auto bajar = [](int& n) { if (n > 0) --n; };
      bajar(fallas_.suma_erronea);
      bajar(fallas_.secuencia_erronea);
      bajar(fallas_.codigo_erroneo);
      bajar(fallas_.buffer_lleno);
      fallas_.espera_cada = fallas_.espera_durante = 0;
      fallas_.cortar = fallas_.colgar = false;
      fallas_.basura.clear();
    }
  }
  if (f.nak) {
    Enviar(std::string(1, static_cast<char>(kNAK)), "nak", "falla pedida");
    return;
  }
  if (f.silencio > 0) {
    silencio_hasta_ = Reloj::now() + milliseconds(static_cast<long>(f.silencio * 1000));
    diario_.Anotar({0, "tx", "silencio", {}, -1, -1, {}, -1, -1,
                    "sin respuesta por " + std::to_string(f.silencio) + " s"});
    return;
  }
  ++atendidas_;

  std::string respuesta, nota;
  int trabajo_ms = 0;
  {
    std::lock_guard<std::mutex> l(mutex_ultima_);
    if (hay_ultima_ && t.secuencia == ultima_secuencia_) {
      respuesta = ultima_respuesta_;
      nota = "repetida: no se ejecuta";
    }
  }
  if (respuesta.empty()) {
    if (f.buffer_lleno > 0) {
      uint16_t impresora, fiscal;
      impresora_.EstadoActual(impresora, fiscal);
      respuesta = ArmarRespuesta(t.secuencia, t.esc, t.codigo, impresora | kImpresoraBufferLleno,
                                 fiscal, {});
      nota = "buffer lleno: no se ejecuta";
    } else {
      Respuesta r = impresora_.Ejecutar(t);
      respuesta = ArmarRespuesta(t.secuencia, t.esc, t.codigo, r.impresora, r.fiscal, r.campos);
      trabajo_ms = r.trabajo_ms;
      std::lock_guard<std::mutex> l(mutex_ultima_);
      hay_ultima_ = true;
      ultima_secuencia_ = t.secuencia;
      ultima_respuesta_ = respuesta;
    }
  }

  if (config_.protocolo == Protocolo::Hasar) {
    if (config_.byte_a1) Enviar(std::string(1, '\xA1'), "a1");
    Enviar(std::string(1, static_cast<char>(kACK)), "ack");
  }
  if (f.espera_durante > 0) {
    Esperar(static_cast<int>(f.espera_durante * 1000),
            f.espera_cada > 0 ? static_cast<int>(f.espera_cada * 1000) : config_.intervalo_espera_ms);
  }
  Esperar(trabajo_ms, config_.intervalo_espera_ms);

  // Faults on the answer.
  size_t pos_codigo = t.esc ? 3 : 2;
  if (f.secuencia_erronea > 0) {
    respuesta[1] = static_cast<char>(respuesta[1] == 0x7E ? 0x21 : respuesta[1] + 1);
    RehacerSuma(respuesta);
    nota += (nota.empty() ? "" : "; ") + std::string("secuencia erronea");
  }
  if (f.codigo_erroneo > 0) {
    respuesta[pos_codigo] = static_cast<char>(respuesta[pos_codigo] ^ 0x01);
    RehacerSuma(respuesta);
    nota += (nota.empty() ? "" : "; ") + std::string("codigo erroneo");
  }
  if (f.suma_erronea > 0) {
    char& ultimo = respuesta.back();
    ultimo = ultimo == '0' ? '1' : '0';
    nota += (nota.empty() ? "" : "; ") + std::string("suma de bloque erronea");
  }
  if (!f.basura.empty()) Enviar(f.basura, "basura", "antes del STX");
  if (f.cortar || f.colgar) {
    std::string mitad = respuesta.substr(0, respuesta.size() / 2);
    Enviar(mitad, "corte", "respuesta cortada a la mitad");
    if (f.colgar) {
      // Give the host time to read the half answer: a hang-up drops what
      // is still queued.
      std::this_thread::sleep_for(milliseconds(300));
      diario_.Anotar({0, "tx", "linea", {}, -1, -1, {}, -1, -1, "colgada"});
      linea_->Colgar();
      detener_ = true;
    }
    return;
  }
  EnviarRespuesta(respuesta, t, nota);
}

void Simulador::AnotarRespuesta(const std::string& bytes, const std::string& nota) {
  Evento e{0, "tx", "respuesta", bytes, -1, -1, {}, -1, -1, nota};
  Trama leida;
  std::string motivo;
  if (LeerTrama(bytes, leida, motivo)) {
    e.secuencia = leida.secuencia;
    e.codigo = leida.codigo;
    if (leida.campos.size() >= 2) {
      e.impresora = static_cast<int>(std::stoul("0" + leida.campos[0], nullptr, 16) & 0xFFFF);
      e.fiscal = static_cast<int>(std::stoul("0" + leida.campos[1], nullptr, 16) & 0xFFFF);
      e.campos.assign(leida.campos.begin() + 2, leida.campos.end());
    }
  }
  // Journaled before it goes out, so that whoever reads the journal once
  // the host has the answer finds it there.
  diario_.Anotar(std::move(e));
  if (!linea_->Escribir(bytes))
    diario_.Anotar({0, "tx", "linea", {}, -1, -1, {}, -1, -1, "no se pudo escribir la respuesta"});
}

void Simulador::EnviarRespuesta(std::string respuesta, const Trama& t, const std::string& nota) {
  (void)t;
  AnotarRespuesta(respuesta, nota);
  if (config_.protocolo != Protocolo::Hasar) return;
  // Hasar: the host acknowledges the answer; without it the answer goes again.
  for (int i = 0; i < config_.reenvios && !detener_; ++i) {
    if (EsperarAck()) return;
    AnotarRespuesta(respuesta, "reenvio sin ACK del host");
  }
  if (!EsperarAck())
    diario_.Anotar({0, "tx", "sin_ack", {}, -1, -1, {}, -1, -1, "el host no confirmo la respuesta"});
}

bool Simulador::EsperarAck() {
  auto limite = Reloj::now() + milliseconds(config_.espera_ack_ms);
  while (!detener_) {
    auto resta = std::chrono::duration_cast<milliseconds>(limite - Reloj::now());
    if (resta.count() <= 0) return false;
    if (entrada_.empty()) {
      uint8_t b;
      if (!Siguiente(b, std::min(resta, milliseconds(50)))) continue;
      entrada_.push_front(b);
    }
    uint8_t b = entrada_.front();
    if (b == kSTX) return true;  // the host moved on (or resends): its frame is handled next
    entrada_.pop_front();
    if (b == kACK) {
      diario_.Anotar({0, "rx", "ack", std::string(1, static_cast<char>(b)), -1, -1, {}, -1, -1, {}});
      return true;
    }
    diario_.Anotar({0, "rx", "suelto", std::string(1, static_cast<char>(b)), -1, -1, {}, -1, -1,
                    "esperando ACK"});
  }
  return false;
}

void Simulador::Esperar(int duracion_ms, int cada_ms) {
  if (duracion_ms <= 0) return;
  if (cada_ms <= 0) cada_ms = 500;
  // One keep-alive at once, then one every `cada_ms` while the work lasts.
  auto fin = Reloj::now() + milliseconds(duracion_ms);
  while (!detener_ && Reloj::now() < fin) {
    Enviar(std::string(1, static_cast<char>(config_.byte_espera)), "espera");
    Reloj::duration resta = fin - Reloj::now();
    std::this_thread::sleep_for(std::min<Reloj::duration>(resta, milliseconds(cada_ms)));
  }
}

}  // namespace simulador

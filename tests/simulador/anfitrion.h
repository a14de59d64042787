// A minimal host for the simulator tests, with a frame encoder of its own
// (not the simulator's, so a fault in one is not hidden by the other): it
// opens the simulator's line, writes command frames and collects answers.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace prueba {

inline std::string Comando(unsigned char seq, unsigned char codigo,
                           const std::vector<std::string>& campos, bool esc = false) {
  std::string t = "\x02";
  t += static_cast<char>(seq);
  if (esc) t += '\x1b';
  t += static_cast<char>(codigo);
  for (const auto& c : campos) t += "\x1c" + c;
  t += '\x03';
  unsigned suma = 0;
  for (unsigned char c : t) suma += c;
  char bcc[8];
  std::snprintf(bcc, sizeof bcc, "%04X", suma & 0xFFFF);
  return t + bcc;
}

// An answer as the host reads it: the bytes before its STX, then its parts.
struct Leida {
  std::string previos;  // ACK, DC2/DC4, noise
  std::string trama;    // STX .. ETX and the four check digits; empty on time-out
  std::vector<std::string> campos;  // after the code: status words first
  unsigned char seq = 0, codigo = 0;
  bool completa() const { return !trama.empty(); }
  std::string Campo(size_t n) const { return n + 2 <= campos.size() ? campos[n + 1] : ""; }
  std::string Estado(int i) const { return i < static_cast<int>(campos.size()) ? campos[i] : ""; }
};

class Anfitrion {
 public:
  explicit Anfitrion(const std::string& ruta) {
    fd_ = open(ruta.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd_ < 0) return;
    termios t{};
    tcgetattr(fd_, &t);
    cfmakeraw(&t);
    tcsetattr(fd_, TCSANOW, &t);
  }
  ~Anfitrion() {
    if (fd_ >= 0) close(fd_);
  }
  bool Abierto() const { return fd_ >= 0; }

  void Escribir(const std::string& bytes) {
    size_t hecho = 0;
    while (hecho < bytes.size()) {
      ssize_t n = write(fd_, bytes.data() + hecho, bytes.size() - hecho);
      if (n > 0) hecho += static_cast<size_t>(n);
    }
  }

  // Bytes until a whole answer frame arrives, a NAK comes before any STX,
  // or `espera_ms` pass.
  Leida Leer(int espera_ms = 3000, bool esc = false) {
    Leida r;
    auto fin = std::chrono::steady_clock::now() + std::chrono::milliseconds(espera_ms);
    std::string buf;
    while (std::chrono::steady_clock::now() < fin) {
      unsigned char b;
      if (!Byte(b, 20)) continue;
      if (buf.empty() && b != 0x02) {
        r.previos += static_cast<char>(b);
        if (b == 0x15) return r;
        continue;
      }
      buf += static_cast<char>(b);
      size_t etx = buf.find('\x03');
      if (etx != std::string::npos && buf.size() == etx + 5) {
        r.trama = buf;
        r.seq = static_cast<unsigned char>(buf[1]);
        size_t i = esc ? 3 : 2;
        r.codigo = static_cast<unsigned char>(buf[i]);
        std::string datos = buf.substr(i + 1, etx - i - 1);
        size_t p = 0;
        while (p < datos.size()) {
          size_t q = datos.find('\x1c', p + 1);
          if (q == std::string::npos) q = datos.size();
          r.campos.push_back(datos.substr(p + 1, q - p - 1));
          p = q;
        }
        return r;
      }
    }
    return r;
  }

  // Everything that arrives within `espera_ms`.
  std::string Drenar(int espera_ms) {
    std::string r;
    auto fin = std::chrono::steady_clock::now() + std::chrono::milliseconds(espera_ms);
    unsigned char b;
    while (std::chrono::steady_clock::now() < fin)
      if (Byte(b, 10)) r += static_cast<char>(b);
    return r;
  }

 private:
  bool Byte(unsigned char& b, int espera_ms) {
    pollfd p{fd_, POLLIN, 0};
    if (poll(&p, 1, espera_ms) <= 0) return false;
    return read(fd_, &b, 1) == 1;
  }
  int fd_ = -1;
};

}  // namespace prueba

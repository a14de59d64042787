#include "linea.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace simulador {

namespace {

bool PonerCrudo(int fd) {
  termios t{};
  if (tcgetattr(fd, &t) != 0) return false;
  cfmakeraw(&t);
  t.c_cflag |= CLOCAL | CREAD;
  t.c_cc[VMIN] = 0;
  t.c_cc[VTIME] = 0;
  return tcsetattr(fd, TCSANOW, &t) == 0;
}

std::string ErrorSistema(const char* que) { return std::string(que) + ": " + std::strerror(errno); }

}  // namespace

std::unique_ptr<Linea> Linea::AbrirPty(std::string& error) {
  std::unique_ptr<Linea> l(new Linea);
  l->fd_ = posix_openpt(O_RDWR | O_NOCTTY);
  if (l->fd_ < 0) {
    error = ErrorSistema("posix_openpt");
    return nullptr;
  }
  if (grantpt(l->fd_) != 0 || unlockpt(l->fd_) != 0) {
    error = ErrorSistema("grantpt/unlockpt");
    return nullptr;
  }
  char ruta[256];
  if (ptsname_r(l->fd_, ruta, sizeof ruta) != 0) {
    error = ErrorSistema("ptsname_r");
    return nullptr;
  }
  l->ruta_esclavo_ = ruta;
  l->fd_esclavo_ = open(ruta, O_RDWR | O_NOCTTY);
  if (l->fd_esclavo_ < 0 || !PonerCrudo(l->fd_esclavo_)) {
    error = ErrorSistema("esclavo");
    return nullptr;
  }
  fcntl(l->fd_, F_SETFL, fcntl(l->fd_, F_GETFL) | O_NONBLOCK);
  return l;
}

std::unique_ptr<Linea> Linea::AbrirDispositivo(const std::string& ruta, std::string& error) {
  std::unique_ptr<Linea> l(new Linea);
  l->fd_ = open(ruta.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (l->fd_ < 0) {
    error = ErrorSistema(ruta.c_str());
    return nullptr;
  }
  if (isatty(l->fd_) && !PonerCrudo(l->fd_)) {
    error = ErrorSistema("termios");
    return nullptr;
  }
  l->ruta_esclavo_ = ruta;
  return l;
}

Linea::~Linea() { Colgar(); }

void Linea::Colgar() {
  if (fd_esclavo_ >= 0) close(fd_esclavo_);
  if (fd_ >= 0) close(fd_);
  fd_ = fd_esclavo_ = -1;
}

void Linea::Pausar(size_t bytes) const {
  if (baudios_ <= 0 || bytes == 0) return;
  std::this_thread::sleep_for(std::chrono::microseconds(bytes * 10'000'000LL / baudios_));
}

int Linea::Leer(uint8_t* destino, size_t cantidad, std::chrono::milliseconds espera) {
  if (fd_ < 0) return -1;
  // With pacing, bytes are taken one at a time at the line's speed.
  if (baudios_ > 0) cantidad = 1;
  pollfd p{fd_, POLLIN, 0};
  int r = poll(&p, 1, static_cast<int>(espera.count()));
  if (r < 0) return errno == EINTR ? 0 : -1;
  if (r == 0) return 0;
  ssize_t n = read(fd_, destino, cantidad);
  if (n < 0) return (errno == EAGAIN || errno == EINTR) ? 0 : -1;
  if (n == 0) return (p.revents & POLLHUP) ? -1 : 0;
  Pausar(static_cast<size_t>(n));
  return static_cast<int>(n);
}

bool Linea::Escribir(std::string_view bytes) {
  size_t hecho = 0;
  // Nobody may be reading the other end: after two seconds without room
  // the rest is dropped instead of blocking the printer for ever.
  int esperas = 0;
  while (hecho < bytes.size()) {
    if (fd_ < 0 || esperas > 20) return false;
    size_t trozo = baudios_ > 0 ? 1 : bytes.size() - hecho;
    ssize_t n = write(fd_, bytes.data() + hecho, trozo);
    if (n < 0) {
      if (errno == EINTR) continue;
      if (errno != EAGAIN) return false;
      pollfd p{fd_, POLLOUT, 0};
      poll(&p, 1, 100);
      ++esperas;
      continue;
    }
    Pausar(static_cast<size_t>(n));
    hecho += static_cast<size_t>(n);
    esperas = 0;
  }
  return true;
}

}  // namespace simulador

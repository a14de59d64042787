// The serial device on POSIX systems, over termios. It behaves like a
// Windows communications port: "COM<n>:" names the device, the open is
// exclusive, the line is set from a mode text such as "COM2:9600,N,8,1",
// and reads and writes keep the five Windows time-outs. Every call returns
// the errno of its failure, 0 on success.
//
// The device of "COM<n>:" is the value of key "COM<n>" of section
// "Puertos" of the default profile file, /dev/ttyS<n-1> when the key is
// missing; so a port can point at a USB adapter or a pseudo-terminal.
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "../perfil.h"
#include "../plataforma.h"
#include "../texto.h"

namespace fiscal {

namespace {

constexpr uint32_t kSinLimite = std::numeric_limits<uint32_t>::max();
// Larger queue sizes are surely a caller's mistake.
constexpr uint32_t kColaMaxima = 1u << 20;

char Mayuscula(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
bool EsDigito(char c) { return c >= '0' && c <= '9'; }

// Reads a decimal number at the start of `t` and drops it; nothing when
// there is no digit or it exceeds `maximo`.
std::optional<uint32_t> TomarNumero(std::string_view& t, uint32_t maximo) {
  size_t i = 0;
  uint64_t valor = 0;
  while (i < t.size() && EsDigito(t[i])) {
    valor = valor * 10 + static_cast<uint64_t>(t[i] - '0');
    if (valor > maximo) return std::nullopt;
    ++i;
  }
  if (i == 0) return std::nullopt;
  t.remove_prefix(i);
  return static_cast<uint32_t>(valor);
}

// Drops an optional "\\.\" and a device name "COM<n>" with an optional
// colon from the start of `t`; gives n, or nothing when `t` names no port.
std::optional<uint32_t> TomarDispositivo(std::string_view& t) {
  std::string_view r = t;
  if (r.starts_with("\\\\.\\")) r.remove_prefix(4);
  if (r.size() < 3 || Mayuscula(r[0]) != 'C' || Mayuscula(r[1]) != 'O' || Mayuscula(r[2]) != 'M')
    return std::nullopt;
  r.remove_prefix(3);
  std::optional<uint32_t> n = TomarNumero(r, 255);
  if (!n || *n == 0) return std::nullopt;
  if (!r.empty() && r[0] == ':') r.remove_prefix(1);
  t = r;
  return n;
}

std::string_view SinBlancosIniciales(std::string_view t) {
  while (!t.empty() && (t[0] == ' ' || t[0] == '\t')) t.remove_prefix(1);
  return t;
}

// One comma-separated field of the settings, blanks around it dropped.
std::string_view TomarCampo(std::string_view& t) {
  size_t coma = t.find(',');
  std::string_view campo = t.substr(0, coma);
  t = coma == std::string_view::npos ? std::string_view() : t.substr(coma + 1);
  return Recortado(campo);
}

enum class Paridad { Ninguna, Par, Impar, Marca, Espacio };

// The line settings of a mode text.
struct Linea {
  uint32_t velocidad = 0;
  Paridad paridad = Paridad::Ninguna;
  int bits_datos = 8;
  bool dos_bits_parada = false;  // 1.5 and 2 both take the second stop bit
};

// Old speed abbreviations that the Windows mode text still accepts.
uint32_t VelocidadAbreviada(uint32_t v) {
  switch (v) {
    case 11: return 110;
    case 15: return 150;
    case 30: return 300;
    case 60: return 600;
    case 12: return 1200;
    case 24: return 2400;
    case 48: return 4800;
    case 96: return 9600;
    case 19: return 19200;
    default: return v;
  }
}

// "COM2:9600,N,8,1" or "9600,N,8,1": speed, parity N E O M S, data bits
// 5 to 8, stop bits 1, 1.5 or 2.
std::optional<Linea> LeerModo(std::string_view modo) {
  std::string_view t = SinBlancosIniciales(modo);
  TomarDispositivo(t);
  Linea l;

  std::string_view campo = TomarCampo(t);
  std::optional<uint32_t> velocidad = TomarNumero(campo, 10'000'000);
  if (!velocidad || *velocidad == 0 || !campo.empty()) return std::nullopt;
  l.velocidad = VelocidadAbreviada(*velocidad);

  campo = TomarCampo(t);
  if (campo.size() != 1) return std::nullopt;
  switch (Mayuscula(campo[0])) {
    case 'N': l.paridad = Paridad::Ninguna; break;
    case 'E': l.paridad = Paridad::Par; break;
    case 'O': l.paridad = Paridad::Impar; break;
    case 'M': l.paridad = Paridad::Marca; break;
    case 'S': l.paridad = Paridad::Espacio; break;
    default: return std::nullopt;
  }

  campo = TomarCampo(t);
  if (campo.size() != 1 || campo[0] < '5' || campo[0] > '8') return std::nullopt;
  l.bits_datos = campo[0] - '0';

  campo = TomarCampo(t);
  if (campo == "1") {
    l.dos_bits_parada = false;
  } else if (campo == "1.5" || campo == "2") {
    l.dos_bits_parada = true;
  } else {
    return std::nullopt;
  }
  if (!Recortado(t).empty()) return std::nullopt;  // flow control or more: not offered
  return l;
}

std::optional<speed_t> Velocidad(uint32_t v) {
  switch (v) {
    case 50: return B50;
    case 75: return B75;
    case 110: return B110;
    case 134: return B134;
    case 150: return B150;
    case 200: return B200;
    case 300: return B300;
    case 600: return B600;
    case 1200: return B1200;
    case 1800: return B1800;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    case 230400: return B230400;
#ifdef B460800
    case 460800: return B460800;
#endif
#ifdef B921600
    case 921600: return B921600;
#endif
    default: return std::nullopt;
  }
}

// Applies `l` to `t` in raw mode, without flow control.
uint32_t AplicarLinea(const Linea& l, termios& t) {
  std::optional<speed_t> velocidad = Velocidad(l.velocidad);
  if (!velocidad) return EINVAL;
  cfmakeraw(&t);
  t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK | ISTRIP);
  t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB);
#ifdef CRTSCTS
  t.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
#endif
#ifdef CMSPAR
  t.c_cflag &= ~static_cast<tcflag_t>(CMSPAR);
#endif
  t.c_cflag |= CLOCAL | CREAD;
  switch (l.bits_datos) {
    case 5: t.c_cflag |= CS5; break;
    case 6: t.c_cflag |= CS6; break;
    case 7: t.c_cflag |= CS7; break;
    default: t.c_cflag |= CS8; break;
  }
  switch (l.paridad) {
    case Paridad::Ninguna: break;
    case Paridad::Par: t.c_cflag |= PARENB; break;
    case Paridad::Impar: t.c_cflag |= PARENB | PARODD; break;
#ifdef CMSPAR
    case Paridad::Marca: t.c_cflag |= PARENB | CMSPAR | PARODD; break;
    case Paridad::Espacio: t.c_cflag |= PARENB | CMSPAR; break;
#else
    case Paridad::Marca:
    case Paridad::Espacio: return EINVAL;
#endif
  }
  if (l.dos_bits_parada) t.c_cflag |= CSTOPB;
  // Reads never block in the driver: poll() waits and read() takes what came.
  t.c_cc[VMIN] = 0;
  t.c_cc[VTIME] = 0;
  if (cfsetispeed(&t, *velocidad) != 0 || cfsetospeed(&t, *velocidad) != 0) return EINVAL;
  return 0;
}

int64_t MilisegundosAhora() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<int64_t>(t.tv_sec) * 1000 + t.tv_nsec / 1'000'000;
}

// Waits for `eventos` on `fd` at most `espera` ms (-1: without limit).
// Gives the errno of a failure, 0 when the wait ended otherwise.
uint32_t Esperar(int fd, short eventos, int64_t espera) {
  pollfd p{fd, eventos, 0};
  int ms = espera < 0 ? -1 : static_cast<int>(std::min<int64_t>(espera, 1'000'000));
  int r = poll(&p, 1, ms);
  if (r < 0) return errno == EINTR ? 0 : static_cast<uint32_t>(errno);
  // The callers read or wrote all they could before waiting, so a line
  // that hangs up now is gone (a hung-up terminal polls readable forever).
  if (p.revents & POLLNVAL) return EBADF;
  if (p.revents & (POLLHUP | POLLERR)) return EIO;
  return 0;
}

class CanalSeriePosix final : public CanalSerie {
 public:
  ~CanalSeriePosix() override { Cerrar(); }

  uint32_t Abrir(std::string_view dispositivo) override {
    Cerrar();
    std::string_view resto = dispositivo;
    std::optional<uint32_t> n = TomarDispositivo(resto);
    if (!n || !Recortado(resto).empty()) return ENOENT;
    std::string clave = "COM" + std::to_string(*n);
    std::string ruta(Recortado(LeerPerfil("", "Puertos", clave, "")));
    if (ruta.empty()) ruta = "/dev/ttyS" + std::to_string(*n - 1);

    int fd = ::open(ruta.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return static_cast<uint32_t>(errno);
    if (!isatty(fd)) {
      ::close(fd);
      return ENOTTY;
    }
    // No sharing: a port that another process holds is busy.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
      uint32_t codigo = errno == EWOULDBLOCK ? EBUSY : static_cast<uint32_t>(errno);
      ::close(fd);
      return codigo;
    }
    ioctl(fd, TIOCEXCL);
    // A freshly opened port starts with empty queues.
    tcflush(fd, TCIOFLUSH);
    fd_ = fd;
    // Until the caller sets them: reads return at once with what came,
    // writes wait until done.
    tiempos_ = {kSinLimite, 0, 0, 0, 0};
    linea_ = std::nullopt;
    return 0;
  }

  uint32_t DimensionarColas(uint32_t entrada, uint32_t salida) override {
    if (fd_ < 0) return EBADF;
    if (entrada > kColaMaxima || salida > kColaMaxima) return EINVAL;
    return 0;  // the system sizes the queues of a terminal itself
  }

  uint32_t LeerTiempos(TiemposPuerto& tiempos) override {
    if (fd_ < 0) return EBADF;
    tiempos = tiempos_;
    return 0;
  }

  uint32_t GrabarTiempos(const TiemposPuerto& tiempos) override {
    if (fd_ < 0) return EBADF;
    if (tiempos.intervalo == kSinLimite && tiempos.lectura_por_byte == kSinLimite &&
        tiempos.lectura_constante == kSinLimite)
      return EINVAL;
    tiempos_ = tiempos;
    return 0;
  }

  uint32_t LeerLinea() override {
    if (fd_ < 0) return EBADF;
    if (tcgetattr(fd_, &estado_) != 0) return static_cast<uint32_t>(errno);
    return 0;
  }

  uint32_t ArmarLinea(std::string_view modo) override {
    linea_ = LeerModo(modo);
    return linea_ ? 0 : EINVAL;
  }

  uint32_t GrabarLinea() override {
    if (fd_ < 0) return EBADF;
    if (!linea_) return EINVAL;
    termios t = estado_;
    if (uint32_t codigo = AplicarLinea(*linea_, t)) return codigo;
    if (tcsetattr(fd_, TCSANOW, &t) != 0) return static_cast<uint32_t>(errno);
    // tcsetattr succeeds when any one change took: a speed the device
    // refused is a failure. (Pseudo-terminals always keep 8 bits and no
    // parity, so those are not checked.)
    termios puesto{};
    if (tcgetattr(fd_, &puesto) != 0) return static_cast<uint32_t>(errno);
    if (cfgetospeed(&puesto) != cfgetospeed(&t)) return EINVAL;
    estado_ = puesto;
    return 0;
  }

  uint32_t Leer(uint8_t* destino, size_t cantidad, size_t& leidos) override {
    leidos = 0;
    if (fd_ < 0) return EBADF;
    if (cantidad == 0) return 0;
    const TiemposPuerto& tt = tiempos_;
    const bool al_instante =
        tt.intervalo == kSinLimite && tt.lectura_por_byte == 0 && tt.lectura_constante == 0;
    const bool con_intervalo = tt.intervalo != 0 && tt.intervalo != kSinLimite;
    const int64_t total =
        static_cast<int64_t>(tt.lectura_por_byte) * static_cast<int64_t>(cantidad) +
        tt.lectura_constante;
    const int64_t inicio = MilisegundosAhora();
    int64_t ultimo_byte = inicio;
    while (leidos < cantidad) {
      ssize_t r = ::read(fd_, destino + leidos, cantidad - leidos);
      if (r > 0) {
        leidos += static_cast<size_t>(r);
        ultimo_byte = MilisegundosAhora();
        continue;
      }
      if (r < 0 && errno == EINTR) continue;
      if (r < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return static_cast<uint32_t>(errno);
      if (al_instante) return 0;

      // Nothing waiting: wait for more within the time-outs. Running out
      // of time is no error; the caller sees how many bytes came.
      int64_t limite = -1;
      if (total > 0) limite = inicio + total;
      if (leidos > 0 && con_intervalo) {
        int64_t fin_intervalo = ultimo_byte + tt.intervalo;
        limite = limite < 0 ? fin_intervalo : std::min(limite, fin_intervalo);
      }
      int64_t espera = -1;
      if (limite >= 0) {
        espera = limite - MilisegundosAhora();
        if (espera <= 0) return 0;
      }
      if (uint32_t codigo = Esperar(fd_, POLLIN, espera)) return codigo;
    }
    return 0;
  }

  uint32_t Escribir(const uint8_t* origen, size_t cantidad, size_t& escritos) override {
    escritos = 0;
    if (fd_ < 0) return EBADF;
    const uint64_t total =
        static_cast<uint64_t>(tiempos_.escritura_por_byte) * cantidad + tiempos_.escritura_constante;
    const int64_t inicio = MilisegundosAhora();
    while (escritos < cantidad) {
      ssize_t r = ::write(fd_, origen + escritos, cantidad - escritos);
      if (r > 0) {
        escritos += static_cast<size_t>(r);
        continue;
      }
      if (r < 0 && errno == EINTR) continue;
      if (r < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return static_cast<uint32_t>(errno);
      int64_t espera = -1;
      if (total > 0) {
        espera = static_cast<int64_t>(total) - (MilisegundosAhora() - inicio);
        // Bytes left unsent are a failure, not a short success.
        if (espera <= 0) return ETIMEDOUT;
      }
      if (uint32_t codigo = Esperar(fd_, POLLOUT, espera)) return codigo;
    }
    return 0;
  }

  void Cerrar() override {
    if (fd_ < 0) return;
    // The exclusive mark would outlive this open on a pseudo-terminal.
    ioctl(fd_, TIOCNXCL);
    ::close(fd_);  // releases the lock too
    fd_ = -1;
  }

 private:
  int fd_ = -1;
  TiemposPuerto tiempos_;
  termios estado_{};
  std::optional<Linea> linea_;
};

}  // namespace

std::unique_ptr<CanalSerie> CrearCanalDelSistema() { return std::make_unique<CanalSeriePosix>(); }

}  // namespace fiscal

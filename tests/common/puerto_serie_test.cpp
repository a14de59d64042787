// The serial port layer over the real device of this system, with a
// pseudo-terminal standing in for the printer's line: the test holds the
// master side and the driver opens the slave through the "Puertos"
// section of the default profile file.
#include <dlfcn.h>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "common/estado.h"
#include "common/lp_fiscal.h"
#include "common/puerto_serie.h"
#include "operador_guionado.h"

// The line settings last asked of a terminal. A pseudo-terminal keeps 8
// bits and no parity whatever it is told, so the request is the only
// place where data bits, parity and stop bits can be seen.
namespace {
termios g_linea_pedida{};
}  // namespace

extern "C" int tcsetattr(int fd, int acciones, const termios* t) {
  using Funcion = int (*)(int, int, const termios*);
  static Funcion real = reinterpret_cast<Funcion>(dlsym(RTLD_NEXT, "tcsetattr"));
  if (t) g_linea_pedida = *t;
  return real(fd, acciones, t);
}

namespace {

namespace fs = std::filesystem;
using Reloj = std::chrono::steady_clock;

std::string LeerMensaje() { return std::string(LP_ErrorMensaje); }

class PuertoSerie : public ::testing::Test {
 protected:
  void SetUp() override {
    fiscal::ReiniciarDriver();
    fiscal::Entorno& e = fiscal::Estado().entorno;
    e.operador = &operador;
    e.crear_canal = [this] {
      ++canales_creados;
      return fiscal::CrearCanalDelSistema();
    };

    char plantilla[] = "/tmp/puerto_serie_XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(plantilla));
    carpeta = plantilla;
    if (const char* previo = getenv("XDG_CONFIG_HOME")) xdg_previo = previo;
    setenv("XDG_CONFIG_HOME", carpeta.c_str(), 1);

    int esclavo = -1;
    char nombre[128] = {};
    ASSERT_EQ(0, openpty(&maestro, &esclavo, nombre, nullptr, nullptr));
    close(esclavo);  // the driver opens it by name
    ruta_esclavo = nombre;
    ApuntarCom2(ruta_esclavo);
  }

  void TearDown() override {
    fiscal::ReiniciarDriver();
    fiscal::Entorno& e = fiscal::Estado().entorno;
    e.operador = &fiscal::OperadorDelSistema();
    e.crear_canal = fiscal::CrearCanalDelSistema;
    if (maestro >= 0) close(maestro);
    if (xdg_previo)
      setenv("XDG_CONFIG_HOME", xdg_previo->c_str(), 1);
    else
      unsetenv("XDG_CONFIG_HOME");
    std::error_code ignorado;
    fs::remove_all(carpeta, ignorado);
  }

  // The default profile file maps COM2 to `ruta`.
  void ApuntarCom2(const std::string& ruta) {
    fs::create_directories(carpeta / "drvfiscal");
    std::ofstream(carpeta / "drvfiscal" / "fiscal.ini") << "[Puertos]\nCOM2=" << ruta << "\n";
  }

  // Port 2 open and set as the printer connection does.
  void AbrirCom2(std::string_view linea = "9600,N,8,1") {
    fiscal::AbrirPuerto(2, 1024, 1024);
    ASSERT_EQ(0, LP_Error) << LeerMensaje();
    fiscal::ConfigurarPuerto(2, linea);
    ASSERT_EQ(0, LP_Error) << LeerMensaje();
  }

  void Enviar(std::string_view bytes) {
    ASSERT_EQ(static_cast<ssize_t>(bytes.size()), write(maestro, bytes.data(), bytes.size()));
  }

  // What the driver wrote, collected until `espera_ms` pass without more.
  std::string Recibido(int espera_ms = 200) {
    std::string r;
    pollfd p{maestro, POLLIN, 0};
    while (poll(&p, 1, espera_ms) > 0 && (p.revents & POLLIN)) {
      char b[256];
      ssize_t n = read(maestro, b, sizeof b);
      if (n <= 0) break;
      r.append(b, static_cast<size_t>(n));
    }
    return r;
  }

  prueba::OperadorGuionado operador;
  int canales_creados = 0;
  fs::path carpeta;
  std::optional<std::string> xdg_previo;
  int maestro = -1;
  std::string ruta_esclavo;
};

TEST_F(PuertoSerie, NumeroFueraDeRangoNoAbreNada) {
  for (int puerto : {0, 17, -1}) {
    SCOPED_TRACE(puerto);
    const std::string esperado = "Numero de puerto debe estar entre 1 y 16|" + std::to_string(puerto);
    fiscal::AbrirPuerto(puerto, 1024, 1024);
    EXPECT_EQ(1, LP_Error);
    EXPECT_EQ(esperado, LeerMensaje());

    fiscal::ConfigurarPuerto(puerto, "9600,N,8,1");
    EXPECT_EQ(esperado, LeerMensaje());
    char c = 'x';
    EXPECT_EQ(0, fiscal::LeerPuerto(puerto, 1, &c, 1));
    EXPECT_EQ(esperado, LeerMensaje());
    fiscal::EscribirPuerto(puerto, "abc");
    EXPECT_EQ(esperado, LeerMensaje());
    fiscal::CerrarPuerto(puerto);  // no check, no crash
  }
  EXPECT_EQ(0, canales_creados);
  ASSERT_FALSE(operador.Con("ERROR").empty());
  EXPECT_EQ("Numero de puerto debe estar entre 1 y 16|0", operador.Con("ERROR")[0].texto);
}

TEST_F(PuertoSerie, DispositivoQueNoSirveNoSeAbre) {
  struct Caso {
    std::string ruta;
    int codigo;
  };
  const Caso casos[] = {
      {(carpeta / "no-existe").string(), ENOENT},
      {(carpeta / "drvfiscal" / "fiscal.ini").string(), ENOTTY},  // not a terminal
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.ruta);
    ApuntarCom2(c.ruta);
    fiscal::AbrirPuerto(2, 1024, 1024);
    EXPECT_EQ(1, LP_Error);
    EXPECT_EQ("Error al crear el puerto COM2:|Codigo=" + std::to_string(c.codigo), LeerMensaje());
    EXPECT_EQ(nullptr, fiscal::Estado().puertos[2]);
  }
}

TEST_F(PuertoSerie, PuertoTomadoPorOtroProcesoFallaHastaQueLoSuelta) {
  int aviso[2], soltar[2];
  ASSERT_EQ(0, pipe(aviso));
  ASSERT_EQ(0, pipe(soltar));
  pid_t hijo = fork();
  ASSERT_NE(-1, hijo);
  if (hijo == 0) {
    // Another driver process holds the port until told to let go.
    close(aviso[0]);
    close(soltar[1]);
    fiscal::AbrirPuerto(2, 1024, 1024);
    char estado = LP_Error ? 'E' : 'A';
    (void)!write(aviso[1], &estado, 1);
    char fin;
    (void)!read(soltar[0], &fin, 1);
    _exit(0);
  }
  close(aviso[1]);
  close(soltar[0]);
  char estado = 0;
  EXPECT_EQ(1, read(aviso[0], &estado, 1));  // no early return: the child must be let go
  EXPECT_EQ('A', estado);

  fiscal::AbrirPuerto(2, 1024, 1024);
  EXPECT_EQ(1, LP_Error);
  EXPECT_EQ("Error al crear el puerto COM2:|Codigo=" + std::to_string(EBUSY), LeerMensaje());

  close(soltar[1]);
  int fin = 0;
  ASSERT_EQ(hijo, waitpid(hijo, &fin, 0));
  close(aviso[0]);
  fiscal::AbrirPuerto(2, 1024, 1024);
  EXPECT_EQ(0, LP_Error) << LeerMensaje();
}

TEST_F(PuertoSerie, CerrarSueltaElPuerto) {
  AbrirCom2();
  fiscal::CerrarPuerto(2);

  int fd = open(ruta_esclavo.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  ASSERT_GE(fd, 0);
  EXPECT_EQ(0, flock(fd, LOCK_EX | LOCK_NB));
  // A terminal left exclusive would refuse the next open of any user but root.
  int exclusivo = -1;
  ASSERT_EQ(0, ioctl(fd, TIOCGEXCL, &exclusivo));
  EXPECT_EQ(0, exclusivo);
  close(fd);

  AbrirCom2();  // the next call opens it again
}

TEST_F(PuertoSerie, TextosDeLineaValidos) {
  struct Caso {
    const char* linea;
    speed_t velocidad;
    tcflag_t bits;
    tcflag_t paridad;  // PARENB, PARODD and CMSPAR
    bool dos_parada;
  };
  const Caso casos[] = {
      {"2400,N,8,1", B2400, CS8, 0, false},
      {"9600,N,8,1", B9600, CS8, 0, false},
      {"115200,N,8,1", B115200, CS8, 0, false},
      {"1200,N,7,1", B1200, CS7, 0, false},
      {"4800,E,7,2", B4800, CS7, PARENB, true},
      {"19200,O,8,1", B19200, CS8, PARENB | PARODD, false},
      {"38400,M,8,1", B38400, CS8, PARENB | PARODD | CMSPAR, false},
      {"57600,S,6,1.5", B57600, CS6, PARENB | CMSPAR, true},
      {"300,e,5,1", B300, CS5, PARENB, false},
      {"96,N,8,1", B9600, CS8, 0, false},  // the old two-digit speed
      {"9600, N, 8, 1   ", B9600, CS8, 0, false},
  };
  fiscal::AbrirPuerto(2, 1024, 1024);
  ASSERT_EQ(0, LP_Error) << LeerMensaje();
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.linea);
    g_linea_pedida = termios{};
    fiscal::ConfigurarPuerto(2, c.linea);
    ASSERT_EQ(0, LP_Error) << LeerMensaje();
    const termios& t = g_linea_pedida;
    EXPECT_EQ(c.velocidad, cfgetospeed(&t));
    EXPECT_EQ(c.velocidad, cfgetispeed(&t));
    EXPECT_EQ(c.bits, t.c_cflag & CSIZE);
    EXPECT_EQ(c.paridad, t.c_cflag & (PARENB | PARODD | CMSPAR));
    EXPECT_EQ(c.dos_parada, (t.c_cflag & CSTOPB) != 0);
    // Raw, no flow control, no modem lines.
    EXPECT_EQ(CLOCAL | CREAD, t.c_cflag & (CLOCAL | CREAD | CRTSCTS));
    EXPECT_EQ(0u, t.c_iflag & (IXON | IXOFF | ICRNL | ISTRIP));
    EXPECT_EQ(0u, t.c_lflag & (ICANON | ECHO | ISIG));
    EXPECT_EQ(0u, t.c_oflag & OPOST);

    termios puesta{};
    ASSERT_EQ(0, tcgetattr(maestro, &puesta));
    EXPECT_EQ(c.velocidad, cfgetospeed(&puesta));
  }
}

TEST_F(PuertoSerie, TextosDeLineaInvalidos) {
  struct Caso {
    const char* linea;
    const char* mensaje;
  };
  const std::string codigo = "|Codigo=" + std::to_string(EINVAL);
  const Caso casos[] = {
      {"9600,X,8,1", "Error al indicar parametros del puerto|COM2:9600,X,8,1"},
      {"9600,N,9,1", "Error al indicar parametros del puerto|COM2:9600,N,9,1"},
      {"9600,N,4,1", "Error al indicar parametros del puerto|COM2:9600,N,4,1"},
      {"9600,N,8,3", "Error al indicar parametros del puerto|COM2:9600,N,8,3"},
      {"9600,N,8", "Error al indicar parametros del puerto|COM2:9600,N,8"},
      {"9600,N,8,1,Q", "Error al indicar parametros del puerto|COM2:9600,N,8,1,Q"},
      {"rapido,N,8,1", "Error al indicar parametros del puerto|COM2:rapido,N,8,1"},
      {"0,N,8,1", "Error al indicar parametros del puerto|COM2:0,N,8,1"},
      {"", "Error al indicar parametros del puerto|COM2:"},
      // Well formed, but no speed this system offers.
      {"12345,N,8,1", "Error al grabar parametros del puerto|COM2:12345,N,8,1"},
  };
  fiscal::AbrirPuerto(2, 1024, 1024);
  ASSERT_EQ(0, LP_Error) << LeerMensaje();
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.linea);
    fiscal::ConfigurarPuerto(2, c.linea);
    EXPECT_EQ(1, LP_Error);
    EXPECT_EQ(c.mensaje + codigo, LeerMensaje());
  }
}

TEST_F(PuertoSerie, UnaOperacionBuenaBorraElErrorAnterior) {
  AbrirCom2();
  fiscal::ConfigurarPuerto(2, "9600,X,8,1");
  ASSERT_EQ(1, LP_Error);
  fiscal::EscribirPuerto(2, "a");
  EXPECT_EQ(0, LP_Error);
  EXPECT_EQ("", LeerMensaje());
  EXPECT_EQ("a", Recibido());
}

TEST_F(PuertoSerie, LecturaSinDatosVuelveSinErrorAlSegundo) {
  AbrirCom2();
  char c = 'x';
  Reloj::time_point inicio = Reloj::now();
  EXPECT_EQ(0, fiscal::LeerPuerto(2, 0, &c, 1));
  double segundos = std::chrono::duration<double>(Reloj::now() - inicio).count();
  EXPECT_EQ(0, LP_Error) << LeerMensaje();
  EXPECT_EQ(' ', c);
  EXPECT_GT(segundos, 0.3);
  EXPECT_LT(segundos, 10.0);
}

TEST_F(PuertoSerie, LecturaLargaTerminaCuandoLaLineaCalla) {
  AbrirCom2();
  Enviar("xyz");
  char d[20];
  Reloj::time_point inicio = Reloj::now();
  // 20 bytes may take 10.5 s; the pause after the third ends it sooner.
  EXPECT_EQ(3, fiscal::LeerPuerto(2, 20, d, sizeof d));
  double segundos = std::chrono::duration<double>(Reloj::now() - inicio).count();
  EXPECT_EQ(0, LP_Error) << LeerMensaje();
  EXPECT_EQ("xyz" + std::string(17, ' '), std::string(d, sizeof d));
  EXPECT_LT(segundos, 5.0);
}

TEST_F(PuertoSerie, EscribeSinLosBlancosFinales) {
  AbrirCom2();
  fiscal::EscribirPuerto(2, "abc   ");
  EXPECT_EQ(0, LP_Error) << LeerMensaje();
  EXPECT_EQ("abc", Recibido());
}

TEST_F(PuertoSerie, LosBytesCruzanLaLineaEnterosYElNuloLlegaComoBlanco) {
  AbrirCom2();
  const std::string salida("\x02\x7f\x80\xf0\xff\x03", 6);
  fiscal::EscribirPuerto(2, salida);
  EXPECT_EQ(0, LP_Error) << LeerMensaje();
  EXPECT_EQ(salida, Recibido());

  // One byte at a time, as the exchange layers read.
  Enviar(std::string("A\0\x80\xf0\xff", 5));
  const char esperados[] = {'A', ' ', '\x80', '\xf0', '\xff'};
  for (char e : esperados) {
    char c = 'x';
    EXPECT_EQ(1, fiscal::LeerPuerto(2, 1, &c, 1));
    EXPECT_EQ(0, LP_Error) << LeerMensaje();
    EXPECT_EQ(e, c);
  }
  Enviar("\xff");
  EXPECT_EQ(0xFF, fiscal::LeerByte(2));

  // Several at once: all counted, bytes after a NUL are not copied.
  Enviar(std::string("\x01\xfe\0z", 4));
  char d[6];
  EXPECT_EQ(4, fiscal::LeerPuerto(2, 4, d, sizeof d));
  EXPECT_EQ(std::string("\x01\xfe    ", 6), std::string(d, sizeof d));
}

TEST_F(PuertoSerie, LineaColgadaEsErrorDeLectura) {
  AbrirCom2();
  close(maestro);
  maestro = -1;
  char c;
  Reloj::time_point inicio = Reloj::now();
  EXPECT_EQ(0, fiscal::LeerPuerto(2, 1, &c, 1));
  EXPECT_EQ("Error al leer el puerto|Codigo=" + std::to_string(EIO), LeerMensaje());
  EXPECT_LT(std::chrono::duration<double>(Reloj::now() - inicio).count(), 0.5);
}

}  // namespace

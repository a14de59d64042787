// Profile files: lookup rules, writes that keep the rest of the file, the
// append path of ever-growing logs, and what a killed writer leaves.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <random>
#include <string>

#include "carpeta_temporal.h"
#include "common/archivo.h"
#include "common/perfil.h"

namespace {

using fiscal::AnexarPerfil;
using fiscal::EscribirPerfil;
using fiscal::IncrementarPerfil;
using fiscal::LeerPerfil;
using prueba::Contenido;
using prueba::Grabar;

class Perfil : public ::testing::Test {
 protected:
  prueba::CarpetaTemporal carpeta;
};

TEST_F(Perfil, BuscaComoLasFuncionesDeWindows) {
  struct Caso {
    const char* nombre;
    std::string archivo, seccion, clave, esperado;
  };
  const Caso casos[] = {
      {"mayusculas en seccion y clave", "[Impresora Fiscal]\nLP_TipoIva=R\n", "IMPRESORA fiscal",
       "lp_tipoiva", "R"},
      {"blancos y tabuladores alrededor", "  [ S ]  \n\t clave \t=  valor con blancos \t\n", "S",
       "clave", "valor con blancos"},
      {"la primera clave gana", "[S]\nk=1\nK=2\n", "S", "k", "1"},
      {"la primera seccion gana", "[S]\nk=1\n[T]\nk=9\n[s]\nk=2\n", "S", "k", "1"},
      {"clave en un bloque posterior", "[S]\na=1\n[T]\nk=9\n[S]\nk=2\n", "S", "k", "2"},
      {"finales CR LF", "[S]\r\nk=v\r\nz=w\r\n", "S", "k", "v"},
      {"marca UTF-8 al comienzo", "\xEF\xBB\xBF[S]\nk=v\n", "S", "k", "v"},
      {"igual dentro del valor", "[S]\nk=a=b\n", "S", "k", "a=b"},
      {"valor vacio no es defecto", "[S]\nk=\n", "S", "k", ""},
      {"clave antes de toda seccion", "k=antes\n[S]\nj=1\n", "S", "k", "defecto"},
      {"linea sin igual", "[S]\nk\n", "S", "k", "defecto"},
      {"seccion ausente", "[T]\nk=1\n", "S", "k", "defecto"},
      {"ultima linea sin salto", "[S]\nk=fin", "S", "k", "fin"},
      {"bytes de control en el valor", "[S]\nk=\x02" "A\x1c" "B\x03\n", "S", "k",
       "\x02" "A\x1c" "B\x03"},
  };
  for (const Caso& c : casos) {
    Grabar("p.ini", c.archivo);
    EXPECT_EQ(c.esperado, LeerPerfil("p.ini", c.seccion, c.clave, "defecto")) << c.nombre;
  }
}

TEST_F(Perfil, ArchivoAusenteDaElDefecto) {
  EXPECT_EQ("d", LeerPerfil("no-existe.ini", "S", "k", "d"));
  EXPECT_EQ("d", LeerPerfil("", "S", "k", "d"));
  EXPECT_FALSE(std::filesystem::exists("no-existe.ini"));
}

TEST_F(Perfil, NombreEnBlancoEsElArchivoPorDefecto) {
  EscribirPerfil("  ", "S", "k", "v");
  std::string defecto = carpeta.En("drvfiscal/fiscal.ini");
  EXPECT_EQ("[S]\nk=v\n", Contenido(defecto));
  EXPECT_EQ("v", LeerPerfil("", "S", "k", "d"));
  EXPECT_EQ("v", LeerPerfil(defecto, "S", "k", "d"));
}

TEST_F(Perfil, EscribirCambiaSoloLoNecesario) {
  const std::string original =
      "; comentario\r\n"
      "[Otra]\r\n"
      "x = 1\r\n"
      "\r\n"
      "[Impresora Fiscal]\r\n"
      "  LP_TipoIva =  I\r\n"
      "LP_TipoLetra=12\r\n"
      "\r\n"
      "[Ultima]\r\n"
      "y=2";
  // Each write changes one piece of the original: `antes` becomes `despues`.
  struct Caso {
    const char* nombre;
    std::string seccion, clave, valor, antes, despues;
  };
  const Caso casos[] = {
      {"clave existente, otra grafia", "impresora fiscal", "lp_tipoiva", "R",
       "  LP_TipoIva =  I\r\n", "  LP_TipoIva =R\r\n"},
      {"clave nueva al final de su seccion", "Impresora Fiscal", "LP_Nueva", "7",
       "LP_TipoLetra=12\r\n", "LP_TipoLetra=12\r\nLP_Nueva=7\r\n"},
      {"clave nueva tras una ultima linea sin salto", "Ultima", "z", "3", "y=2", "y=2\r\nz=3\r\n"},
      {"seccion nueva al final", "Impresora Fiscal2", "LP_TipoIva", "M", "y=2",
       "y=2\r\n[Impresora Fiscal2]\r\nLP_TipoIva=M\r\n"},
  };
  for (const Caso& c : casos) {
    Grabar("p.ini", original);
    EscribirPerfil("p.ini", c.seccion, c.clave, c.valor);
    std::string esperado = original;
    esperado.replace(esperado.find(c.antes), c.antes.size(), c.despues);
    EXPECT_EQ(esperado, Contenido("p.ini")) << c.nombre;
  }
}

TEST_F(Perfil, DosSeccionesConLasMismasClaves) {
  EscribirPerfil("p.ini", "Impresora Fiscal", "LP_ImpresoraPuerto", "1");
  EscribirPerfil("p.ini", "Impresora Fiscal2", "LP_ImpresoraPuerto", "2");
  EscribirPerfil("p.ini", "Impresora Fiscal", "LP_ImpresoraPuerto", "3");
  EXPECT_EQ("3", LeerPerfil("p.ini", "Impresora Fiscal", "LP_ImpresoraPuerto", ""));
  EXPECT_EQ("2", LeerPerfil("p.ini", "Impresora Fiscal2", "LP_ImpresoraPuerto", ""));
  EXPECT_EQ("[Impresora Fiscal]\nLP_ImpresoraPuerto=3\n[Impresora Fiscal2]\nLP_ImpresoraPuerto=2\n",
            Contenido("p.ini"));
}

TEST_F(Perfil, ValoresQueRomperianElArchivo) {
  EscribirPerfil("p.ini", "S", "k", std::string("a\r\nb\0c\nd", 8));
  EscribirPerfil("p.ini", "S", "j", "\x02x\x1cy\x03");
  EXPECT_EQ("a  b c d", LeerPerfil("p.ini", "S", "k", ""));
  EXPECT_EQ("\x02x\x1cy\x03", LeerPerfil("p.ini", "S", "j", ""));
  EXPECT_EQ("v", LeerPerfil("p.ini", "S", "z", "v"));
}

TEST_F(Perfil, NombresInvalidosNoSeEscriben) {
  const std::pair<std::string, std::string> nombres[] = {
      {"", "k"}, {"a]b", "k"}, {"S", ""}, {"S", "a=b"}, {"S", "[k"}, {"S\nT", "k"}, {"S", "k\n"},
  };
  for (const auto& [seccion, clave] : nombres) {
    EscribirPerfil("p.ini", seccion, clave, "v");
    AnexarPerfil("p.ini", seccion, clave, "v");
    EXPECT_EQ(0, IncrementarPerfil("p.ini", seccion, clave));
  }
  EXPECT_FALSE(std::filesystem::exists("p.ini"));
}

TEST_F(Perfil, VariasClavesEnUnPaso) {
  Grabar("p.ini", "[S]\nb=viejo\n");
  EscribirPerfil("p.ini", "S", fiscal::ClavesPerfil{{"a", "1"}, {"b", "2"}, {"c", "3"}});
  EXPECT_EQ("[S]\nb=2\na=1\nc=3\n", Contenido("p.ini"));
}

TEST_F(Perfil, SinCambiosNoReescribe) {
  Grabar("p.ini", "[S]\nk=v\n");
  auto antes = std::filesystem::last_write_time("p.ini");
  std::filesystem::last_write_time("p.ini", antes - std::chrono::hours(1));
  EscribirPerfil("p.ini", "S", "k", "v");
  EXPECT_EQ(antes - std::chrono::hours(1), std::filesystem::last_write_time("p.ini"));
}

TEST_F(Perfil, AnexarAbreOtroBloqueCuandoOtraSeccionEsUltima) {
  AnexarPerfil("log", "A", "1", "uno");
  AnexarPerfil("log", "A", "2", "dos");
  AnexarPerfil("log", "B", "1", "otro");
  AnexarPerfil("log", "a", "3", "tres");
  EXPECT_EQ("[A]\n1=uno\n2=dos\n[B]\n1=otro\n[a]\n3=tres\n", Contenido("log"));
  EXPECT_EQ("tres", LeerPerfil("log", "A", "3", ""));
  EXPECT_EQ("otro", LeerPerfil("log", "B", "1", ""));
}

TEST_F(Perfil, AnexarSigueLaTerminacionDelArchivo) {
  Grabar("log", "[A]\r\n1=uno");
  AnexarPerfil("log", "A", "2", "dos");
  EXPECT_EQ("[A]\r\n1=uno\r\n2=dos\r\n", Contenido("log"));
}

TEST_F(Perfil, AnexarUnaClaveExistenteLaReemplaza) {
  Grabar("log", "[A]\n1=uno\n[B]\n");
  AnexarPerfil("log", "A", "1", "nuevo");
  EXPECT_EQ("[A]\n1=nuevo\n[B]\n", Contenido("log"));
}

TEST_F(Perfil, AnexarNotaLosCambiosDeOtros) {
  AnexarPerfil("log", "A", "1", "uno");
  // Another program rewrites the file: the next append must see it.
  Grabar("log", "[A]\n1=uno\n[B]\nx=1\n");
  AnexarPerfil("log", "A", "2", "dos");
  EXPECT_EQ("[A]\n1=uno\n[B]\nx=1\n[A]\n2=dos\n", Contenido("log"));
}

TEST_F(Perfil, UnAnexoNoCruzaElLimiteDeUnBloque) {
  // A kill can cut a write only where it crosses a block boundary.
  for (int k = 1; k <= 300; ++k) AnexarPerfil("log", "A", std::to_string(k), std::string(k % 90, 'v'));
  AnexarPerfil("log", "A", "largo", std::string(5000, 'w'));
  std::string c = Contenido("log");
  for (size_t inicio = 0, fin; inicio < c.size(); inicio = fin + 1) {
    fin = c.find('\n', inicio);
    if (c.find_first_not_of(' ', inicio) == fin || c.compare(inicio, 6, "largo=") == 0) continue;
    EXPECT_EQ(inicio / fiscal::kBloqueEntero, fin / fiscal::kBloqueEntero) << c.substr(inicio, 20);
  }
  for (int k = 1; k <= 300; ++k)
    ASSERT_EQ(std::string(k % 90, 'v'), LeerPerfil("log", "A", std::to_string(k), "?")) << k;
  EXPECT_EQ(std::string(5000, 'w'), LeerPerfil("log", "A", "largo", ""));
}

TEST_F(Perfil, ContadorEnSitio) {
  EXPECT_EQ(1, IncrementarPerfil("log", "A", "Lineas"));
  EXPECT_EQ(2, IncrementarPerfil("log", "A", "Lineas"));
  AnexarPerfil("log", "A", "1", "uno");
  EXPECT_EQ(3, IncrementarPerfil("log", "a", "LINEAS"));
  EXPECT_EQ("3", LeerPerfil("log", "A", "Lineas", ""));
  EXPECT_EQ("[A]\nLineas=         3\n1=uno\n", Contenido("log"));
}

TEST_F(Perfil, ContadorCambiadoPorOtros) {
  struct Caso {
    const char* nombre;
    std::string archivo;
    long long siguiente;
    std::string queda;
  };
  const Caso casos[] = {
      {"otro tamanio", "[A]\nLineas=41\n", 42, "[A]\nLineas=42\n"},
      {"mismo tamanio", "[A]\nLineas=         7\n", 8, "[A]\nLineas=         8\n"},
      {"blancos tras el numero", "[A]\nLineas=7   \n", 8, "[A]\nLineas=         8\n"},
      {"sin lugar", "[A]\nLineas=99\n", 100, "[A]\nLineas=       100\n"},
      {"no es numero", "[A]\nLineas=abc\n", 1, "[A]\nLineas=  1\n"},
      {"sin contador", "[A]\n1=x\n", 1, "[A]\n1=x\nLineas=         1\n"},
  };
  for (const Caso& c : casos) {
    IncrementarPerfil("log", "A", "Lineas");  // leaves the file known to this process
    Grabar("log", c.archivo);
    EXPECT_EQ(c.siguiente, IncrementarPerfil("log", "A", "Lineas")) << c.nombre;
    EXPECT_EQ(c.queda, Contenido("log")) << c.nombre;
    std::filesystem::remove("log");
  }
}

TEST_F(Perfil, DosContadoresEnElMismoArchivo) {
  for (int i = 1; i <= 3; ++i) {
    EXPECT_EQ(i, IncrementarPerfil("log", "Impresora 1", "Lineas"));
    AnexarPerfil("log", "Impresora 1", std::to_string(i), "a");
    EXPECT_EQ(i, IncrementarPerfil("log", "Impresora 2", "Lineas"));
    AnexarPerfil("log", "Impresora 2", std::to_string(i), "b");
  }
  for (int i = 1; i <= 3; ++i) {
    EXPECT_EQ("a", LeerPerfil("log", "Impresora 1", std::to_string(i), ""));
    EXPECT_EQ("b", LeerPerfil("log", "Impresora 2", std::to_string(i), ""));
  }
  EXPECT_EQ("3", LeerPerfil("log", "Impresora 2", "Lineas", ""));
}

// Kills a child that writes in a loop at random moments, and checks what it
// leaves each time.
template <typename Escritor, typename Verificador>
void MatarAlAzar(int veces, Escritor escribir, Verificador verificar) {
  std::mt19937 azar(12345);
  std::uniform_int_distribution<int> demora(0, 3000);
  for (int i = 0; i < veces; ++i) {
    pid_t hijo = fork();
    ASSERT_GE(hijo, 0);
    if (hijo == 0) {
      for (;;) escribir();
    }
    usleep(static_cast<useconds_t>(demora(azar)));
    kill(hijo, SIGKILL);
    int estado = 0;
    waitpid(hijo, &estado, 0);
    ASSERT_TRUE(WIFSIGNALED(estado));
    verificar();
    if (::testing::Test::HasFailure()) return;
  }
}

// A value that shows whether it is whole: its number at both ends and a
// length that grows with it.
std::string Valor(long long n) {
  return std::to_string(n) + ":" + std::string(static_cast<size_t>(n * 37 % 4000), 'x') + ":" +
         std::to_string(n);
}

long long NumeroDe(const std::string& v) {
  long long n = std::stoll(v.substr(0, v.find(':')));
  return v == Valor(n) ? n : -1;
}

TEST_F(Perfil, UnaEscrituraInterrumpidaDejaElArchivoViejoOElNuevo) {
  EscribirPerfil("p.ini", "Otra", "k", "v");
  EscribirPerfil("p.ini", "S", "valor", Valor(0));
  long long ultimo = 0;
  MatarAlAzar(
      300,
      [] {
        long long n = NumeroDe(LeerPerfil("p.ini", "S", "valor", ""));
        EscribirPerfil("p.ini", "S", fiscal::ClavesPerfil{{"valor", Valor(n + 1)}, {"eco", Valor(n + 1)}});
      },
      [&] {
        std::string v = LeerPerfil("p.ini", "S", "valor", "");
        long long n = NumeroDe(v);
        ASSERT_GE(n, ultimo) << v.substr(0, 40);
        if (n > 0) {
          ASSERT_EQ(v, LeerPerfil("p.ini", "S", "eco", ""));
        }
        ASSERT_EQ("v", LeerPerfil("p.ini", "Otra", "k", ""));
        ultimo = n;
      });
  EXPECT_GT(ultimo, 0);
}

// The entries of every section, first occurrence of each key, read
// independently of the reader under test.
std::map<std::string, std::map<std::string, std::string>> Entradas(const std::string& texto) {
  std::map<std::string, std::map<std::string, std::string>> r;
  std::string seccion;
  size_t pos = 0;
  while (pos < texto.size()) {
    size_t fin = texto.find('\n', pos);
    if (fin == std::string::npos) fin = texto.size();
    std::string linea = texto.substr(pos, fin - pos);
    pos = fin + 1;
    if (!linea.empty() && linea[0] == '[') {
      seccion = linea.substr(1, linea.find(']') - 1);
    } else if (size_t igual = linea.find('='); igual != std::string::npos) {
      std::string valor = linea.substr(igual + 1);
      valor.erase(valor.find_last_not_of(' ') + 1);
      r[seccion].emplace(linea.substr(0, igual), valor);
    }
  }
  return r;
}

// An entry of the log test: whole or visibly not.
std::string Entrada(long long k) { return "<" + std::to_string(k) + std::string(k % 60, '.') + ">"; }

TEST_F(Perfil, UnAnexoInterrumpidoNoRompeElRegistro) {
  const int kMuertes = 200;
  MatarAlAzar(
      kMuertes,
      [] {
        long long n = IncrementarPerfil("log", "Impresora 1", "Lineas");
        AnexarPerfil("log", "Impresora 1", std::to_string(n), Entrada(n));
        // Now and then another section, so that blocks reopen.
        if (n % 7 == 0) {
          long long m = IncrementarPerfil("log", "Impresora 2", "Lineas");
          AnexarPerfil("log", "Impresora 2", std::to_string(m), Entrada(m));
        }
      },
      [] {
        // Entries are whole; none lies beyond the counter. A number taken
        // just before a kill stays without entry.
        long long lineas = std::stoll(LeerPerfil("log", "Impresora 1", "Lineas", "0"));
        for (long long k = std::max(1LL, lineas - 1); k <= lineas; ++k) {
          std::string v = LeerPerfil("log", "Impresora 1", std::to_string(k), "");
          if (!v.empty()) {
            ASSERT_EQ(Entrada(k), v);
          }
        }
        ASSERT_EQ("", LeerPerfil("log", "Impresora 1", std::to_string(lineas + 1), "")) << Contenido("log");
      });
  // Every entry of the file, whole; at most one number lost per kill.
  auto entradas = Entradas(Contenido("log"));
  ASSERT_EQ(2u, entradas.size()) << Contenido("log");
  for (const auto& [seccion, claves] : entradas) {
    ASSERT_EQ(1u, claves.count("Lineas")) << Contenido("log");
    long long lineas = std::stoll(claves.at("Lineas"));
    long long faltan = 0;
    for (long long k = 1; k <= lineas; ++k) {
      auto e = claves.find(std::to_string(k));
      if (e == claves.end())
        ++faltan;
      else
        EXPECT_EQ(Entrada(k), e->second) << seccion << " " << k;
    }
    EXPECT_GT(lineas, 0);
    EXPECT_LE(faltan, kMuertes) << seccion;
    EXPECT_EQ(static_cast<size_t>(lineas - faltan + 1), claves.size()) << seccion;
  }
}

}  // namespace

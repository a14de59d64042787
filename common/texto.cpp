#include "texto.h"

namespace fiscal {

std::string_view Recortado(std::string_view t) {
  size_t a = 0, b = t.size();
  while (a < b && (t[a] == ' ' || t[a] == '\t')) ++a;
  while (b > a && (t[b - 1] == ' ' || t[b - 1] == '\t')) --b;
  return t.substr(a, b - a);
}

int64_t LeerEntero(std::string_view t) {
  size_t i = 0;
  while (i < t.size() && (t[i] == ' ' || t[i] == '\t')) ++i;
  bool negativo = false;
  if (i < t.size() && (t[i] == '-' || t[i] == '+')) negativo = t[i++] == '-';
  int64_t v = 0;
  for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i) {
    if (v < INT64_MAX / 10) v = v * 10 + (t[i] - '0');
  }
  return negativo ? -v : v;
}

std::string HexaDeByte(unsigned n) {
  static constexpr char kDigitos[] = "0123456789ABCDEF";
  return {kDigitos[(n >> 4) & 0xF], kDigitos[n & 0xF]};
}

namespace {
// Code points of 0x80..0x9F in Windows-1252 (0 where the byte is unused).
constexpr char16_t kCp1252Alto[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AgregarUtf8(std::string& s, char32_t c) {
  if (c < 0x80) {
    s += static_cast<char>(c);
  } else if (c < 0x800) {
    s += static_cast<char>(0xC0 | (c >> 6));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    s += static_cast<char>(0xE0 | (c >> 12));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  }
}
}  // namespace

std::string Cp1252AUtf8(std::string_view t) {
  std::string s;
  s.reserve(t.size() + t.size() / 4);
  for (unsigned char b : t) {
    char32_t c = b;
    if (b >= 0x80 && b < 0xA0) c = kCp1252Alto[b - 0x80] ? kCp1252Alto[b - 0x80] : u'?';
    AgregarUtf8(s, c);
  }
  return s;
}

std::string Utf8ACp1252(std::string_view t) {
  std::string s;
  s.reserve(t.size());
  for (size_t i = 0; i < t.size();) {
    unsigned char b = static_cast<unsigned char>(t[i]);
    char32_t c;
    size_t largo;
    if (b < 0x80) {
      c = b, largo = 1;
    } else if ((b & 0xE0) == 0xC0 && i + 1 < t.size()) {
      c = ((b & 0x1F) << 6) | (t[i + 1] & 0x3F), largo = 2;
    } else if ((b & 0xF0) == 0xE0 && i + 2 < t.size()) {
      c = ((b & 0x0F) << 12) | ((t[i + 1] & 0x3F) << 6) | (t[i + 2] & 0x3F), largo = 3;
    } else {
      s += '?';
      i += (b & 0xF8) == 0xF0 ? 4 : 1;
      continue;
    }
    i += largo;
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
      s += static_cast<char>(c);
      continue;
    }
    char r = '?';
    for (int k = 0; k < 32; ++k) {
      if (kCp1252Alto[k] == c) r = static_cast<char>(0x80 + k);
    }
    s += r;
  }
  return s;
}

}  // namespace fiscal

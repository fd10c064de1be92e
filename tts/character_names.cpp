#include "tts/character_names.h"

#include <iterator>

namespace {

// Names of codes 32 to 126.
constexpr const char* kAsciiNames[] = {
    "espa\xE7o", "exclama\xE7\xE3o", "aspas", "sustenido", "cifr\xE3o", "porcento", "\xE9 comercial",
    "ap\xF3strofo", "abre par\xEAnteses", "fecha par\xEAnteses", "asterisco", "mais", "v\xEDrgula", "tra\xE7o",
    "ponto", "barra", "z\xE9ro", "um", "dois", "tr\xEAs", "quatro", "cinco", "seis", "s\xE9te", "oito", "n\xF3ve",
    "dois pontos", "ponto e v\xEDrgula", "menor que", "igual", "maior que", "interroga\xE7\xE3o", "arr\xF4" "ba",
    // A to Z
    "a", "b\xEA", " s\xEA", " d\xEA", "\xE9", "\xE9" "fe", "j\xEA", "ag\xE1", "i", "j\xF3ta", "c\xE1", "\xE9le",
    "\xEAme", "\xEAne", "\xF3", "p\xEA", "qu\xEA", "\xE9rre", "\xE9sse", "t\xEA", "u", "v\xEA", "d\xE1" "bliu",
    "xis", "\xEDpsilon", "z\xEA",
    "abre colchete", "barra invertida", "fecha colchete", "circunflexo", "sublinhado", "crase",
    // a to z
    "a", "b\xEA", " s\xEA", " d\xEA", "\xE9", "\xE9" "fe", "j\xEA", "ag\xE1", "i", "jota", "c\xE1", "\xE9le",
    "\xEAme", "ene", "\xF3", "p\xEA", "qu\xEA", "\xE9rre", "\xE9sse", "t\xEA", "u", "v\xEA", "d\xE1" "bliu",
    "xis", "\xEDpsilon", "z\xEA",
    "abre chave", "barra vertical", "fecha chave", "til"};

// Names of codes 161 to 220.
constexpr const char* kUpperNames[] = {
    "exclama\xE7\xE3o reversa", "centavos de d\xF3lar", "libras", "s\xEDmbolo de moeda", "iene",
    "barra interrompida", "par\xE1grafo", "trema", "copyright", "ordinal feminino", "Aspas esquerdas",
    "nega\xE7\xE3o", "h\xED" "fen", "Marca registrada", "m\xE1" "cron", "grau", "mais ou menos",
    "elevado ao quadrado", "elevado ao cubo", "acento agudo", "mi", "pi", "ponto no meio", "cedilha",
    "expoente um", "ordinal masculino", "aspas direitas", "um quarto", "um meio", "tr\xEAs quartos",
    "interroga\xE7\xE3o reversa", "A grave", "A agudo", "A circunflexo", "A com til", "A com trema", "A bola",
    "A \xC9", "C\xEA cedilha", "\xC9 grave", "\xC9 agudo", "\xC9 circunflexo", "\xC9 com trema", "I grave",
    "I agudo", "I circunflexo", "I com trema", "D\xEA cortado", "N com til", "\xD3 grave", "\xD3 agudo",
    "\xD3 circunflexo", "\xD3 com til", "\xD3 tremado", "vezes", "\xD3 cortado", "U grave", "U agudo",
    "U circunflexo", "U com trema"};

static_assert(std::size(kAsciiNames) == 126 - 32 + 1);
static_assert(std::size(kUpperNames) == 220 - 161 + 1);

}  // namespace

std::string CharacterName(unsigned char code) {
  if (code >= 225) code = static_cast<unsigned char>(code - 32);
  if (code >= 32 && code <= 126) return kAsciiNames[code - 32];
  if (code >= 161 && code <= 220) return kUpperNames[code - 161];
  return "";
}

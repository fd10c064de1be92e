#include "catalogue/brmsg.h"

#include <array>
#include <string>
#include <string_view>


namespace {

struct CatalogueEntry {
  std::string_view key;
  std::string_view text;  // Windows-1252
};

// The whole catalogue, in lookup order.
constexpr std::array<CatalogueEntry, 58> kCatalogue{{
    {"BRCNFERR", "Arquivo de configura\xE7\xE3o inexistente, programa cancelado"},
    {"BRERRLIN", "Erro no arquivo de configura\xE7\xE3o na linha "},
    {"BRERRBRL", "Erro no arquivo BRAILLE.AMB perto da linha "},
    {"BRLPPAG", "Quantas linhas por p\xE1gina (0 para n\xE3o paginar) ? "},
    {"BRCPLIN", "Quantos caracteres por linha ? "},
    {"BRDOEDIT", "Texto foi digitado no EDIT do DOS ? "},
    {"BRAUTOJU", "Deseja auto-reformata\xE7\xE3o para Braille (s/n) ? "},
    {"BRFREVER", "Frente e verso (s/n) ? "},
    {"BRNUMINI", "N\xFAmero a imprimir na p\xE1gina inicial: "},
    {"BRFAZTIT", "Deseja t\xEDtulos e numera\xE7\xE3o (s/n) ? "},
    {"BRNCOP", "Quantas c\xF3pias ? "},
    {"BRPAGINI", "P\xE1gina inicial (sugiro 1): "},
    {"BRPAGFIN", "P\xE1gina final (sugiro 9999): "},
    {"BRINTRO", "Programa de impress\xE3o Braille - v "},
    {"BRNOMARQ", "Digite o nome do arquivo a imprimir: "},
    {"BRARQNAO", "Arquivo n\xE3o foi achado"},
    {"BRERRCRI", "Erro ao criar arquivo de impress\xE3o.  Programa cancelado."},
    {"BRTIT", "Informe o t\xEDtulo:"},
    {"BRPADRAO", "Assumo valores padr\xE3o (s/n) ? "},
    {"BRFIMCOP", "Fim de impress\xE3o da copia "},
    {"BRFIMTRA", "Fim de trabalho"},
    {"BRERRLEI", "Erro de leitura do arquivo"},
    {"BRTITFV", "T\xEDtulo em ambos os lados ? "},
    {"BRNUMORG", "Indica numera\xE7\xE3o do texto original no cabe\xE7" "alho ? "},
    {"BRAFASTA", "Afasta para a direita os cabe\xE7" "alhos pares ? "},
    {"BRLINDIV", "Linhas grandes foram divididas"},
    {"BRERRESC", "Erro de escrita no dispositivo de impress\xE3o"},
    {"BRESCCAN", "ENTER continua, ESC cancela"},
    {"BRSEPARA", "Separa s\xEDlabas ao fim da linha ? "},
    {"BRINGLES", "Mai\xFAsculas e grifo estilo ingl\xEAs ? "},
    {"BRARQIMP", "Arquivo ou dispositivo de saida (sugiro LPT1): "},
    {"BRGRFNAO", "Arquivo gr\xE1" "fico n\xE3o foi achado"},
    {"BRANTIGO", "Usa Braille antigo: "},
    {"BRCNFDEF", "Use a configura\xE7\xE3o avan\xE7" "ada do Sonara para mudar definitivamente."},
    {"BRCNFDF2", "Para configurar, edite ali a se\xE7\xE3o RELEVIX."},
    {"BRIMPCAN", "Impress\xE3o cancelada."},
    {"BRMESMOA", "Nada foi gravado: o arquivo de sa\xED" "da \xE9 o pr\xF3prio arquivo a imprimir"},
    {"BRIMPINC", "Impress\xE3o incompleta; n\xE3o foi poss\xEDvel ler at\xE9 o fim o arquivo"},
    {"BRPAGCOR", "O texto continua al\xE9m da p\xE1gina final"},
    {"BRPAGIMP", "P\xE1ginas impressas"},
    {"BRNAOWAV", "N\xE3o \xE9 um arquivo de som WAV"},
    {"BRAUDVAL", "Valor desconhecido em RELEVIX_AUDIO"},
    {"BRAUDOPC", "Valores v\xE1lidos: sdl, null, null:ARQUIVO, wav:ARQUIVO."},
    {"BRAUDGRV", "N\xE3o foi poss\xEDvel gravar o som"},
    {"BRCFGTRO", "Valor sem sentido na configura\xE7\xE3o, trocado"},
    {"BRCFGNGR", "N\xE3o foi poss\xEDvel gravar o dispositivo de sa\xED" "da no SONARA.INI"},
    // Reasons, said after the name of what failed.
    {"BRNAOEXI", "n\xE3o existe"},
    {"BRSEMPAS", "a pasta n\xE3o existe"},
    {"BRSEMPER", "sem permiss\xE3o"},
    {"BRPASTA", "\xE9 uma pasta"},
    {"BRDISCHE", "disco cheio"},
    {"BRSOLEIT", "disco s\xF3 de leitura"},
    {"BREMUSO", "em uso por outro programa"},
    {"BRDESLIG", "dispositivo desligado ou desconectado"},
    {"BRSEMCUP", "o servidor de impress\xE3o CUPS n\xE3o responde"},
    {"BRSEMPAD", "n\xE3o h\xE1 impressora padr\xE3o no CUPS"},
    {"BRCUPREC", "o CUPS recusou o trabalho"},
    {"BRERRSIS", "erro do sistema n\xFAmero "},
}};

}  // namespace

std::string GetMessage(std::string_view key) {
  for (const CatalogueEntry& entry : kCatalogue) {
    if (entry.key == key) return std::string(entry.text);
  }
  return "--> Mensagem inv\xE1lida: " + std::string(key);
}

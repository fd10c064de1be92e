#include "formats/pef_reader.h"

#include <libxml/entities.h>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <memory>

#include "formats/pef_writer.h"
#include "platform/text_encoding.h"

namespace {

constexpr char32_t kFirstCell = 0x2800;
constexpr char32_t kFirstEightDotCell = 0x2840;
constexpr char32_t kLastCell = 0x28FF;

struct DocumentDeleter {
  void operator()(xmlDoc* document) const { xmlFreeDoc(document); }
};

bool Named(const xmlNode* node, const char* name) {
  return node->type == XML_ELEMENT_NODE && node->ns != nullptr &&
         std::strcmp(reinterpret_cast<const char*>(node->ns->href), kPefNamespace) == 0 &&
         std::strcmp(reinterpret_cast<const char*>(node->name), name) == 0;
}

std::string Attribute(const xmlNode* node, const char* name) {
  xmlChar* value = xmlGetNoNsProp(node, reinterpret_cast<const xmlChar*>(name));
  if (value == nullptr) return {};
  std::string text(reinterpret_cast<const char*>(value));
  xmlFree(value);
  return text;
}

std::string Text(const xmlNode* node) {
  xmlChar* content = xmlNodeGetContent(node);
  if (content == nullptr) return {};
  std::string text(reinterpret_cast<const char*>(content));
  xmlFree(content);
  return text;
}

class PefParser {
 public:
  explicit PefParser(PefProblem& problem) : problem_(problem) {}

  bool Book(const xmlNode* root, PefBook& book) {
    if (root == nullptr || !Named(root, "pef")) {
      const std::string name = root == nullptr ? std::string() : reinterpret_cast<const char*>(root->name);
      const std::string space =
          root == nullptr || root->ns == nullptr ? std::string() : reinterpret_cast<const char*>(root->ns->href);
      return Refuse("PEFNAOE", {name, space});
    }
    const std::string version = Attribute(root, "version");
    if (version != "2008-1") return Refuse("PEFVERS", {version});
    for (const xmlNode* part = root->children; part != nullptr; part = part->next) {
      if (Named(part, "head")) Title(part, book);
      if (!Named(part, "body")) continue;
      for (const xmlNode* volume = part->children; volume != nullptr; volume = volume->next) {
        if (Named(volume, "volume") && !Volume(volume, book)) return false;
      }
    }
    if (book.volumes.empty()) return Refuse("PEFSEMV", {});
    return true;
  }

 private:
  struct Layout {
    int cols = 0;
    int rows = 0;
    bool duplex = false;
  };

  bool Refuse(const char* key, std::vector<std::string> values) {
    problem_ = PefProblem{key, std::move(values)};
    return false;
  }

  static void Title(const xmlNode* head, PefBook& book) {
    for (const xmlNode* meta = head->children; meta != nullptr; meta = meta->next) {
      if (!Named(meta, "meta")) continue;
      for (const xmlNode* item = meta->children; item != nullptr; item = item->next) {
        if (item->type == XML_ELEMENT_NODE && std::strcmp(reinterpret_cast<const char*>(item->name), "title") == 0) {
          book.title = Text(item);
        }
      }
    }
  }

  // A positive whole number, or a duplex value; the inherited value when the
  // attribute is absent and may be.
  bool Number(const xmlNode* node, const char* name, int& value, bool required) {
    const std::string text = Attribute(node, name);
    if (text.empty() && !required) return true;
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || number < 1) {
      return Refuse("PEFATRIB", {name, reinterpret_cast<const char*>(node->name), text});
    }
    value = number;
    return true;
  }

  bool Duplex(const xmlNode* node, bool& value, bool required) {
    const std::string text = Attribute(node, "duplex");
    if (text.empty() && !required) return true;
    if (text != "true" && text != "false") {
      return Refuse("PEFATRIB", {"duplex", reinterpret_cast<const char*>(node->name), text});
    }
    value = text == "true";
    return true;
  }

  bool Sizes(const xmlNode* node, Layout& layout, bool required) {
    return Number(node, "cols", layout.cols, required) && Number(node, "rows", layout.rows, required) &&
           Duplex(node, layout.duplex, required);
  }

  bool Volume(const xmlNode* node, PefBook& book) {
    Layout volumeLayout;
    if (!Sizes(node, volumeLayout, true)) return false;
    PefVolume volume;
    for (const xmlNode* child = node->children; child != nullptr; child = child->next) {
      if (!Named(child, "section")) continue;
      Layout layout = volumeLayout;
      if (!Sizes(child, layout, false)) return false;
      PefSection section{layout.cols, layout.rows, layout.duplex, {}};
      for (const xmlNode* page = child->children; page != nullptr; page = page->next) {
        if (Named(page, "page") && !Page(page, section)) return false;
      }
      volume.sections.push_back(std::move(section));
    }
    book.volumes.push_back(std::move(volume));
    return true;
  }

  bool Page(const xmlNode* node, PefSection& section) {
    ++pageNumber_;
    PefPage page;
    int rowNumber = 0;
    for (const xmlNode* row = node->children; row != nullptr; row = row->next) {
      if (!Named(row, "row")) continue;
      ++rowNumber;
      if (!EntitiesRead(row, rowNumber)) return false;
      CellPatterns cells;
      if (!Cells(Text(row), rowNumber, cells)) return false;
      if (static_cast<int>(cells.size()) > section.cols) {
        return Refuse("PEFLARGA", {std::to_string(section.cols), std::to_string(pageNumber_),
                                   std::to_string(rowNumber)});
      }
      page.rows.push_back(std::move(cells));
    }
    if (rowNumber > section.rows) {
      return Refuse("PEFALTA", {std::to_string(section.rows), std::to_string(pageNumber_)});
    }
    section.pages.push_back(std::move(page));
    return true;
  }

  // An entity of the document's own is read into the row; one kept in
  // another file is never loaded (a file from elsewhere must not read this
  // machine's files), so a row that names one is refused rather than
  // embossed without it.
  bool EntitiesRead(const xmlNode* row, int rowNumber) {
    for (const xmlNode* part = row->children; part != nullptr; part = part->next) {
      if (part->type != XML_ENTITY_REF_NODE) continue;
      const xmlEntity* entity = xmlGetDocEntity(row->doc, part->name);
      if (entity == nullptr || entity->etype != XML_INTERNAL_GENERAL_ENTITY) {
        return Refuse("PEFENTID", {reinterpret_cast<const char*>(part->name), std::to_string(pageNumber_),
                                   std::to_string(rowNumber)});
      }
    }
    return true;
  }

  // The row's characters as six-dot cells (libxml2 hands well-formed UTF-8).
  bool Cells(std::string_view text, int rowNumber, CellPatterns& cells) {
    while (!text.empty()) {
      const Utf8Step step = DecodeUtf8Step(text);
      text.remove_prefix(step.length);
      const char32_t code = step.codePoint;
      const std::vector<std::string> where = {std::to_string(pageNumber_), std::to_string(rowNumber)};
      if (code < kFirstCell || code > kLastCell) return Refuse("PEFCARAC", where);
      if (code >= kFirstEightDotCell) return Refuse("PEFOITO", where);
      cells.push_back(static_cast<unsigned char>(code - kFirstCell));
    }
    return true;
  }

  PefProblem& problem_;
  int pageNumber_ = 0;
};

}  // namespace

bool ReadPef(std::string_view bytes, PefBook& book, PefProblem& problem) {
  book = PefBook{};
  // No network, no entities expanded, nothing printed by the library: the
  // file comes from elsewhere.
  const int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
  std::unique_ptr<xmlDoc, DocumentDeleter> document(
      xmlReadMemory(bytes.data(), static_cast<int>(std::min<std::size_t>(bytes.size(), INT32_MAX)), "livro.pef",
                    nullptr, options));
  if (document == nullptr) {
    const xmlError* error = xmlGetLastError();
    problem = PefProblem{"PEFXML", {std::to_string(error != nullptr ? error->line : 0)}};
    return false;
  }
  if (!PefParser(problem).Book(xmlDocGetRootElement(document.get()), book)) {
    book = PefBook{};
    return false;
  }
  return true;
}

bool LooksLikePef(std::string_view bytes) {
  std::string_view head = bytes.substr(0, 4096);
  if (head.starts_with("\xEF\xBB\xBF")) head.remove_prefix(3);
  head.remove_prefix(std::min(head.find_first_not_of(" \t\r\n"), head.size()));
  if (!head.starts_with("<?xml") && !head.starts_with("<pef")) return false;
  const std::size_t root = head.find("<pef");
  if (root == std::string_view::npos || root + 4 >= head.size()) return false;
  const char after = head[root + 4];
  return after == ' ' || after == '>' || after == '\n' || after == '\r' || after == '\t';
}

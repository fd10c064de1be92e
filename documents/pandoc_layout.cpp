#include "documents/pandoc_layout.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "documents/layout_text.h"
#include "platform/message_texts.h"
#include "platform/text_encoding.h"

namespace {

using Json = nlohmann::json;

// Deeper nesting than this is no document a person wrote; it is not
// followed, so a hostile tree cannot exhaust the stack.
constexpr int kDeepestNesting = 64;

const Json kNothing;

// The element's contents ("c"), or null.
const Json& Contents(const Json& element) {
  if (!element.is_object()) return kNothing;
  const auto found = element.find("c");
  return found == element.end() ? kNothing : *found;
}

std::string TypeOf(const Json& element) {
  if (!element.is_object()) return {};
  const auto found = element.find("t");
  return found != element.end() && found->is_string() ? found->get<std::string>() : std::string();
}

const Json& At(const Json& array, std::size_t index) {
  return array.is_array() && index < array.size() ? array[index] : kNothing;
}

std::string StringOf(const Json& value) { return value.is_string() ? value.get<std::string>() : std::string(); }

// A catalogue text with its values, as UTF-8.
std::string Message(std::string_view key, std::string_view first, std::string_view second = {}) {
  return Utf8FromWindows1252(
      GetMessageWith(key, {Windows1252FromUtf8(first), Windows1252FromUtf8(second)}));
}

// Attributes [identifier, [classes], [[key, value]]]: whether they ask for
// a page break before or after the element.
struct PageBreaks {
  bool before = false;
  bool after = false;
};

// A style ("page-break-before: always") that asks for a page break.
PageBreaks StyleBreaks(std::string style) {
  std::erase(style, ' ');
  PageBreaks breaks;
  breaks.before = style.find("page-break-before:always") != std::string::npos ||
                  style.find("break-before:page") != std::string::npos;
  breaks.after = style.find("page-break-after:always") != std::string::npos ||
                 style.find("break-after:page") != std::string::npos;
  return breaks;
}

PageBreaks PageBreaksOf(const Json& attributes) {
  PageBreaks breaks;
  for (const Json& pair : At(attributes, 2)) {
    if (StringOf(At(pair, 0)) == "style") breaks = StyleBreaks(StringOf(At(pair, 1)));
  }
  for (const Json& name : At(attributes, 1)) {
    const std::string c = StringOf(name);
    if (c == "pagebreak" || c == "page-break" || c == "newpage") breaks.before = true;
  }
  return breaks;
}

// A raw block of another format that is a page break there.
bool IsRawPageBreak(const Json& contents) {
  const std::string format = StringOf(At(contents, 0));
  const std::string text = StringOf(At(contents, 1));
  if (format == "tex" || format == "latex") {
    return text.find("\\newpage") != std::string::npos || text.find("\\pagebreak") != std::string::npos ||
           text.find("\\clearpage") != std::string::npos;
  }
  if (format == "html") {
    const PageBreaks breaks = StyleBreaks(text);
    return breaks.before || breaks.after;
  }
  return false;
}

class PandocLayout {
 public:
  void Meta(const Json& meta) {
    if (meta.is_object() && meta.contains("title")) layout_.Title(MetaText(meta.at("title"), 0));
  }

  void TopBlock(const Json& block) { Block(block, 1); }

  const std::string& Text() const { return layout_.Text(); }

 private:
  std::string MetaText(const Json& value, int depth) {
    if (depth > kDeepestNesting) return {};
    const std::string type = TypeOf(value);
    if (type == "MetaString") return StringOf(Contents(value));
    if (type == "MetaInlines") return Inlines(Contents(value), depth + 1);
    if (type == "MetaBlocks") return BlocksText(Contents(value), depth + 1);
    if (type == "MetaList") return MetaText(At(Contents(value), 0), depth + 1);
    return {};
  }

  // The text of a list of inline elements, footnotes kept for the end of
  // the paragraph.
  std::string Inlines(const Json& inlines, int depth) {
    std::string text;
    if (!inlines.is_array() || depth > kDeepestNesting) return text;
    for (const Json& element : inlines) Inline(element, depth, text);
    return text;
  }

  void Inline(const Json& element, int depth, std::string& text) {
    const std::string type = TypeOf(element);
    const Json& c = Contents(element);
    if (type == "Str") {
      text += StringOf(c);
    } else if (type == "Space" || type == "SoftBreak" || type == "LineBreak") {
      text += ' ';
    } else if (type == "Emph" || type == "Strong" || type == "Underline" || type == "Strikeout" ||
               type == "Superscript" || type == "Subscript" || type == "SmallCaps") {
      text += Inlines(c, depth + 1);
    } else if (type == "Quoted") {
      const char* quote = TypeOf(At(c, 0)) == "SingleQuote" ? "'" : "\"";
      text += quote + Inlines(At(c, 1), depth + 1) + quote;
    } else if (type == "Cite" || type == "Link" || type == "Span") {
      text += Inlines(At(c, 1), depth + 1);
    } else if (type == "Code" || type == "Math") {
      text += StringOf(At(c, 1));
    } else if (type == "Image") {
      const std::string description = SingleSpaced(Inlines(At(c, 1), depth + 1));
      if (!description.empty()) text += Message("DOCIMAGE", description);
    } else if (type == "Note") {
      const std::string number = std::to_string(++notesSeen_);
      text += " " + Message("DOCREFNT", number);
      pendingNotes_.push_back(Message("DOCNOTA", number, BlocksText(c, depth + 1)));
    }
  }

  // The text of blocks inside an inline element or a cell, run together.
  std::string BlocksText(const Json& blocks, int depth) {
    std::string text;
    if (!blocks.is_array() || depth > kDeepestNesting) return text;
    for (const Json& block : blocks) {
      const std::string type = TypeOf(block);
      const Json& c = Contents(block);
      std::string part;
      if (type == "Plain" || type == "Para") {
        part = Inlines(c, depth + 1);
      } else if (type == "Header") {
        part = Inlines(At(c, 2), depth + 1);
      } else if (type == "CodeBlock") {
        part = StringOf(At(c, 1));
      } else if (type == "LineBlock") {
        for (const Json& line : c) part += Inlines(line, depth + 1) + " ";
      } else if (type == "BlockQuote") {
        part = BlocksText(c, depth + 1);
      } else if (type == "Div" || type == "Figure") {
        part = BlocksText(At(c, type == "Div" ? 1 : 2), depth + 1);
      } else if (type == "BulletList") {
        for (const Json& item : c) part += BlocksText(item, depth + 1) + " ";
      } else if (type == "OrderedList") {
        for (const Json& item : At(c, 1)) part += BlocksText(item, depth + 1) + " ";
      }
      if (!part.empty()) text += (text.empty() ? "" : " ") + part;
    }
    return text;
  }

  // Footnotes met since the last paragraph, each a paragraph of its own.
  void Notes() {
    std::vector<std::string> notes;
    notes.swap(pendingNotes_);
    for (const std::string& note : notes) layout_.Paragraph(note);
  }

  void Blocks(const Json& blocks, int depth) {
    if (!blocks.is_array() || depth > kDeepestNesting) return;
    for (const Json& block : blocks) Block(block, depth + 1);
  }

  void Block(const Json& block, int depth) {
    const std::string type = TypeOf(block);
    const Json& c = Contents(block);
    if (type == "Plain" || type == "Para") {
      layout_.Paragraph(Inlines(c, depth));
    } else if (type == "Header") {
      layout_.Heading(Inlines(At(c, 2), depth));
    } else if (type == "BlockQuote") {
      layout_.PushMargin();
      Blocks(c, depth);
      layout_.PopMargin();
    } else if (type == "BulletList") {
      List(c, [](std::size_t) { return std::string("\u2022"); }, depth);
    } else if (type == "OrderedList") {
      const Json& attributes = At(c, 0);
      const long long first = At(attributes, 0).is_number_integer() ? At(attributes, 0).get<long long>() : 1;
      const std::string style = TypeOf(At(attributes, 1));
      const std::string delimiter = TypeOf(At(attributes, 2));
      List(At(c, 1),
           [&](std::size_t index) { return NumberMarker(first + static_cast<long long>(index), style, delimiter); },
           depth);
    } else if (type == "DefinitionList") {
      for (const Json& entry : c) {
        layout_.Paragraph(Inlines(At(entry, 0), depth));
        layout_.PushMargin();
        for (const Json& definition : At(entry, 1)) Blocks(definition, depth);
        layout_.PopMargin();
      }
    } else if (type == "CodeBlock") {
      layout_.KeptLines(StringOf(At(c, 1)));
    } else if (type == "LineBlock") {
      std::string lines;
      for (const Json& line : c) lines += Inlines(line, depth) + "\n";
      if (!lines.empty()) lines.pop_back();
      layout_.KeptLines(lines);
    } else if (type == "Table") {
      Table(c, depth);
    } else if (type == "Figure") {
      Blocks(At(c, 2), depth);
      Blocks(At(At(c, 1), 1), depth);
    } else if (type == "Div") {
      const PageBreaks breaks = PageBreaksOf(At(c, 0));
      if (breaks.before) layout_.NewPage();
      Blocks(At(c, 1), depth);
      if (breaks.after) layout_.NewPage();
    } else if (type == "HorizontalRule") {
      layout_.BlankLine();
    } else if (type == "RawBlock" && IsRawPageBreak(c)) {
      layout_.NewPage();
    }
    Notes();
  }

  template <typename MarkerOf>
  void List(const Json& items, MarkerOf markerOf, int depth) {
    if (!items.is_array()) return;
    layout_.BeginList();
    for (std::size_t i = 0; i < items.size(); ++i) {
      const Json& blocks = items[i];
      // The item's first paragraph goes on the line of its marker; what
      // follows it (more paragraphs, an inner list) two cells further in.
      std::size_t rest = 0;
      std::string first;
      const std::string firstType = TypeOf(At(blocks, 0));
      if (firstType == "Plain" || firstType == "Para") {
        first = Inlines(Contents(At(blocks, 0)), depth + 1);
        rest = 1;
      }
      layout_.ListItem(markerOf(i), first);
      Notes();
      if (blocks.is_array() && rest < blocks.size()) {
        layout_.PushMargin();
        for (std::size_t b = rest; b < blocks.size(); ++b) Block(blocks[b], depth + 1);
        layout_.PopMargin();
      }
    }
    layout_.EndList();
  }

  static std::string NumberMarker(long long number, const std::string& style, const std::string& delimiter) {
    std::string label;
    if ((style == "LowerAlpha" || style == "UpperAlpha") && number >= 1 && number <= 26) {
      label = std::string(1, static_cast<char>((style == "LowerAlpha" ? 'a' : 'A') + number - 1));
    } else {
      label = std::to_string(number);
    }
    if (delimiter == "OneParen") return label + ")";
    if (delimiter == "TwoParens") return "(" + label + ")";
    return label + ".";
  }

  void Rows(const Json& rows, int depth) {
    if (!rows.is_array()) return;
    for (const Json& row : rows) {
      std::vector<std::string> cells;
      for (const Json& cell : At(row, 1)) cells.push_back(BlocksText(At(cell, 4), depth + 1));
      layout_.TableRow(cells);
      Notes();
    }
  }

  // [attr, caption, colspecs, head, bodies, foot]; a body is [attr,
  // row head columns, head rows, rows].
  void Table(const Json& c, int depth) {
    layout_.Paragraph(BlocksText(At(At(c, 1), 1), depth));
    Notes();
    layout_.BeginList();
    Rows(At(At(c, 3), 1), depth);
    for (const Json& body : At(c, 4)) {
      Rows(At(body, 2), depth);
      Rows(At(body, 3), depth);
    }
    Rows(At(At(c, 5), 1), depth);
    layout_.EndList();
  }

  LayoutText layout_;
  int notesSeen_ = 0;
  std::vector<std::string> pendingNotes_;
};

}  // namespace

std::optional<std::string> LayoutFromPandocJson(std::string_view json) {
  // The tree is laid out as it is read, one block at a time, and each block
  // is let go once written: a book's tree is never held whole.
  PandocLayout layout;
  std::string topKey;
  const Json::parser_callback_t takeBlocks = [&](int depth, Json::parse_event_t event, Json& parsed) {
    if (depth == 1 && event == Json::parse_event_t::key) {
      topKey = StringOf(parsed);
    } else if (depth == 1 && event == Json::parse_event_t::object_end && topKey == "meta") {
      layout.Meta(parsed);
      return false;
    } else if (depth == 2 && topKey == "blocks" &&
               (event == Json::parse_event_t::object_end || event == Json::parse_event_t::array_end ||
                event == Json::parse_event_t::value)) {
      if (event == Json::parse_event_t::object_end) layout.TopBlock(parsed);
      return false;
    }
    return true;
  };
  const Json document = Json::parse(json, takeBlocks, false);
  if (document.is_discarded() || !document.is_object() || !document.contains("blocks") ||
      !document.at("blocks").is_array()) {
    return std::nullopt;
  }
  return layout.Text();
}

#include "documents/document_format.h"

#include <magic.h>
#include <zip.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <fstream>
#include <memory>
#include <string_view>

#include "platform/text_encoding.h"

namespace {

// Enough of the file to tell its kind.
constexpr std::size_t kSampleSize = 64 * 1024;

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::ranges::transform(lower, lower.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

bool EndsWithInsensitive(std::string_view name, std::string_view ending) {
  return name.size() >= ending.size() && Lower(name.substr(name.size() - ending.size())) == ending;
}

// A page of the web begins, after blanks, a byte-order mark and comments or
// an XML declaration, with its document type or its html, head or body
// element. A text of this program's own may begin with '<' too ("<TTitle>"),
// so nothing less will do.
bool LooksLikeHtml(std::string_view sample) {
  const std::string head = Lower(sample.substr(0, 4096));
  std::size_t at = head.starts_with("\xef\xbb\xbf") ? 3 : 0;
  for (;;) {
    at = head.find_first_not_of(" \t\r\n", at);
    if (at == std::string::npos) return false;
    const std::string_view rest = std::string_view(head).substr(at);
    if (rest.starts_with("<!doctype html") || rest.starts_with("<html") || rest.starts_with("<head") ||
        rest.starts_with("<body")) {
      return true;
    }
    if (rest.starts_with("<!--") || rest.starts_with("<?xml")) {
      const std::size_t end = head.find(rest.starts_with("<!--") ? "-->" : "?>", at);
      if (end == std::string::npos) return false;
      at = end + 2;
      continue;
    }
    return false;
  }
}

// Bytes no text holds (tab, line ends and form feed are text).
bool IsControlByte(unsigned char c) { return (c < 32 && c != '\t' && c != '\n' && c != '\r' && c != '\f') || c == 127; }

double ControlShare(std::string_view sample) {
  if (sample.empty()) return 0;
  const auto count = std::ranges::count_if(sample, [](char c) { return IsControlByte(static_cast<unsigned char>(c)); });
  return static_cast<double>(count) / static_cast<double>(sample.size());
}

// "image/x-ms-bmp" gives "MS-BMP", "application/x-7z-compressed" "7Z".
std::string SubtypeName(std::string_view mime) {
  std::string_view subtype = mime.substr(mime.find('/') + 1);
  if (subtype.starts_with("x-")) subtype.remove_prefix(2);
  if (subtype.starts_with("vnd.")) subtype.remove_prefix(4);
  for (const std::string_view ending : {"-compressed", "+xml"}) {
    if (subtype.ends_with(ending)) subtype.remove_suffix(ending.size());
  }
  return UpperCaseAnsi(subtype);
}

struct MagicAnswer {
  std::string mime;
  bool binary = false;
};

// libmagic's view of the bytes: their MIME type, and whether their
// encoding is binary.
MagicAnswer AskMagic(const std::string& sample) {
  MagicAnswer answer;
  const std::unique_ptr<magic_set, decltype(&magic_close)> cookie(magic_open(MAGIC_MIME_TYPE | MAGIC_ERROR),
                                                                   magic_close);
  if (!cookie || magic_load(cookie.get(), nullptr) != 0) return answer;
  if (const char* type = magic_buffer(cookie.get(), sample.data(), sample.size())) answer.mime = type;
  magic_setflags(cookie.get(), MAGIC_MIME_ENCODING | MAGIC_ERROR);
  if (const char* encoding = magic_buffer(cookie.get(), sample.data(), sample.size())) {
    answer.binary = std::string_view(encoding) == "binary";
  }
  return answer;
}

Recognition Refused(RefusedKind kind, std::string subtype = {}) {
  return {DocumentFormat::Refused, kind, std::move(subtype)};
}

Recognition Format(DocumentFormat format) { return {format, RefusedKind::Binary, {}}; }

// A refused kind from a MIME type, when it names one.
bool RefusedByMime(std::string_view mime, Recognition& recognition) {
  if (mime.starts_with("image/")) {
    recognition = Refused(RefusedKind::Image, SubtypeName(mime));
  } else if (mime.starts_with("audio/")) {
    recognition = Refused(RefusedKind::Sound, SubtypeName(mime));
  } else if (mime.starts_with("video/")) {
    recognition = Refused(RefusedKind::Video, SubtypeName(mime));
  } else if (mime == "application/x-executable" || mime == "application/x-pie-executable" ||
             mime == "application/x-sharedlib" || mime == "application/x-object" ||
             mime == "application/x-dosexec" || mime == "application/x-mach-binary" ||
             mime == "application/java-archive" || mime == "application/x-java-applet") {
    recognition = Refused(RefusedKind::Program);
  } else {
    constexpr std::array<std::string_view, 15> kArchives = {
        "application/gzip",          "application/x-gzip",      "application/x-bzip2", "application/x-xz",
        "application/x-7z-compressed", "application/x-rar",     "application/vnd.rar", "application/x-tar",
        "application/zstd",          "application/x-lzip",      "application/x-lzma",  "application/x-compress",
        "application/x-cpio",        "application/x-iso9660-image", "application/x-archive"};
    if (std::ranges::find(kArchives, mime) == kArchives.end()) return false;
    recognition = Refused(RefusedKind::Archive, SubtypeName(mime));
  }
  return true;
}

std::string ZipMember(zip_t* archive, const char* name, std::size_t limit) {
  std::string text;
  zip_file_t* member = zip_fopen(archive, name, 0);
  if (member == nullptr) return text;
  text.resize(limit);
  const zip_int64_t count = zip_fread(member, text.data(), limit);
  zip_fclose(member);
  text.resize(count > 0 ? static_cast<std::size_t>(count) : 0);
  return text;
}

// A zip is a document when it holds one's members.
Recognition RecogniseZip(zip_t* archive) {
  if (archive == nullptr) return Refused(RefusedKind::Archive, "ZIP");
  const auto has = [&](const char* name) { return zip_name_locate(archive, name, 0) >= 0; };
  const std::string mimetype = ZipMember(archive, "mimetype", 256);
  Recognition recognition = Refused(RefusedKind::Archive, "ZIP");
  if (has("word/document.xml")) {
    recognition = Format(DocumentFormat::Word);
  } else if (mimetype.starts_with("application/epub+zip") || (mimetype.empty() && has("META-INF/container.xml"))) {
    recognition = Format(DocumentFormat::Epub);
  } else if (mimetype.starts_with("application/vnd.oasis.opendocument.text") ||
             (mimetype.empty() && has("content.xml"))) {
    recognition = Format(DocumentFormat::OpenDocument);
  }
  zip_close(archive);
  return recognition;
}

}  // namespace

Recognition RecogniseDocument(const std::string& linuxPath, const std::string& givenName) {
  std::ifstream file(linuxPath, std::ios::binary);
  std::string sample(kSampleSize, '\0');
  file.read(sample.data(), static_cast<std::streamsize>(sample.size()));
  sample.resize(static_cast<std::size_t>(std::max<std::streamsize>(file.gcount(), 0)));
  const std::string_view bytes = sample;
  if (bytes.substr(0, 1024).find("%PDF-") != std::string_view::npos) return Format(DocumentFormat::Pdf);
  if (bytes.starts_with("PK\x03\x04")) {
    int error = 0;
    return RecogniseZip(zip_open(linuxPath.c_str(), ZIP_RDONLY, &error));
  }
  if (bytes.starts_with("{\\rtf")) return Format(DocumentFormat::Rtf);
  if (bytes.starts_with("\xd0\xcf\x11\xe0\xa1\xb1\x1a\xe1")) return Format(DocumentFormat::OldWord);
  if (LooksLikeHtml(bytes)) return Format(DocumentFormat::Html);
  const MagicAnswer magic = AskMagic(sample);
  Recognition recognition;
  if (RefusedByMime(magic.mime, recognition)) return recognition;
  if (magic.mime == "application/zip") return Refused(RefusedKind::Archive, "ZIP");
  // Mostly control bytes, or binary to libmagic with more of them than a
  // text's stray byte: data, not text.
  const double controls = ControlShare(bytes);
  if (controls > 0.25 || (magic.binary && controls > 0.01)) return Refused(RefusedKind::Binary);
  const std::string& name = givenName.empty() ? linuxPath : givenName;
  if (EndsWithInsensitive(name, ".md") || EndsWithInsensitive(name, ".markdown")) {
    return Format(DocumentFormat::Markdown);
  }
  return Format(DocumentFormat::Text);
}

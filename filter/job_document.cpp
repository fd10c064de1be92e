#include "filter/job_document.h"

#include <errno.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "braille/input_file.h"
#include "filter/server_messages.h"
#include "platform/byte_output.h"
#include "platform/message_texts.h"
#include "platform/text_encoding.h"
#include "platform/whole_file.h"

SpooledInput::~SpooledInput() {
  if (!path_.empty()) unlink(path_.c_str());
}

bool SpooledInput::Take(std::string& problem) {
  const char* tmp = std::getenv("TMPDIR");
  std::string name = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/relevix-cups-XXXXXX";
  const int fd = mkstemp(name.data());
  if (fd < 0) {
    problem = name + ": " + std::strerror(errno);
    return false;
  }
  path_ = name;
  char buffer[65536];
  for (;;) {
    const ssize_t got = read(STDIN_FILENO, buffer, sizeof buffer);
    if (got == 0) break;
    if (got < 0 && errno == EINTR) continue;
    if (got < 0 || !WriteAllBytes(fd, std::string_view(buffer, static_cast<std::size_t>(got)))) {
      problem = std::strerror(errno);
      close(fd);
      return false;
    }
  }
  return close(fd) == 0;
}

// The job's title names the document in what is said: the file the server
// hands over has a name of the server's.
bool ReadJobDocument(const std::string& linuxPath, const std::string& givenName, const std::string& shownName,
                     JobDocument& document) {
  document.path = Windows1252FromUtf8(linuxPath);
  std::string bytes;
  if (!ReadWholeFile(linuxPath, bytes)) {
    Tell("ERROR", MessageAbout("BRARQNAO", shownName));
    return false;
  }
  if (LooksLikePef(bytes)) {
    document.pef = true;
    PefProblem problem;
    if (ReadPef(bytes, document.book, problem)) return true;
    std::vector<std::string> values(3);
    for (std::size_t i = 0; i < std::min(values.size(), problem.values.size()); ++i) {
      values[i] = Windows1252FromUtf8(problem.values[i]);
    }
    Tell("ERROR", MessageAbout("PEFRECUS", GetMessageWith(problem.messageKey, {values[0], values[1], values[2]})));
    return false;
  }
  document.converted = ConvertDocument(linuxPath, givenName);
  if (Printable(document.converted)) return true;
  const NotPrintable why = WhyNotPrintable(document.converted, shownName);
  Tell("ERROR", MessageAbout(why.key, why.about) + (why.more.empty() ? "" : "; " + why.more));
  return false;
}

bool OpenJobText(const JobDocument& document, InputFile& input) {
  if (document.converted.result == ConversionResult::Converted) {
    input.OpenText(document.path, document.converted.text);
    return true;
  }
  return input.Open(document.path);
}

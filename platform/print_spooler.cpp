#include "platform/print_spooler.h"

#include <cups/cups.h>
#include <sys/socket.h>

#include <string>

#include "platform/text_encoding.h"

namespace {

// The open job, on a connection of its own so that no other CUPS request can
// come between the job's document data.
struct PrintJobState {
  http_t* connection = nullptr;
  std::string destination;
  int jobId = 0;
};

PrintJobState printJob;

constexpr int kConnectTimeoutMs = 30000;

void DropPrintJob() {
  if (printJob.connection != nullptr) httpClose(printJob.connection);
  printJob = PrintJobState{};
}

// The name of the user's default destination (lpoptions and the LPDEST and
// PRINTER variables included, as lp chooses it), or "" when there is none.
std::string DefaultDestination(http_t* connection) {
  cups_dest_t* destinations = nullptr;
  const int count = cupsGetDests2(connection, &destinations);
  const cups_dest_t* chosen = cupsGetDest(nullptr, nullptr, count, destinations);
  std::string name = chosen != nullptr ? chosen->name : "";
  cupsFreeDests(count, destinations);
  return name;
}

// Closes the connection and cancels the job, so that a job the server did
// not accept whole is neither printed half nor left waiting.
void AbandonPrintJob() {
  const std::string destination = printJob.destination;
  const int jobId = printJob.jobId;
  DropPrintJob();
  cupsCancelJob2(CUPS_HTTP_DEFAULT, destination.c_str(), jobId, 0);
}

}  // namespace

PrintJobStart StartPrintJob(std::string_view documentName) {
  FinishPrintJob();
  printJob.connection =
      httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, kConnectTimeoutMs, nullptr);
  if (printJob.connection == nullptr) return PrintJobStart::NoServer;
  printJob.destination = DefaultDestination(printJob.connection);
  if (printJob.destination.empty()) {
    DropPrintJob();
    return PrintJobStart::NoDefaultDestination;
  }
  const std::string title = Utf8FromWindows1252(documentName);
  // No title at all rather than an empty one: the server then names the job.
  const char* jobName = title.empty() ? nullptr : title.c_str();
  printJob.jobId = cupsCreateJob(printJob.connection, printJob.destination.c_str(), jobName, 0, nullptr);
  if (printJob.jobId == 0) {
    DropPrintJob();
    return PrintJobStart::Refused;
  }
  if (cupsStartDocument(printJob.connection, printJob.destination.c_str(), printJob.jobId, jobName,
                        CUPS_FORMAT_RAW, 1) != HTTP_STATUS_CONTINUE) {
    AbandonPrintJob();
    return PrintJobStart::Refused;
  }
  return PrintJobStart::Started;
}

bool WritePrintJob(std::string_view bytes) {
  if (printJob.connection == nullptr) return false;
  if (bytes.empty()) return true;
  return cupsWriteRequestData(printJob.connection, bytes.data(), bytes.size()) == HTTP_STATUS_CONTINUE;
}

void FinishPrintJob() {
  if (printJob.connection == nullptr) return;
  const ipp_status_t status = cupsFinishDocument(printJob.connection, printJob.destination.c_str());
  if (status < IPP_STATUS_REDIRECTION_OTHER_SITE) {
    DropPrintJob();
  } else {
    AbandonPrintJob();
  }
}

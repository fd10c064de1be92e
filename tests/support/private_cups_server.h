// A private CUPS scheduler for tests: its configuration, spool, logs, socket
// and backend live in a temporary directory; the system's own CUPS is never
// touched. Its one backend, relevixout, appends each job to the file its
// device URI names ("relevixout:/path").
#pragma once

#include <sys/types.h>

#include <string>

#include "tests/support/test_support.h"

namespace testing_support {

class PrivateCupsServer {
 public:
  PrivateCupsServer() = default;
  PrivateCupsServer(const PrivateCupsServer&) = delete;
  PrivateCupsServer& operator=(const PrivateCupsServer&) = delete;
  ~PrivateCupsServer() { Stop(); }

  // Relevix's filter, copied into the server's own filter folder (the
  // scheduler runs filters as the user lp, who may not reach the build
  // tree), with its own copy of the installed data it reads (the settings
  // file and the code tables of dataFolder) where lp can read them, named
  // to it by RELEVIX_DATA_DIR; the copy's folder. Before Start.
  std::string AddRelevixFilter(const std::string& program, const std::string& dataFolder);

  // Starts cupsd, also on a TCP port of 127.0.0.1 when tcp is true; "" on
  // success, else why it cannot run here.
  std::string Start(bool tcp = false);

  std::string SocketPath() const { return dir_.File("cups.sock"); }
  // "127.0.0.1:PORT" after Start(true).
  std::string TcpAddress() const { return "127.0.0.1:" + std::to_string(port_); }
  std::string OutputFile() const { return dir_.File("saida-impressora"); }
  std::string ErrorLog() const { return ReadFile(dir_.File("log/error_log")); }

  // Adds the raw queue, enabled, and makes it the default destination.
  bool AddDefaultQueue(const std::string& queue) const;

  // Ends the scheduler, as a stopped print service does.
  void Stop();

 private:
  std::string WriteConfiguration(bool tcp);

  TempDir dir_;
  std::string filterData_;  // the filter's data folder; empty: no filter
  int port_ = 0;
  pid_t pid_ = -1;
};

}  // namespace testing_support

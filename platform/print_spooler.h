// The print spooler: raw jobs on the default CUPS destination. The bytes reach
// the printer unaltered; a raw job has no pages, so a form feed is simply a
// byte, which starts a new sheet on an embosser. One job at a time.
#pragma once

#include <string_view>

enum class PrintJobStart { Started, NoServer, NoDefaultDestination, Refused };

// Starts a raw job on the default destination, named documentName
// (Windows-1252). Anything but Started says why no job is open.
PrintJobStart StartPrintJob(std::string_view documentName);

// Sends bytes to the open job; true when the server took them all.
bool WritePrintJob(std::string_view bytes);

// Ends the open job and lets it print; a job the server does not accept to
// the end is cancelled. Nothing happens when no job is open.
void FinishPrintJob();

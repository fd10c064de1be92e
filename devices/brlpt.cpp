#include "devices/brlpt.h"

#include "devices/port_names.h"
#include "platform/byte_output.h"
#include "platform/parallel_port.h"

namespace {

struct ParallelWriterState {
  int descriptor = -1;
};

ParallelWriterState parallelWriter;

}  // namespace

bool OpenParallelPort(std::string_view name) {
  CloseParallelPort();
  parallelWriter.descriptor = OpenParallelDevice(PortDevicePath(name));
  return parallelWriter.descriptor >= 0;
}

bool WriteParallelPort(std::string_view bytes) {
  return parallelWriter.descriptor >= 0 && WriteAllBytes(parallelWriter.descriptor, bytes);
}

void CloseParallelPort() {
  CloseOutput(parallelWriter.descriptor);
  parallelWriter.descriptor = -1;
}

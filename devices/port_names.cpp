#include "devices/port_names.h"

#include <array>

#include "platform/suite_settings.h"

namespace {

struct PortName {
  std::string_view name;
  PortKind kind;
  std::string_view defaultPath;
};

constexpr std::array<PortName, 5> kPorts{{
    {"COM1", PortKind::Serial, "/dev/ttyS0"},
    {"COM2", PortKind::Serial, "/dev/ttyS1"},
    {"LPT1", PortKind::Parallel, "/dev/lp0"},
    {"LPT2", PortKind::Parallel, "/dev/lp1"},
    {"LPT3", PortKind::Parallel, "/dev/lp2"},
}};

const PortName* FindPort(std::string_view upperName) {
  for (const PortName& port : kPorts) {
    if (port.name == upperName) return &port;
  }
  return nullptr;
}

}  // namespace

PortKind PortKindOf(std::string_view upperName) {
  const PortName* port = FindPort(upperName);
  return port != nullptr ? port->kind : PortKind::None;
}

bool NamesNoSuchPort(std::string_view upperName) {
  for (const std::string_view prefix : {"COM", "LPT"}) {
    if (!upperName.starts_with(prefix) || upperName.size() == prefix.size()) continue;
    const std::string_view digits = upperName.substr(prefix.size());
    if (digits.find_first_not_of("0123456789") == std::string_view::npos) return FindPort(upperName) == nullptr;
  }
  return false;
}

std::string PortDevicePath(std::string_view upperName) {
  const PortName* port = FindPort(upperName);
  if (port == nullptr) return {};
  std::string configured = ReadSuiteSetting("RELEVIX", port->name);
  return configured.empty() ? std::string(port->defaultPath) : configured;
}

#include "tts/diphone_index.h"

#include <algorithm>

namespace {

unsigned Byte(std::string_view bytes, std::size_t at) { return static_cast<unsigned char>(bytes[at]); }

void PutLittleEndian(std::string& out, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

bool NameLess(const DiphoneRecord& record, std::string_view name) { return record.name < name; }

}  // namespace

std::vector<DiphoneRecord> ParseDiphoneIndex(std::string_view bytes) {
  std::vector<DiphoneRecord> records;
  records.reserve(bytes.size() / kDiphoneRecordSize);
  for (std::size_t at = 0; at + kDiphoneRecordSize <= bytes.size(); at += kDiphoneRecordSize) {
    DiphoneRecord record;
    const std::size_t length = std::min<std::size_t>(Byte(bytes, at), kDiphoneNameSize);
    record.name = std::string(bytes.substr(at + 1, length));
    record.sampleCount = static_cast<std::uint16_t>(Byte(bytes, at + 9) | Byte(bytes, at + 10) << 8);
    record.offset = Byte(bytes, at + 11) | Byte(bytes, at + 12) << 8 | Byte(bytes, at + 13) << 16 |
                    static_cast<std::uint32_t>(Byte(bytes, at + 14)) << 24;
    records.push_back(std::move(record));
  }
  std::stable_sort(records.begin(), records.end(),
                   [](const DiphoneRecord& a, const DiphoneRecord& b) { return a.name < b.name; });
  return records;
}

std::string EncodeDiphoneIndex(const std::vector<DiphoneRecord>& records) {
  std::string out;
  out.reserve(records.size() * kDiphoneRecordSize);
  for (const DiphoneRecord& record : records) {
    const std::string name = record.name.substr(0, kDiphoneNameSize);
    out += static_cast<char>(name.size());
    out += name;
    out.append(kDiphoneNameSize - name.size(), '\0');
    PutLittleEndian(out, record.sampleCount, 2);
    PutLittleEndian(out, record.offset, 4);
  }
  return out;
}

const DiphoneRecord* FindDiphone(const std::vector<DiphoneRecord>& records, std::string_view name) {
  const auto found = std::lower_bound(records.begin(), records.end(), name, NameLess);
  return found != records.end() && found->name == name ? &*found : nullptr;
}

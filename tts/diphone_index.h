// The unit index of the diphone translator: fixed 15-byte records (name
// length, 8 name bytes, 16-bit sample count, 32-bit offset into the samples
// file, little-endian), sorted by name. Read by the translator, written by
// the voice data generator.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct DiphoneRecord {
  std::string name;  // upper case, at most 8 characters
  std::uint16_t sampleCount = 0;
  std::uint32_t offset = 0;
};

inline constexpr std::size_t kDiphoneRecordSize = 15;
inline constexpr std::size_t kDiphoneNameSize = 8;

// Every whole record of the file's bytes (a trailing partial record is
// ignored; a name length above 8 is taken as 8), sorted by name so that a
// file written out of order still serves the binary search.
std::vector<DiphoneRecord> ParseDiphoneIndex(std::string_view bytes);

// The file bytes of the records, in the order given (names padded with
// zero bytes, longer names cut to 8 characters).
std::string EncodeDiphoneIndex(const std::vector<DiphoneRecord>& records);

// Binary search of records sorted by name; null when the name is absent.
const DiphoneRecord* FindDiphone(const std::vector<DiphoneRecord>& records, std::string_view name);

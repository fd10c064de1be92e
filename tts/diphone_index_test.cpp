#include <gtest/gtest.h>

#include "tts/diphone_index.h"

namespace {

TEST(DiphoneIndexTest, RecordsRoundTripThroughTheFileFormat) {
  const std::vector<DiphoneRecord> records = {{"$A", 2000, 0}, {"$KACIRC", 65535, 0x01020304}};
  const std::string bytes = EncodeDiphoneIndex(records);
  ASSERT_EQ(bytes.size(), 30u);
  EXPECT_EQ(bytes.substr(0, 3), std::string("\x02$A", 3));
  EXPECT_EQ(bytes.substr(3, 6), std::string(6, '\0')) << "names padded to 8 bytes";
  EXPECT_EQ(bytes.substr(9, 6), std::string("\xD0\x07\x00\x00\x00\x00", 6));
  EXPECT_EQ(bytes.substr(24, 6), std::string("\xFF\xFF\x04\x03\x02\x01", 6));

  const std::vector<DiphoneRecord> parsed = ParseDiphoneIndex(bytes);
  ASSERT_EQ(parsed.size(), 2u);
  EXPECT_EQ(parsed[1].name, "$KACIRC");
  EXPECT_EQ(parsed[1].sampleCount, 65535);
  EXPECT_EQ(parsed[1].offset, 0x01020304u);
}

TEST(DiphoneIndexTest, MalformedFilesStillGiveUsableRecords) {
  std::string bytes = EncodeDiphoneIndex({{"$ZE", 10, 20}, {"$BA", 30, 40}});
  bytes[15] = 12;  // a name length above 8
  bytes += "\x03$KO";  // a partial record
  const std::vector<DiphoneRecord> records = ParseDiphoneIndex(bytes);
  ASSERT_EQ(records.size(), 2u) << "the partial record is ignored";
  EXPECT_EQ(records[0].name, std::string("$BA\0\0\0\0\0", 8)) << "sorted, name cut to 8 bytes";
  EXPECT_EQ(records[1].name, "$ZE");
  EXPECT_NE(FindDiphone(records, "$ZE"), nullptr) << "found although the file was out of order";
  EXPECT_EQ(FindDiphone(records, "$Z"), nullptr);
}

}  // namespace

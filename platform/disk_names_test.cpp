#include "platform/disk_names.h"

#include <gtest/gtest.h>

namespace {

TEST(DiskNamesTest, NamesWithAWindows1252FormAreThatForm) {
  EXPECT_EQ(SystemNameFromDisk("Relat\xC3\xB3rio a\xC3\xA7\xC3\xA3o.txt"), "Relat\xF3rio a\xE7\xE3o.txt");
  EXPECT_EQ(SystemNameFromDisk("pre\xE2\x82\xAC?.txt"), "pre\x80?.txt");  // the euro sign is 0x80
  EXPECT_EQ(DiskNameFromSystem("Relat\xF3rio.txt"), "Relat\xC3\xB3rio.txt");
  EXPECT_EQ(ShownSystemName("Relat\xF3rio.txt"), "Relat\xF3rio.txt");
}

TEST(DiskNamesTest, OtherCharactersAndBadBytesAreCarriedAndComeBackExactly) {
  // "日本" and a stray byte 0xFF: shown as question marks, kept on the way back.
  const std::string disk = "nota \xE6\x97\xA5\xE6\x9C\xAC-\xFF.txt";
  const std::string system = SystemNameFromDisk(disk);
  EXPECT_EQ(system, "nota \x81" "E697A5;\x81" "E69CAC;-\x81" "FF;.txt");
  EXPECT_EQ(ShownSystemName(system), "nota ?" "?-?.txt");
  EXPECT_EQ(DiskNameFromSystem(system), disk);
  // U+0081 itself is carried, so it cannot be taken for the mark.
  EXPECT_EQ(DiskNameFromSystem(SystemNameFromDisk("a\xC2\x81" "41;")), "a\xC2\x81" "41;");
  // A lone 0x81 typed in the system is the control character it always was.
  EXPECT_EQ(DiskNameFromSystem("a\x81zz"), "a\xC2\x81zz");
  EXPECT_EQ(ShownSystemName("a\x81zz"), "a\x81zz");
}

}  // namespace

#include "platform/registry.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "tests/support/test_support.h"

using testing_support::ScopedEnv;
using testing_support::TempDir;
using testing_support::WriteFile;

TEST(RegistryTest, MbrolaDatabasesAreFoundInTheLinuxLayout) {
  TempDir dir;
  ScopedEnv databases("MBROLA_DATABASES", dir.path().c_str());
  mkdir(dir.File("br4").c_str(), 0755);
  WriteFile(dir.File("br4/br4"), "voice");
  WriteFile(dir.File("br1"), "voice");
  const auto br4 = ReadRegistryString(RegistryRoot::LocalMachine, "SOFTWARE\\TCTS\\Mbrola\\databases\\br4\\");
  ASSERT_TRUE(br4.has_value());
  EXPECT_EQ(*br4, dir.File("br4/br4"));
  // Key names compare without case; a database directly under the folder counts.
  EXPECT_EQ(ReadRegistryString(RegistryRoot::LocalMachine, "software\\tcts\\mbrola\\DATABASES\\br1\\"),
            dir.File("br1"));
  EXPECT_FALSE(ReadRegistryString(RegistryRoot::LocalMachine, "SOFTWARE\\TCTS\\Mbrola\\databases\\xx9\\"));
  EXPECT_FALSE(ReadRegistryString(RegistryRoot::LocalMachine, "SOFTWARE\\TCTS\\Mbrola\\databases\\..\\"));
  EXPECT_FALSE(ReadRegistryString(RegistryRoot::LocalMachine, "SOFTWARE\\TCTS\\Mbrola\\databases\\br4\\Path"));
  EXPECT_FALSE(ReadRegistryString(RegistryRoot::CurrentUser, "SOFTWARE\\TCTS\\Mbrola\\databases\\br4\\"));
  EXPECT_FALSE(ReadRegistryString(RegistryRoot::LocalMachine, "no separator"));
}

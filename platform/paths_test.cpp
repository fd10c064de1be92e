#include "platform/paths.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/test_support.h"

namespace {

using testing_support::ScopedCwd;
using testing_support::ScopedEnv;
using testing_support::TempDir;

TEST(PathsTest, SettingsDirectoryFollowsEnvironment) {
  {
    ScopedEnv windir("SONARA_WINDIR", "/srv/sonara/a\xC3\xA7\xC3\xA3o");  // UTF-8 "ação"
    EXPECT_EQ(SettingsDirectory(), "/srv/sonara/a\xE7\xE3o");
  }
  ScopedEnv windir("SONARA_WINDIR", nullptr);
  {
    ScopedEnv config("XDG_CONFIG_HOME", "/x/cfg/");
    EXPECT_EQ(SettingsDirectory(), "/x/cfg/sonara");
  }
  ScopedEnv home("HOME", "/home/jo\xC3\xA3o");
  {
    ScopedEnv config("XDG_CONFIG_HOME", "");
    EXPECT_EQ(SettingsDirectory(), "/home/jo\xE3o/.config/sonara");
  }
  ScopedEnv relative("XDG_CONFIG_HOME", "relative/cfg");
  EXPECT_EQ(SettingsDirectory(), "/home/jo\xE3o/.config/sonara");
}

TEST(PathsTest, StartupDirectoryIsCapturedOnce) {
  TempDir first;
  TempDir second;
  {
    ScopedCwd cwd(first.path());
    InitStartupDirectory();
  }
  ScopedCwd cwd(second.path());
  EXPECT_EQ(StartupDirectory(), std::filesystem::canonical(first.path()).string());
  InitStartupDirectory();
  EXPECT_EQ(StartupDirectory(), std::filesystem::canonical(second.path()).string());
}

TEST(PathsTest, DataDirectory) {
  {
    ScopedEnv data("RELEVIX_DATA_DIR", "/opt/dados");
    EXPECT_EQ(DataDirectory(), "/opt/dados");
  }
  // This test program runs from <build>/platform, so the build tree's data.
  ScopedEnv data("RELEVIX_DATA_DIR", nullptr);
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe");
  EXPECT_EQ(DataDirectory(), (executable.parent_path().parent_path() / "data").string());
}

TEST(PathsTest, LinuxPathResolvesWindowsPaths) {
  ScopedEnv data("RELEVIX_DATA_DIR", "/opt/dados");
  EXPECT_EQ(LinuxPath("c:\\sonarw\\som\\letras"), "/opt/dados/som/letras");
  EXPECT_EQ(LinuxPath("C:\\SONARW\\Som"), "/opt/dados/Som");
  EXPECT_EQ(LinuxPath("\\sonarw\\ambcode.cfg"), "/opt/dados/ambcode.cfg");
  EXPECT_EQ(LinuxPath("c:\\sonarw"), "/opt/dados");
  EXPECT_EQ(LinuxPath("\\ambcode2.cfg"), "/opt/dados/ambcode2.cfg");
  EXPECT_EQ(LinuxPath("c:\\sonarwx\\a"), "/opt/dados/sonarwx/a");
  EXPECT_EQ(LinuxPath("d:\\textos\\a.txt"), "/opt/dados/textos/a.txt");
  EXPECT_EQ(LinuxPath("d:relativo.txt"), "relativo.txt");
  // Linux paths and relative paths keep their place.
  EXPECT_EQ(LinuxPath("/home/u/a.txt"), "/home/u/a.txt");
  EXPECT_EQ(LinuxPath("/sonarw/a"), "/sonarw/a");
  EXPECT_EQ(LinuxPath("som\\letras"), "som/letras");
  EXPECT_EQ(LinuxPath("/home/u/x\\SONARA.INI"), "/home/u/x/SONARA.INI");
  EXPECT_EQ(LinuxPath("\\\\servidor\\pasta"), "//servidor/pasta");
  EXPECT_EQ(LinuxPath(""), "");
  // Windows-1252 in, UTF-8 out, the data directory's name included.
  EXPECT_EQ(LinuxPath("/tmp/a\xE7\xE3o.txt"), "/tmp/a\xC3\xA7\xC3\xA3o.txt");
  ScopedEnv accented("RELEVIX_DATA_DIR", "/opt/a\xC3\xA7\xC3\xA3o");
  EXPECT_EQ(LinuxPath("\\x.cfg"), "/opt/a\xC3\xA7\xC3\xA3o/x.cfg");
}

TEST(PathsTest, JoinPath) {
  EXPECT_EQ(JoinPath("a", "b"), "a/b");
  EXPECT_EQ(JoinPath("a/", "/b"), "a/b");
  EXPECT_EQ(JoinPath("c:\\dir\\", "x"), "c:\\dir/x");
  EXPECT_EQ(JoinPath("/", "b"), "/b");
  EXPECT_EQ(JoinPath("", "b"), "b");
  EXPECT_EQ(JoinPath("a", ""), "a");
}

TEST(PathsTest, FileExists) {
  TempDir dir;
  testing_support::WriteFile(dir.File("a\xC3\xA7\xC3\xA3o.txt"), "x");
  EXPECT_TRUE(FileExists(dir.path() + "/a\xE7\xE3o.txt"));
  EXPECT_FALSE(FileExists(dir.path() + "/missing.txt"));
  EXPECT_FALSE(FileExists(dir.path()));  // a directory is not a file
  EXPECT_FALSE(FileExists(""));
  EXPECT_TRUE(FileExists("/dev/null"));
  ScopedEnv data("RELEVIX_DATA_DIR", dir.path().c_str());
  EXPECT_TRUE(FileExists("c:\\sonarw\\a\xE7\xE3o.txt"));
}

TEST(PathsTest, ProgramOnPath) {
  TempDir dir;
  testing_support::WriteFile(dir.File("programa"), "#!/bin/sh\n");
  std::filesystem::permissions(dir.File("programa"), std::filesystem::perms::owner_exec,
                               std::filesystem::perm_options::add);
  std::filesystem::create_directory(dir.File("pasta"));
  std::filesystem::permissions(dir.File("pasta"), std::filesystem::perms::owner_exec, std::filesystem::perm_options::add);
  testing_support::WriteFile(dir.File("texto"), "x");
  ScopedEnv path("PATH", ("/nonexistent::" + dir.path()).c_str());
  EXPECT_TRUE(ProgramOnPath("programa"));
  EXPECT_FALSE(ProgramOnPath("pasta"));  // a directory is no program
  EXPECT_FALSE(ProgramOnPath("texto"));  // not executable
  EXPECT_FALSE(ProgramOnPath("sh"));
  EXPECT_TRUE(ProgramOnPath(dir.File("programa")));  // a path is looked at itself
  EXPECT_FALSE(ProgramOnPath(dir.File("texto")));
  // An empty entry is the current directory.
  ScopedCwd cwd(dir.path());
  ScopedEnv emptyEntry("PATH", "/nonexistent:");
  EXPECT_TRUE(ProgramOnPath("programa"));
}

}  // namespace

// The POSIX settings file behind TRegistry: where it lives, the text it holds, hand edits
// kept, damaged files set aside, failed writes that leave the old file, and two writers.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/Registry.h"
#include "platform/posix/RegistryFile.h"
#include "platform/posix/RegistryFileStore.h"

namespace {

namespace fs = std::filesystem;
using platform::ERegistryException;
using platform::RegistryFile;
using platform::RegistryFileStore;
using platform::TRegistry;

const char* const kKey = "Software\\Halvardyn\\Ombrelith\\Default";
const char* const kSection = "[HKEY_CURRENT_USER\\Software\\Halvardyn\\Ombrelith\\Default]\n";

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteText(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

template <typename Action>
std::string ErrorOf(Action action) {
  try {
    action();
  } catch (const ERegistryException& e) {
    return e.what();
  }
  return "(no error)";
}

class RegistryFileStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/ombrelith-registry-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    root_ = pattern;
    ::setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
    ::setenv("HOME", (root_ / "home").c_str(), 1);
    file_ = root_ / "config" / "Halvardyn" / "Ombrelith.reg";
  }
  void TearDown() override { fs::remove_all(root_); }

  fs::path root_;
  fs::path file_;
};

TEST_F(RegistryFileStoreTest, StoreLivesUnderTheUsersConfigFolder) {
  EXPECT_EQ(RegistryFileStore::DefaultPath(), file_.string());
  ::setenv("XDG_CONFIG_HOME", "relative/config", 1);  // not absolute: ignored
  EXPECT_EQ(RegistryFileStore::DefaultPath(),
            (root_ / "home/.config/Halvardyn/Ombrelith.reg").string());
  ::unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(RegistryFileStore::DefaultPath(),
            (root_ / "home/.config/Halvardyn/Ombrelith.reg").string());
  ::unsetenv("HOME");  // the password database's home folder then
  std::string fromPasswd = RegistryFileStore::DefaultPath();
  EXPECT_TRUE(fromPasswd.ends_with("/.config/Halvardyn/Ombrelith.reg")) << fromPasswd;
  EXPECT_NE(fromPasswd.find(root_.string()), 0u);
}

TEST_F(RegistryFileStoreTest, WritesPlainRegedit4Text) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(kKey, true));
  reg.WriteInteger("Left", -100);
  reg.WriteInteger("Top", 20);
  reg.WriteString("Path", "/home/u/data/");
  EXPECT_EQ(ReadText(file_), std::string("REGEDIT4\n\n") + kSection +
                                 "\"Left\"=dword:ffffff9c\n"
                                 "\"Top\"=dword:00000014\n"
                                 "\"Path\"=\"/home/u/data/\"\n");
  // Quotes and backslashes are escaped, other bytes kept raw, a line break goes into hex(1).
  reg.WriteString("Path", "/a\\\"b\xff/");
  EXPECT_NE(ReadText(file_).find("\"Path\"=\"/a\\\\\\\"b\xff/\"\n"), std::string::npos);
  reg.WriteString("Path", "/a\nb/");
  EXPECT_NE(ReadText(file_).find("\"Path\"=hex(1):2f,61,0a,62,2f,00\n"), std::string::npos);
  EXPECT_EQ(reg.ReadString("Path"), "/a\nb/");
  EXPECT_FALSE(fs::exists(file_.string() + ".tmp"));
}

TEST_F(RegistryFileStoreTest, HandEditedFileKeepsEverythingButTheValuesWritten) {
  const std::string head =
      "REGEDIT4\r\n"
      "; my settings, edited by hand\r\n"
      "\r\n"
      "[HKEY_CURRENT_USER\\Software\\Halvardyn\\Ombrelith\\Default]\r\n"
      "\"Colour\"=\"blue\"\r\n"
      "\"Left\"=dword:00000001\r\n";
  const std::string tail =
      "\"Blob\"=hex:00,01,\\\r\n"
      "  02\r\n"
      "\r\n"
      "; another program's key\r\n"
      "[HKEY_CURRENT_USER\\Software\\Other]\r\n"
      "\"Top\"=dword:00000009\r\n";
  WriteText(file_, head + tail);
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(kKey, false));
  reg.WriteInteger("Left", -1);
  reg.WriteInteger("Top", 3);
  std::string expected = head + tail;
  expected.replace(expected.find("\"Left\"=dword:00000001"), 21, "\"Left\"=dword:ffffffff");
  expected.insert(head.size() + tail.find("\r\n\r\n") + 2, "\"Top\"=dword:00000003\r\n");
  EXPECT_EQ(ReadText(file_), expected);
  EXPECT_EQ(reg.ReadString("Colour"), "blue");
}

TEST_F(RegistryFileStoreTest, OtherTypesReadAsTheWrongTypeNameTheValue) {
  WriteText(file_, std::string("REGEDIT4\n") + kSection +
                       "\"Path\"=hex:2f,61,00\n"
                       "\"Multi\"=hex(7):61,00,00\n"
                       "\"Exp\"=hex(2):25,48,25,00\n"
                       "\"Left\"=\"12\"\n"
                       "\"Top\"=hex(4):0a,00,00,00\n"
                       "\"Short\"=hex(4):0a,00\n"
                       "\"Big\"=hex(b):01,00,00,00,00,00,00,00\n");
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(kKey, false));
  EXPECT_EQ(ErrorOf([&] { reg.ReadString("Path"); }), "Invalid data type for 'Path'");
  EXPECT_EQ(ErrorOf([&] { reg.ReadString("Multi"); }), "Invalid data type for 'Multi'");
  EXPECT_EQ(reg.ReadString("Exp"), "%H%");  // not expanded
  EXPECT_EQ(ErrorOf([&] { reg.ReadInteger("Left"); }), "Invalid data type for 'Left'");
  EXPECT_EQ(reg.ReadInteger("Top"), 10);
  EXPECT_EQ(ErrorOf([&] { reg.ReadInteger("Short"); }), "Invalid data type for 'Short'");
  EXPECT_EQ(ErrorOf([&] { reg.ReadInteger("Big"); }), "Invalid data type for 'Big'");
}

TEST_F(RegistryFileStoreTest, DamagedFileReadsAsNoKeyAndIsKeptAsideOnTheNextSave) {
  const std::string good = std::string("REGEDIT4\n") + kSection + "\"Path\"=\"/home/u/data/\"\n";
  const std::string damaged[] = {
      good.substr(0, 30),                                        // cut inside the key's name
      good.substr(0, good.size() - 8),                           // cut inside the string
      std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\xfe", 18),  // binary garbage
      "",
  };
  std::vector<std::string> kept;
  for (const auto& bytes : damaged) {
    WriteText(file_, bytes);
    TRegistry reg;
    EXPECT_FALSE(reg.OpenKey(kKey, false));
    reg.CloseKey();
    ASSERT_TRUE(reg.OpenKey(kKey, true));
    reg.WriteInteger("Left", 5);
    EXPECT_EQ(ReadText(file_),
              std::string("REGEDIT4\n\n") + kSection + "\"Left\"=dword:00000005\n");
    EXPECT_EQ(reg.ReadInteger("Left"), 5);
    kept.push_back(bytes);
  }
  // Every damaged file is kept, the first as .bad, the later ones numbered.
  EXPECT_EQ(ReadText(file_.string() + ".bad"), kept[0]);
  for (std::size_t i = 1; i < kept.size(); ++i)
    EXPECT_EQ(ReadText(file_.string() + ".bad." + std::to_string(i)), kept[i]) << i;
  EXPECT_FALSE(fs::exists(file_.string() + ".bad." + std::to_string(kept.size())));
}

// Tests run as root, so a read-only folder does not stop a write. These make the write fail
// for real: a file-size limit (what a full disk does to write()), and a folder where the
// temporary file has to go.
TEST_F(RegistryFileStoreTest, FailedWriteNamesTheValueAndKeepsTheOldFile) {
  const std::string old = std::string("REGEDIT4\n") + kSection + "\"Path\"=\"/old/\"\n";
  const std::string temp = file_.string() + ".tmp";
  const struct {
    const char* what;
    void (*breakIt)(const std::string& temp);
    void (*mendIt)(const std::string& temp);
  } cases[] = {
      {"disk full",
       [](const std::string&) {
         ::signal(SIGXFSZ, SIG_IGN);
         rlimit limit{};
         ::getrlimit(RLIMIT_FSIZE, &limit);
         limit.rlim_cur = 64;
         ::setrlimit(RLIMIT_FSIZE, &limit);
       },
       [](const std::string&) {
         rlimit limit{};
         ::getrlimit(RLIMIT_FSIZE, &limit);
         limit.rlim_cur = limit.rlim_max;
         ::setrlimit(RLIMIT_FSIZE, &limit);
         ::signal(SIGXFSZ, SIG_DFL);
       }},
      {"temporary file blocked", [](const std::string& t) { fs::create_directories(t + "/x"); },
       [](const std::string& t) { fs::remove_all(t); }},
  };
  for (const auto& c : cases) {
    WriteText(file_, old);
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(kKey, true));
    c.breakIt(temp);
    std::string error = ErrorOf([&] { reg.WriteString("Path", std::string(200, 'p')); });
    c.mendIt(temp);
    EXPECT_TRUE(error.starts_with("Failed to set data for 'Path': ")) << c.what << ": " << error;
    EXPECT_EQ(ReadText(file_), old) << c.what;
    EXPECT_FALSE(fs::exists(temp)) << c.what;
    EXPECT_EQ(reg.ReadString("Path"), "/old/") << c.what;
  }
}

TEST_F(RegistryFileStoreTest, UnusableFolderOpensNothingAndWritesRaise) {
  WriteText(root_ / "plain-file", "not a folder");
  ::setenv("XDG_CONFIG_HOME", (root_ / "plain-file" / "config").c_str(), 1);
  TRegistry reg;
  EXPECT_FALSE(reg.OpenKey(kKey, false));
  EXPECT_FALSE(reg.OpenKey(kKey, true));
  EXPECT_EQ(ErrorOf([&] { reg.WriteInteger("Left", 1); }),
            "Failed to set data for 'Left': no registry key is open");
  EXPECT_EQ(ReadText(root_ / "plain-file"), "not a folder");
}

// Two processes write their own value over and over. Each change re-reads the file under the
// lock, so neither ever loses the other's latest value and the file always parses.
TEST_F(RegistryFileStoreTest, TwoWritersKeepBothValues) {
  const int rounds = 150;
  auto writer = [&](const char* name) -> int {
    for (int i = 0; i < rounds; ++i) {
      TRegistry reg;
      if (!reg.OpenKey(kKey, true)) return 2;
      try {
        reg.WriteInteger(name, i);
        if (reg.ReadInteger(name) != i) return 3;
      } catch (const std::exception&) {
        return 4;
      }
    }
    return 0;
  };
  pid_t children[2];
  const char* names[2] = {"Left", "Top"};
  for (int k = 0; k < 2; ++k) {
    children[k] = ::fork();
    ASSERT_GE(children[k], 0);
    if (children[k] == 0) ::_exit(writer(names[k]));
  }
  for (pid_t child : children) {
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
  }
  auto file = RegistryFile::Parse(ReadText(file_));
  ASSERT_TRUE(file);
  std::string key = std::string("HKEY_CURRENT_USER\\") + kKey;
  ASSERT_TRUE(file->Find(key, "Left") && file->Find(key, "Top"));
  EXPECT_EQ(*file->Find(key, "Left"), platform::RegistryValue::Dword(rounds - 1));
  EXPECT_EQ(*file->Find(key, "Top"), platform::RegistryValue::Dword(rounds - 1));
  EXPECT_EQ(file->Entries().size(), 2u);
}

}  // namespace

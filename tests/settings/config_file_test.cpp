#include "settings/config_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/file_error.h"
#include "core/settings_record.h"
#include "settings/defaults.h"

namespace glenmire {
namespace {

namespace fs = std::filesystem;

// A folder of its own for each test, removed afterwards.
class ConfigFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ =
        fs::temp_directory_path() / ("glenmire-config-" + std::string(info->name()) + "-" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(dir_, ec);
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  fs::path dir_;
};

// Every byte different, reserved stretches and the writer's file state too.
SettingsRecord Patterned(uint32_t seed) {
  SettingsRecord r = ZeroRecord();
  auto* bytes = reinterpret_cast<uint8_t*>(&r);
  for (std::size_t i = 0; i < sizeof r; ++i) {
    seed = seed * 1103515245u + 12345u;
    bytes[i] = static_cast<uint8_t>(seed >> 24);
  }
  return r;
}

std::vector<char> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::vector<char>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool Same(const SettingsRecord& a, const SettingsRecord& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST_F(ConfigFileTest, RoundTripCarriesAll4252BytesIncludingReservedOnes) {
  SettingsRecord saved = Patterned(7);
  std::string path = Path("round.gmp");
  SaveConfiguration(saved, path);

  std::vector<char> file = ReadAll(path);
  ASSERT_EQ(file.size(), kSettingsRecordSize);
  EXPECT_EQ(std::memcmp(file.data(), &saved, kSettingsRecordSize), 0);

  SettingsRecord loaded = Patterned(99);
  LoadConfiguration(loaded, path);
  EXPECT_TRUE(Same(loaded, saved));
  // Reserved bytes, spot-checked by offset.
  for (std::size_t offset : {305u, 319u, 1495u, 2248u, 2328u, 3486u, 3513u, 3581u, 3644u})
    EXPECT_EQ(reinterpret_cast<uint8_t*>(&loaded)[offset], reinterpret_cast<uint8_t*>(&saved)[offset]) << offset;
}

TEST_F(ConfigFileTest, SaveReplacesAnExistingFileWhole) {
  std::string path = Path("over.gmp");
  WriteBytes(path, std::vector<char>(10000, 'x'));
  SettingsRecord r = Patterned(3);
  SaveConfiguration(r, path);
  EXPECT_EQ(fs::file_size(path), kSettingsRecordSize);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);  // no temporary left
}

struct BadFile {
  const char* name;
  std::size_t size;
  const char* reasonPart;
};

TEST_F(ConfigFileTest, EmptyAndShortFilesFailAndLeaveTheRecordUnchanged) {
  const BadFile cases[] = {
      {"empty.gmp", 0, "empty"},
      {"one.gmp", 1, "too short"},
      {"half.gmp", 2126, "too short"},
      {"one_short.gmp", kSettingsRecordSize - 1, "too short"},
  };
  for (const BadFile& c : cases) {
    SCOPED_TRACE(c.name);
    std::string path = Path(c.name);
    WriteBytes(path, std::vector<char>(c.size, '\x11'));
    SettingsRecord r = Patterned(5);
    const SettingsRecord before = r;
    try {
      LoadConfiguration(r, path);
      ADD_FAILURE() << "loaded a file of " << c.size << " bytes";
    } catch (const FileError& e) {
      EXPECT_EQ(e.file(), path);
      EXPECT_NE(e.reason().find(c.reasonPart), std::string::npos) << e.reason();
      EXPECT_NE(std::string(e.what()).find(path), std::string::npos);
    }
    EXPECT_TRUE(Same(r, before));
  }
}

TEST_F(ConfigFileTest, LongerFileLoadsItsFirstRecord) {
  SettingsRecord saved = Patterned(11);
  std::vector<char> bytes(sizeof saved + 777, '\x42');
  std::memcpy(bytes.data(), &saved, sizeof saved);
  std::string path = Path("long.gmp");
  WriteBytes(path, bytes);
  SettingsRecord loaded = ZeroRecord();
  LoadConfiguration(loaded, path);
  EXPECT_TRUE(Same(loaded, saved));
}

TEST_F(ConfigFileTest, MissingFileSaysFileDoesNotExist) {
  for (std::string path : {Path("nothing.gmp"), Path("no_folder/nothing.gmp")}) {
    SCOPED_TRACE(path);
    SettingsRecord r = Patterned(13);
    const SettingsRecord before = r;
    try {
      LoadConfiguration(r, path);
      ADD_FAILURE() << "loaded a missing file";
    } catch (const FileError& e) {
      EXPECT_EQ(e.file(), path);
      EXPECT_EQ(e.reason(), "File does not exist.");
    }
    EXPECT_TRUE(Same(r, before));
  }
}

TEST_F(ConfigFileTest, FolderInsteadOfAFileFailsAndLeavesTheRecordUnchanged) {
  fs::create_directory(Path("folder.gmp"));
  SettingsRecord r = Patterned(17);
  const SettingsRecord before = r;
  EXPECT_THROW(LoadConfiguration(r, Path("folder.gmp")), FileError);
  EXPECT_TRUE(Same(r, before));
}

// Whether this process can write into a folder without write permission
// (root can: chmod does not stop it).
bool WritesIgnorePermissions(const fs::path& lockedDir) {
  fs::path probe = lockedDir / "probe";
  { std::ofstream out(probe); }
  bool wrote = fs::exists(probe);
  std::error_code ec;
  fs::remove(probe, ec);
  return wrote;
}

// Saves that cannot succeed must throw FileError naming the target, keep an
// existing file's bytes and leave no temporary file behind.
void ExpectFailedSaveKeeps(const std::string& target, const fs::path& dir, const std::vector<char>& old) {
  SettingsRecord r = Patterned(23);
  try {
    SaveConfiguration(r, target);
    ADD_FAILURE() << "the save succeeded";
  } catch (const FileError& e) {
    EXPECT_EQ(e.file(), target);
    EXPECT_FALSE(e.reason().empty());
  }
  EXPECT_EQ(ReadAll(target), old);
  std::size_t entries = std::distance(fs::directory_iterator(dir), fs::directory_iterator());
  EXPECT_EQ(entries, 1u) << "a temporary file was left behind";
}

TEST_F(ConfigFileTest, SaveIntoAReadOnlyFolderFailsAndKeepsTheOldFile) {
  fs::path folder = dir_ / "locked";
  fs::create_directory(folder);
  std::string target = (folder / "settings.gmp").string();
  SettingsRecord old = Patterned(29);
  SaveConfiguration(old, target);
  std::vector<char> oldBytes = ReadAll(target);

  fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec, fs::perm_options::replace);
  if (!WritesIgnorePermissions(folder)) {
    ExpectFailedSaveKeeps(target, folder, oldBytes);
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::replace);
    return;
  }
  // Running with the right to ignore permissions (root): the folder stays
  // writable, so make the write itself fail, as on a full disk, by a file
  // size limit smaller than a configuration.
  fs::permissions(folder, fs::perms::owner_all, fs::perm_options::replace);
  RecordProperty("read_only_folder", "privileged; failure provoked by a file size limit");
  struct rlimit saved {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 1000;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  ExpectFailedSaveKeeps(target, folder, oldBytes);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);
}

TEST_F(ConfigFileTest, SaveIntoAMissingFolderFails) {
  std::string target = Path("no_such_folder/settings.gmp");
  SettingsRecord r = Patterned(31);
  try {
    SaveConfiguration(r, target);
    ADD_FAILURE() << "the save succeeded";
  } catch (const FileError& e) {
    EXPECT_EQ(e.file(), target);
  }
  EXPECT_FALSE(fs::exists(Path("no_such_folder")));
}

TEST_F(ConfigFileTest, SaveOverAFolderFailsAndLeavesItAlone) {
  fs::path folder = dir_ / "target.gmp";
  fs::create_directory(folder);
  { std::ofstream(folder / "inside") << "kept"; }
  SettingsRecord r = Patterned(37);
  EXPECT_THROW(SaveConfiguration(r, folder.string()), FileError);
  EXPECT_TRUE(fs::is_directory(folder));
  EXPECT_TRUE(fs::exists(folder / "inside"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(ConfigFileTest, AFreshConfigurationCarriesNoMapFileName) {
  SettingsRecord r = ZeroRecord();
  MakeStarterConfiguration(r);
  SaveConfiguration(r, Path("starter.gmp"));
  SettingsRecord loaded = Patterned(41);
  LoadConfiguration(loaded, Path("starter.gmp"));
  EXPECT_TRUE(loaded.MapFileName.empty());
  EXPECT_EQ(loaded.SafetyMode, 1);
  EXPECT_TRUE(Same(loaded, r));
}

}  // namespace
}  // namespace glenmire

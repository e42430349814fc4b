// The one file writer and reader: what is not a regular file is never
// replaced or read, a replaced file keeps its mode, read-only files are refused.
#include "core/atomic_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <string>

#include "core/file_error.h"

namespace glenmire {
namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "glenmire-files-XXXXXX").string();
    dir_ = ::mkdtemp(pattern.data());
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static void Write(const std::string& path, const std::string& text) {
    WriteFileAtomically(path, text.data(), text.size());
  }
  static mode_t Mode(const std::string& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
  }
  // The folder holds exactly these names (no temporary file left behind).
  void ExpectOnly(std::initializer_list<std::string> names) const {
    std::size_t count = 0;
    for (const auto& entry : fs::directory_iterator(dir_)) {
      ++count;
      EXPECT_NE(std::find(names.begin(), names.end(), entry.path().filename().string()), names.end())
          << "left behind: " << entry.path();
    }
    EXPECT_EQ(count, names.size());
  }

  fs::path dir_;
};

TEST_F(AtomicFileTest, DevicesFifosAndLinksAreWrittenThroughNotReplaced) {
  Write("/dev/null", "discarded");
  EXPECT_TRUE(fs::is_character_file("/dev/null"));

  const std::string fifo = Path("pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  auto reader = std::async(std::launch::async, [&] { return Read(fifo); });
  Write(fifo, "through the pipe");
  EXPECT_EQ(reader.get(), "through the pipe");
  EXPECT_TRUE(fs::is_fifo(fifo));

  Write(Path("target.pud"), "old");
  fs::create_symlink("target.pud", Path("link.pud"));
  Write(Path("link.pud"), "new");
  EXPECT_TRUE(fs::is_symlink(Path("link.pud")));
  EXPECT_EQ(Read(Path("target.pud")), "new");

  fs::create_symlink("made-by-link.pud", Path("dangling.pud"));
  Write(Path("dangling.pud"), "made");
  EXPECT_TRUE(fs::is_symlink(Path("dangling.pud")));
  EXPECT_EQ(Read(Path("made-by-link.pud")), "made");
  ExpectOnly({"pipe", "target.pud", "link.pud", "dangling.pud", "made-by-link.pud"});
}

TEST_F(AtomicFileTest, ReplacedFilesKeepTheirModeAndReadOnlyOnesAreRefused) {
  const std::string kept = Path("kept.gmp");
  Write(kept, "first");
  ASSERT_EQ(::chmod(kept.c_str(), 0640), 0);
  Write(kept, "second");
  EXPECT_EQ(Read(kept), "second");
  EXPECT_EQ(Mode(kept), 0640u);

  const std::string locked = Path("locked.pud");
  Write(locked, "precious");
  ASSERT_EQ(::chmod(locked.c_str(), 0444), 0);
  try {
    Write(locked, "lost");
    ADD_FAILURE() << "a read-only file was replaced";
  } catch (const FileError& e) {
    EXPECT_EQ(e.file(), locked);
    EXPECT_NE(e.reason().find("read-only"), std::string::npos) << e.reason();
  }
  EXPECT_THROW(CheckWritable(locked), FileError);
  EXPECT_EQ(Read(locked), "precious");
  ExpectOnly({"kept.gmp", "locked.pud"});
}

TEST_F(AtomicFileTest, OutputsThatCannotBeWrittenAreRefusedBeforeAndWithoutTraces) {
  fs::create_directory(dir_ / "folder.pud");
  struct Row {
    std::string target;
    const char* reason;
  } rows[] = {
      {Path("no-such-folder/map.pud"), "does not exist"},
      {Path("folder.pud"), "folder"},
      {"", "no file name"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.target);
    for (bool checkOnly : {true, false}) {
      try {
        checkOnly ? CheckWritable(row.target) : Write(row.target, "bytes");
        ADD_FAILURE() << "accepted";
      } catch (const FileError& e) {
        EXPECT_EQ(e.file(), row.target);
        EXPECT_NE(e.reason().find(row.reason), std::string::npos) << e.reason();
      }
    }
  }
  CheckWritable(Path("fresh.pud"));  // fine, and creates nothing
  ExpectOnly({"folder.pud"});
}

TEST_F(AtomicFileTest, InputsThatAreNotRegularFilesAreRefusedAtOnce) {
  const std::string fifo = Path("pipe.gmp");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  fs::create_directory(dir_ / "folder.pud");
  struct Row {
    std::string path;
    const char* reason;
  } rows[] = {
      {fifo, "not a regular file"},
      {"/dev/zero", "not a regular file"},
      {Path("folder.pud"), "folder"},
      {Path("missing.pud"), kFileDoesNotExist},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.path);
    // A read that blocked on the pipe would never come back: give it a deadline.
    auto read = std::async(std::launch::async, [&] {
      try {
        ReadWholeFile(row.path, 1 << 20);
        return std::string("accepted");
      } catch (const FileError& e) {
        return e.reason();
      }
    });
    if (read.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
      ADD_FAILURE() << "the read blocked";
      ::close(::open(fifo.c_str(), O_WRONLY | O_NONBLOCK));  // let it go
      continue;
    }
    EXPECT_NE(read.get().find(row.reason), std::string::npos);
  }
  Write(Path("big.bin"), std::string(100, 'x'));
  EXPECT_THROW(ReadWholeFile(Path("big.bin"), 99), FileError);
  EXPECT_EQ(ReadFileStart(Path("big.bin"), 10).size(), 10u);
}

}  // namespace
}  // namespace glenmire

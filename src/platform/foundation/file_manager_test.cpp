#include "platform/foundation/file_manager.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <optional>

#include "platform/foundation/temporary_folder_test_support.h"

namespace orval::files {
namespace {

using foundation_testing::fileContents;

class FilesTest : public ::testing::Test {
 protected:
  static mode_t modeOf(const fs::path& path) {
    struct stat info {};
    lstat(path.c_str(), &info);
    return info.st_mode & 07777;
  }

  foundation_testing::TemporaryFolder folder_;
  const fs::path dir_ = folder_.path();
};

class ScopedUmask {
 public:
  explicit ScopedUmask(mode_t mask) : previous_(umask(mask)) {}
  ~ScopedUmask() { umask(previous_); }

 private:
  mode_t previous_;
};

TEST_F(FilesTest, ListsSortedNamesAndExplainsFailure) {
  for (const char* name : {"b", ".hidden", "C"}) folder_.write(name, "");
  fs::create_directory(dir_ / "a");
  EXPECT_EQ(contentsOfDirectory(dir_), (std::vector<std::string>{".hidden", "C", "a", "b"}));

  std::string error;
  EXPECT_EQ(contentsOfDirectory(dir_ / "missing", &error), std::nullopt);
  EXPECT_NE(error.find("No such file"), std::string::npos) << error;
}

TEST_F(FilesTest, ExistenceKindAndHiddenness) {
  const fs::path file = folder_.write("f", "x");
  fs::create_symlink(dir_ / "nowhere", dir_ / "dangling");
  EXPECT_FALSE(files::exists(dir_ / "dangling"));  // links are followed
  EXPECT_FALSE(isDirectory(file));
  EXPECT_EQ(std::tuple(isHidden(".profile"), isHidden("/x/.config/"), isHidden("/x/.config/name.pfj")),
            std::tuple(true, true, false));
  EXPECT_EQ(std::pair(isInvisible(folder_.write(".dot.pfj", "x")), isInvisible(file)), std::pair(true, false));
}

TEST_F(FilesTest, MoveAndCopyNeverReplace) {
  using Operation = bool (*)(const fs::path&, const fs::path&, std::string*);
  for (const auto& [name, operation] : {std::pair<std::string, Operation>{"move", moveItem}, {"copy", copyItem}}) {
    SCOPED_TRACE(name);
    const fs::path from = folder_.write(name + "-from", "new");
    const fs::path to = folder_.write(name + "-to", "old");
    std::string error;
    EXPECT_FALSE(operation(from, to, &error));
    EXPECT_NE(error.find("already exists"), std::string::npos) << error;
    EXPECT_EQ(fileContents(to), "old");
    EXPECT_TRUE(operation(from, dir_ / (name + "-free"), nullptr));
    EXPECT_EQ(fileContents(dir_ / (name + "-free")), "new");

    fs::create_directories(dir_ / name / "inner");
    fs::create_directory(dir_ / (name + "-occupied"));
    EXPECT_FALSE(operation(dir_ / name, dir_ / (name + "-occupied"), nullptr));  // not even over an empty folder
    EXPECT_FALSE(operation(dir_ / name, dir_ / name / "inner/deeper", nullptr));
    EXPECT_TRUE(isDirectory(dir_ / name / "inner"));
  }
}

TEST_F(FilesTest, MoveAcrossFileSystemsCopiesThenRemoves) {
  const fs::path other = "/dev/shm";
  struct stat here {}, there {};
  if (stat(dir_.c_str(), &here) != 0 || stat(other.c_str(), &there) != 0 || here.st_dev == there.st_dev)
    GTEST_SKIP() << "no second file system at " << other;
  fs::create_directories(dir_ / "tree/sub");
  folder_.write("tree/sub/leaf", "data");
  const fs::path target = other / ("orval-move-" + std::to_string(getpid()));
  EXPECT_TRUE(moveItem(dir_ / "tree", target));
  EXPECT_EQ(fileContents(target / "sub/leaf"), "data");
  EXPECT_FALSE(files::exists(dir_ / "tree"));

  folder_.write("again", "second");
  EXPECT_FALSE(moveItem(dir_ / "again", target));  // still no replacing
  EXPECT_EQ(fileContents(dir_ / "again"), "second");
  fs::remove_all(target);
}

TEST_F(FilesTest, CopiesAFolderTree) {
  fs::create_directories(dir_ / "tree/sub/deep");
  folder_.write("tree/top", "1");
  const fs::path leaf = folder_.write("tree/sub/deep/leaf", std::string("a\0b", 3));
  fs::permissions(leaf, fs::perms(0640));
  fs::permissions(dir_ / "tree/sub", fs::perms(0750));
  fs::create_symlink("../top", dir_ / "tree/sub/link");

  ASSERT_TRUE(copyItem(dir_ / "tree", dir_ / "copy"));
  EXPECT_EQ(fileContents(dir_ / "copy/sub/deep/leaf"), std::string("a\0b", 3));
  EXPECT_EQ(std::pair(modeOf(dir_ / "copy/sub/deep/leaf"), modeOf(dir_ / "copy/sub")), std::pair(0640u, 0750u));
  EXPECT_EQ(fs::read_symlink(dir_ / "copy/sub/link"), "../top");  // the link, not its target

  std::string error;
  EXPECT_FALSE(copyItem(dir_ / "tree", dir_ / "tree/sub/inner", &error));
  EXPECT_NE(error.find("into itself"), std::string::npos) << error;
}

TEST_F(FilesTest, FailedCopyLeavesNothingBehind) {
  fs::create_directories(dir_ / "tree/a");
  folder_.write("tree/a/file", "x");
  ASSERT_EQ(mkfifo((dir_ / "tree/z-pipe").c_str(), 0600), 0);  // copied after a/
  std::string error;
  EXPECT_FALSE(copyItem(dir_ / "tree", dir_ / "copy", &error));
  EXPECT_NE(error.find("z-pipe"), std::string::npos) << error;
  EXPECT_FALSE(files::exists(dir_ / "copy"));
}

TEST_F(FilesTest, RemovesFilesOnly) {
  const fs::path file = folder_.write("f", "x");
  EXPECT_TRUE(removeFile(file));
  EXPECT_FALSE(removeFile(file));  // gone
  fs::create_directory(dir_ / "folder");
  EXPECT_FALSE(removeFile(dir_ / "folder"));
  EXPECT_TRUE(isDirectory(dir_ / "folder"));
}

TEST_F(FilesTest, CreatesEveryLevelWithTheExactModeOrNone) {
  const ScopedUmask mask(022);  // would turn 0775 into 0755
  fs::create_directory(dir_ / "existing");
  fs::permissions(dir_ / "existing", fs::perms(0700));
  ASSERT_TRUE(createDirectory(dir_ / "existing/a/b/c/", 0775, true));
  EXPECT_EQ(modeOf(dir_ / "existing"), 0700u);  // levels that were there keep their mode
  EXPECT_EQ(std::pair(modeOf(dir_ / "existing/a"), modeOf(dir_ / "existing/a/b/c")), std::pair(0775u, 0775u));

  // A read-only mode still lets the deeper levels be made.
  ASSERT_TRUE(createDirectory(dir_ / "ro/x/y", 0555, true));
  EXPECT_EQ(std::pair(modeOf(dir_ / "ro"), modeOf(dir_ / "ro/x/y")), std::pair(0555u, 0555u));

  EXPECT_TRUE(createDirectory(dir_ / "single", 0710, false));
  EXPECT_EQ(modeOf(dir_ / "single"), 0710u);
  EXPECT_FALSE(createDirectory(dir_ / "single", 0710, false));
  EXPECT_FALSE(createDirectory(dir_ / "no/parent", 0755, false));

  // A failed creation takes back the levels it made.
  std::string error;
  EXPECT_FALSE(createDirectory(dir_ / "new/level" / std::string(300, 'n'), 0755, true, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(files::exists(dir_ / "new"));
}

TEST_F(FilesTest, ReadsOnlyRegularFilesAndNoneLargerThanTheirKindHolds) {
  const fs::path file = folder_.write("f", "contents");
  fs::create_symlink(file, dir_ / "link");
  EXPECT_EQ(readFile(dir_ / "link", FileKind{"note", 8}), "contents");  // a link is read through

  // A pipe and a device (that may never end) are refused unread, whatever their kind's limit. The pipe has no
  // writer: a blocking open of it would wait for ever, a read of it would answer "" at once.
  ASSERT_EQ(mkfifo((dir_ / "pipe").c_str(), 0600), 0);
  struct Refused {
    fs::path path;
    std::uintmax_t maxBytes;
    std::string reason;
  };
  const Refused refused[] = {
      {dir_ / "pipe", 1024, "it is not a regular file"},
      {"/dev/zero", 1024, "it is not a regular file"},
      {dir_, 1024, "it is a folder"},
      {file, 7, "it is larger than 7 bytes, more than any note holds"},
      {dir_ / "missing", 1024, "No such file"},
  };
  for (const Refused& row : refused) {
    std::string error;
    EXPECT_EQ(readFile(row.path, FileKind{"note", row.maxBytes}, &error), std::nullopt) << row.path;
    EXPECT_NE(error.find("Cannot read the note \"" + row.path.string() + "\": " + row.reason), std::string::npos)
        << error;
  }
}

TEST_F(FilesTest, AtomicWriteThroughALinkReplacesTheLinksTargetKeepingItsMode) {
  fs::create_directory(dir_ / "real");
  const fs::path target = folder_.write("real/t", "old");
  // Set-ID bits survive: the owner is given back before the mode, since a change of owner clears them.
  fs::permissions(target, fs::perms(06755));
  fs::create_symlink("real/t", dir_ / "link");  // relative, to the link's folder
  fs::create_symlink(dir_ / "link", dir_ / "chain");
  std::string error;
  ASSERT_TRUE(writeFileAtomically(dir_ / "chain", "new", &error)) << error;
  EXPECT_TRUE(fs::is_symlink(dir_ / "chain") && fs::is_symlink(dir_ / "link"));
  EXPECT_EQ(fileContents(target), "new");
  EXPECT_EQ(modeOf(target), 06755u);
  EXPECT_EQ(contentsOfDirectory(dir_ / "real"), (std::vector<std::string>{"t"}));  // no temporary left

  // A dangling link: the file it names is made when its folder exists, else nothing is.
  fs::create_symlink("real/made", dir_ / "dangling");
  {
    const ScopedUmask mask(027);
    ASSERT_TRUE(writeFileAtomically(dir_ / "dangling", "made", &error)) << error;
  }
  EXPECT_EQ(fileContents(dir_ / "real/made"), "made");
  EXPECT_EQ(modeOf(dir_ / "real/made"), 0640u);  // a new file has the usual mode, 0666 less the umask
  fs::create_symlink("gone/x", dir_ / "astray");
  EXPECT_FALSE(writeFileAtomically(dir_ / "astray", "x", &error));
  EXPECT_NE(error.find("a link to \"" + (dir_ / "gone/x").string() + "\", whose folder does not exist"),
            std::string::npos) << error;
  // Links that lead to each other lead nowhere.
  fs::create_symlink("loop2", dir_ / "loop1");
  fs::create_symlink("loop1", dir_ / "loop2");
  EXPECT_FALSE(writeFileAtomically(dir_ / "loop1", "x", &error));
  EXPECT_NE(error.find("symbolic links"), std::string::npos) << error;
  EXPECT_EQ(contentsOfDirectory(dir_),
            (std::vector<std::string>{"astray", "chain", "dangling", "link", "loop1", "loop2", "real"}));
}

TEST_F(FilesTest, AtomicCreationNeverReplaces) {
  std::string error;
  ASSERT_TRUE(createFileAtomically(dir_ / "new", "first", &error)) << error;
  EXPECT_FALSE(createFileAtomically(dir_ / "new", "second", &error));
  EXPECT_NE(error.find("already exists"), std::string::npos) << error;
  fs::create_symlink(dir_ / "nowhere", dir_ / "dangling");
  EXPECT_FALSE(createFileAtomically(dir_ / "dangling", "x"));  // a link holds the name too
  EXPECT_EQ(fileContents(dir_ / "new"), "first");
  EXPECT_EQ(contentsOfDirectory(dir_), (std::vector<std::string>{"dangling", "new"}));
}

TEST_F(FilesTest, FailedAtomicWriteLeavesEverythingAsItWas) {
  const fs::path file = folder_.write("existing", "old contents");
  std::string error;
  fs::create_directory(dir_ / "folder");
  EXPECT_FALSE(writeFileAtomically(dir_ / "folder", "x"));  // a folder is not replaced

  // The write itself fails: a file size limit binds root as well.
  {
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = previous;
    small.rlim_cur = 4;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool written = writeFileAtomically(file, std::string(100, 'z'), &error);
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
    EXPECT_NE(error.find("too large"), std::string::npos) << error;
  }
  EXPECT_EQ(fileContents(file), "old contents");
  EXPECT_EQ(contentsOfDirectory(dir_), (std::vector<std::string>{"existing", "folder"}));
}

}  // namespace
}  // namespace orval::files

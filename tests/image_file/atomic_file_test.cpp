// Files appear whole or not at all: every writer, on every failure, reports
// the reason and leaves the folder as it was; a file already at the path
// keeps its contents until the new one is complete.
#include "image_file/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "image_file/interrupt_cleanup.h"
#include "image_file/png_file.h"
#include "image_file/ppm_file.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/png_bytes.h"

namespace seedscape {
namespace {

using testing::Bytes;
using testing::FileSizeLimit;
using testing::ReadBytes;
using testing::ScratchDirectory;
using testing::WriteBytes;

// Several hundred kilobytes whatever the format, so that bytes reach the
// temporary file while the writer is still at work, not only when it ends.
const RgbImage& Picture() {
    static const RgbImage image = testing::RandomImage(400, 300, 77);
    return image;
}

Bytes SomeBytes() {
    Bytes bytes(700 * 1024);
    for (std::size_t k = 0; k < bytes.size(); ++k)
        bytes[k] = static_cast<unsigned char>(k * 31 / 7);
    return bytes;
}

// Each way of writing a file, and how to tell that what it wrote is whole.
struct Writer {
    const char* name;
    std::function<std::string(const std::string& path)> write;
    std::function<bool(const std::string& path)> is_whole;
};

void PrintTo(const Writer& value, std::ostream* out) {
    *out << value.name;
}

// AtomicFile fed in pieces of every size: empty, one byte, the largest it
// gathers and the smallest it writes straight through, and ones larger than
// its buffer, between small ones.
std::string WriteInPieces(const std::string& path) {
    const Bytes bytes = SomeBytes();
    AtomicFile file(path);
    std::size_t at = 0;
    for (const std::size_t piece :
         {0, 1, 1000, 64 * 1024 - 1, 64 * 1024, 200 * 1024, 1, 300 * 1024}) {
        file.Write(bytes.data() + at, piece);
        at += piece;
    }
    file.Write(bytes.data() + at, bytes.size() - at);
    return file.Commit();
}

std::vector<Writer> Writers() {
    return {
        {"Png",
         [](const std::string& path) { return WritePng(path, Picture(), {"seedscape/1 seed=1"}); },
         [](const std::string& path) { return ReadPngPixels(path).image == Picture(); }},
        {"Ppm", [](const std::string& path) { return WritePpm(path, Picture()); },
         [](const std::string& path) { return ReadBytes(path) == EncodePpm(Picture()); }},
        {"Bytes", [](const std::string& path) { return WriteFileAtomically(path, SomeBytes()); },
         [](const std::string& path) { return ReadBytes(path) == SomeBytes(); }},
        {"Pieces", WriteInPieces,
         [](const std::string& path) { return ReadBytes(path) == SomeBytes(); }},
    };
}

class AtomicWrite : public ::testing::TestWithParam<Writer> {};

TEST_P(AtomicWrite, MakesTheFileAndNothingElse) {
    const ScratchDirectory folder;
    ASSERT_EQ(GetParam().write(folder / "a"), "");
    EXPECT_TRUE(GetParam().is_whole(folder / "a"));
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"a"});
}

TEST_P(AtomicWrite, ReplacesAnExistingFile) {
    const ScratchDirectory folder;
    WriteBytes(folder / "a", Bytes(2'000'000, 'x'));
    ASSERT_EQ(GetParam().write(folder / "a"), "");
    EXPECT_TRUE(GetParam().is_whole(folder / "a"));
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"a"});
}

// A link at the path is replaced by the file; what it pointed to is left.
TEST_P(AtomicWrite, ReplacesASymbolicLinkWithoutFollowingIt) {
    const ScratchDirectory folder;
    WriteBytes(folder / "elsewhere", {'o', 'l', 'd'});
    std::filesystem::create_symlink(folder / "elsewhere", folder / "a");
    ASSERT_EQ(GetParam().write(folder / "a"), "");
    EXPECT_FALSE(std::filesystem::is_symlink(folder / "a"));
    EXPECT_TRUE(GetParam().is_whole(folder / "a"));
    EXPECT_EQ(ReadBytes(folder / "elsewhere"), (Bytes{'o', 'l', 'd'}));
}

// A path without a folder is in the working directory, and so is its
// temporary.
TEST_P(AtomicWrite, WritesARelativePath) {
    const ScratchDirectory folder;
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    const std::string error = GetParam().write("a");
    std::filesystem::current_path(before);
    ASSERT_EQ(error, "");
    EXPECT_TRUE(GetParam().is_whole(folder / "a"));
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"a"});
}

// Failures at each step: the temporary cannot be made (no such folder, a
// file in the folder's place), the data cannot all be written (a file size
// limit stops write() part way, as a full disk would; these tests may run as
// root, whom permissions do not stop), or the rename fails (a folder at the
// path). Each time the reason comes back, and the folder holds what it held.
struct Failure {
    const char* name;
    std::function<void(const ScratchDirectory&)> prepare;
    const char* path;
    const char* reason;
    std::vector<std::string> entries;  // the folder's entries, before and after
};

void PrintTo(const Failure& value, std::ostream* out) {
    *out << value.name;
}

std::vector<Failure> Failures() {
    return {
        {"FolderMissing",
         [](const ScratchDirectory&) {},
         "missing/a",
         "No such file or directory",
         {}},
        {"FolderIsAFile",
         [](const ScratchDirectory& folder) { WriteBytes(folder / "plain", {'x'}); },
         "plain/a",
         "Not a directory",
         {"plain"}},
        {"PathIsAFolder",
         [](const ScratchDirectory& folder) { std::filesystem::create_directory(folder / "a"); },
         "a",
         "Is a directory",
         {"a"}},
        {"FileSizeLimit",
         [](const ScratchDirectory& folder) {
             WriteBytes(folder / "a", {'o', 'l', 'd'});
         },
         "a",
         "File too large",
         {"a"}},
    };
}

class AtomicWriteFails : public ::testing::TestWithParam<std::tuple<Writer, Failure>> {};

TEST_P(AtomicWriteFails, WithTheReasonAndNothingLeftBehind) {
    const auto& [writer, failure] = GetParam();
    const ScratchDirectory folder;
    failure.prepare(folder);
    const Bytes old =
        std::filesystem::is_regular_file(folder / "a") ? ReadBytes(folder / "a") : Bytes();
    std::string reason;
    if (std::string(failure.name) == "FileSizeLimit") {
        const FileSizeLimit limit(100 * 1024);
        reason = writer.write(folder / failure.path);
    } else {
        reason = writer.write(folder / failure.path);
    }
    EXPECT_EQ(reason, failure.reason);
    EXPECT_EQ(folder.Entries(), failure.entries);
    if (std::filesystem::is_regular_file(folder / "a")) {
        EXPECT_EQ(ReadBytes(folder / "a"), old);
    }
    if (std::filesystem::is_directory(folder / "a")) {
        EXPECT_TRUE(std::filesystem::is_empty(folder / "a"));
    }
}

INSTANTIATE_TEST_SUITE_P(Writers, AtomicWrite, ::testing::ValuesIn(Writers()),
                         [](const ::testing::TestParamInfo<Writer>& info) {
                             return std::string(info.param.name);
                         });

INSTANTIATE_TEST_SUITE_P(Writers, AtomicWriteFails,
                         ::testing::Combine(::testing::ValuesIn(Writers()),
                                            ::testing::ValuesIn(Failures())),
                         [](const ::testing::TestParamInfo<std::tuple<Writer, Failure>>& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    std::get<1>(info.param).name;
                         });

// Given up, by Discard() or by going out of scope uncommitted (an error or an
// exception in the code that fills it), the file leaves nothing behind.
TEST(AtomicFile, UncommittedLeavesNothingBehind) {
    const ScratchDirectory folder;
    WriteBytes(folder / "a", {'o', 'l', 'd'});
    const Bytes bytes = SomeBytes();
    {
        AtomicFile file(folder / "a");
        ASSERT_TRUE(file.Write(bytes.data(), bytes.size()));
        EXPECT_TRUE(std::filesystem::exists(file.temporary_path()));
    }
    {
        AtomicFile file(folder / "a");
        ASSERT_TRUE(file.Write(bytes.data(), bytes.size()));
        file.Discard();
        EXPECT_FALSE(file.Write(bytes.data(), 1));
        EXPECT_NE(file.Commit(), "");
    }
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"a"});
    EXPECT_EQ(ReadBytes(folder / "a"), (Bytes{'o', 'l', 'd'}));
}

// After the first failure nothing more is written, and Commit() tells that
// failure, not a later one.
TEST(AtomicFile, KeepsTheFirstFailure) {
    const ScratchDirectory folder;
    const Bytes bytes = SomeBytes();
    AtomicFile file(folder / "a");
    {
        const FileSizeLimit limit(1000);
        EXPECT_FALSE(file.Write(bytes.data(), bytes.size()));
    }
    EXPECT_FALSE(file.ok());
    EXPECT_EQ(file.error(), "File too large");
    EXPECT_FALSE(file.Write(bytes.data(), 10));
    EXPECT_EQ(file.Commit(), "File too large");
    EXPECT_TRUE(folder.Entries().empty());
}

// A muxer goes back to fill in a size: bytes still gathered in the buffer
// reach the file before the seek, those written after it land where it
// points, and the end is found again.
TEST(AtomicFile, SeeksBackAndOnAfterWritingWhatIsGathered) {
    const ScratchDirectory folder;
    AtomicFile file(folder / "a");
    ASSERT_TRUE(file.Write("abcdef", 6));
    EXPECT_EQ(file.Seek(2, SEEK_SET), 2);
    ASSERT_TRUE(file.Write("XY", 2));
    EXPECT_EQ(file.Seek(-1, SEEK_CUR), 3);
    ASSERT_TRUE(file.Write("Z", 1));
    EXPECT_EQ(file.Seek(0, SEEK_END), 6);
    ASSERT_TRUE(file.Write("gh", 2));
    EXPECT_EQ(file.Commit(), "");
    EXPECT_EQ(ReadBytes(folder / "a"), (Bytes{'a', 'b', 'X', 'Z', 'e', 'f', 'g', 'h'}));
    EXPECT_EQ(file.Seek(0, SEEK_SET), -1);  // committed: nowhere to go
}

// Two files for the same path at once (two exports of one name) each get a
// temporary of their own; the one committed last wins, whole.
TEST(AtomicFile, TwoAtOnceDoNotShareATemporary) {
    const ScratchDirectory folder;
    AtomicFile first(folder / "a");
    AtomicFile second(folder / "a");
    EXPECT_NE(first.temporary_path(), second.temporary_path());
    ASSERT_TRUE(first.Write("first", 5));
    ASSERT_TRUE(second.Write("second", 6));
    EXPECT_EQ(first.Commit(), "");
    EXPECT_EQ(second.Commit(), "");
    EXPECT_EQ(ReadBytes(folder / "a"), (Bytes{'s', 'e', 'c', 'o', 'n', 'd'}));
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"a"});
}

// An interrupt part way through a file: the program still ends by the signal,
// as a shell expects, but first removes its temporaries, so the folder holds
// the old file, unchanged, and nothing else. A signal the program was started
// with ignored (as nohup does) stays ignored, and the write goes on.
struct Interrupt {
    const char* name;
    int signal_number;
    bool ignored_at_start;
};

void PrintTo(const Interrupt& value, std::ostream* out) {
    *out << value.name;
}

class InterruptedWrite : public ::testing::TestWithParam<Interrupt> {};

TEST_P(InterruptedWrite, LeavesTheOldFileAndNoTemporary) {
    const Interrupt row = GetParam();
    const ScratchDirectory folder;
    const Bytes old_bytes = {'o', 'l', 'd'};
    WriteBytes(folder / "a", old_bytes);
    const std::string path = folder / "a";
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (row.ignored_at_start) std::signal(row.signal_number, SIG_IGN);
        RemoveTemporariesOnInterrupt();
        AtomicFile file(path);
        file.Write(SomeBytes().data(), SomeBytes().size());
        raise(row.signal_number);
        _exit(file.Commit().empty() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    if (row.ignored_at_start) {
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
        EXPECT_EQ(ReadBytes(path), SomeBytes());
    } else {
        ASSERT_TRUE(WIFSIGNALED(status)) << status;
        EXPECT_EQ(WTERMSIG(status), row.signal_number);
        EXPECT_EQ(ReadBytes(path), old_bytes);
    }
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"a"});
}

INSTANTIATE_TEST_SUITE_P(Signals, InterruptedWrite,
                         ::testing::Values(Interrupt{"Sigint", SIGINT, false},
                                           Interrupt{"Sigterm", SIGTERM, false},
                                           Interrupt{"Sighup", SIGHUP, false},
                                           Interrupt{"SigtermIgnoredByNohup", SIGTERM, true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace seedscape

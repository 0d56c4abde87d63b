// A long batch of sources that all fail, each somewhere else (a missing
// source, bad settings, bad and missing bitmaps, frames errors, an output that
// cannot be written): after the first hundred, the process's open handles and
// its heap stay where they were. ZET_LEAK_SOURCES sets the batch's length.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "compiler/output/compile_source.h"
#include "compiler/output/test_files.h"
#include "compiler/output/test_platform.h"
#include "platform/win32_error.h"
#include "tests/leaks/process_resources.h"

namespace zet {
namespace {

constexpr int kWarmUp = 100;

int BatchLength() {
  const char* text = std::getenv("ZET_LEAK_SOURCES");
  return text != nullptr ? std::atoi(text) : 10000;
}

std::string N(int i) {
  return std::to_string(i);
}

// Four frames of 8 rows, unless `settings` says otherwise.
std::string Basis(const std::string& output, const std::string& settings = "FRAMEHEIGHT=8\r\n") {
  return "[basis]\r\nversion=11\r\noutput=" + output + "\r\nBITMAP=good.bmp\r\n" + settings;
}

// Frames that compile, with labels, so that the label table fills first.
std::string GoodFrames(int i) {
  return "FRAMES1=top" + N(i) + ": 0; loop: 1; prob 1 of 3 goto top" + N(i) +
         ";\r\nFRAMES2=goto loop;\r\n";
}

const char* const kBadBitmaps[] = {"short.bmp", "planes.bmp", "core.bmp",
                                   "rows.bmp",  "empty.bmp",  "folder.bmp"};
const char* const kBadOutputs[] = {"readonly.ztr", "held.ztr", "folder.ztr", "nofolder/out.ztr"};

// Source i of the batch; each kind of failure fails at a place of its own.
const std::vector<std::function<std::string(int)>> kFailures = {
    [](int i) { return "[basis]\r\nversion=" + N(10 + 2 * (i % 2)) + "\r\noutput=x.ztr\r\n"; },
    [](int) { return std::string("[basis]\r\nversion=11\r\nBITMAP=good.bmp\r\n"); },
    [](int i) { return "[basis]\r\nversion=11\r\noutput=o" + N(i) + ".ztr\r\n"; },
    [](int i) { return Basis("x.ztr") + "[STOP]\r\nBITMAP=missing" + N(i) + ".bmp\r\n"; },
    [](int i) {
      return Basis("x.ztr") + "[" + (i % 2 ? "ASTERISK" : "QUESTION") +
             "]\r\nBITMAP=" + kBadBitmaps[i / 11 % 6] + "\r\n";
    },
    [](int i) { return Basis("x.ztr", "FRAMEHEIGHT=" + N(33 + i % 100) + "\r\n"); },
    [](int i) {
      return Basis("x.ztr") + GoodFrames(i) + "[STOP]\r\nFRAMES1=a: 0; b: 1; goto a;\r\nFRAMES2=" +
             std::string(static_cast<size_t>(i % 40), ' ') + "repeat 1 for 0;\r\n";
    },
    [](int i) {
      return Basis("x.ztr") + GoodFrames(i) + "[QUESTION]\r\nFRAMES1=goto nowhere;\r\n";
    },
    [](int i) { return Basis("s" + N(i) + ".zts"); },  // the output would replace the source
    [](int i) { return Basis(kBadOutputs[i / 11 % 4]) + GoodFrames(i); },
};

class Inputs {
 public:
  explicit Inputs(const TestFolder& folder) : hold_(Made(folder)) {}

 private:
  static std::string Made(const TestFolder& folder) {
    WriteFile(folder.PathOf("good.bmp"), MakeBitmap(4, 32, 24));
    const std::string good = MakeBitmap(4, 32, 24);
    const struct {
      const char* name;
      size_t at;
      uint32_t value;
    } edits[] = {{"planes.bmp", 26, 2}, {"core.bmp", 14, 12}, {"rows.bmp", 22, 33}};
    for (const auto& edit : edits) {
      std::string bytes = good;
      Put32(bytes, edit.at, edit.value);
      WriteFile(folder.PathOf(edit.name), bytes);
    }
    WriteFile(folder.PathOf("short.bmp"), good.substr(0, 53));
    WriteFile(folder.PathOf("empty.bmp"), "");
    MakeFolder(folder.PathOf("folder.bmp"));
    MakeFolder(folder.PathOf("folder.ztr"));
    WriteFile(folder.PathOf("readonly.ztr"), "mine");
    SetReadOnly(folder.PathOf("readonly.ztr"), true);
    WriteFile(folder.PathOf("held.ztr"), "mine");
    return folder.PathOf("held.ztr");
  }

  ExclusiveHold hold_;  // another program writing held.ztr, all batch long
};

// The text of a failure; empty when the source compiled.
std::string Failure(const std::string& path) {
  try {
    CompileSourceFile(path.c_str());
  } catch (const std::string& message) {
    return message;
  } catch (const Win32Error& error) {
    return "Win32Error " + N(static_cast<int>(error.code));
  }
  return std::string();
}

// Writes and compiles source i; returns the text of its failure. One source
// in every few does not exist at all.
std::string FailSource(int i) {
  const std::string name = "s" + N(i) + ".zts";
  const size_t kind = static_cast<size_t>(i) % (kFailures.size() + 1);
  if (kind < kFailures.size()) {
    WriteFile(name, kFailures[kind](i));
  }
  const std::string failure = Failure(name);
  EXPECT_FALSE(failure.empty()) << name << " compiled";
  return failure;
}

TEST(FailingBatchTest, GivesBackEveryHandleAndTheHeap) {
  const int length = BatchLength();
  ASSERT_GT(length, kWarmUp);
  TestFolder folder;
  const Inputs inputs(folder);
  const CurrentFolderScope inFolder(folder.Path());
  std::set<std::string> failures;
  for (int i = 0; i <= static_cast<int>(kFailures.size()); ++i) {
    failures.insert(FailSource(i));
  }
  for (int i = static_cast<int>(failures.size()); i < kWarmUp; ++i) {
    FailSource(i);
  }
  const uint64_t handles = OpenHandleCount();
  const uint64_t heap = HeapInUse();
  for (int i = kWarmUp; i < length; ++i) {
    FailSource(i);
  }
  const uint64_t handlesAfter = OpenHandleCount();
  const uint64_t heapAfter = HeapInUse();
  EXPECT_EQ(handlesAfter, handles) << "after " << length << " sources";
  EXPECT_EQ(heapAfter, heap) << "after " << length << " sources";
  // Each kind of source failed with a message of its own.
  EXPECT_EQ(failures.size(), kFailures.size() + 1);
  printf("%d failing sources: %llu open handles, %llu heap bytes in use\n", length,
         static_cast<unsigned long long>(handles), static_cast<unsigned long long>(heap));
}

}  // namespace
}  // namespace zet

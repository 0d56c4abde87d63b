#include "compiler/shell/batch_driver.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "compiler/shell/log_buffer.h"
#include "platform/win32_error.h"

namespace zet {
namespace {

// Records which operations ran; a compile of a path in `failures` throws
// what the test put there.
class BatchDriverTest : public ::testing::Test {
 protected:
  void SetUp() override { LogBuffer.clear(); }

  bool Run(std::vector<std::string> args) {
    args.insert(args.begin(), "Zetcomp.exe");
    std::vector<char*> argv;
    for (auto& a : args) {
      argv.push_back(a.data());
    }
    ModeOperations operations;
    operations.installShell = [this] { calls.push_back("install"); };
    operations.uninstallShell = [this] { calls.push_back("uninstall"); };
    operations.compileSourceFile = [this](const char* path) {
      calls.push_back(std::string("compile ") + path);
      if (fail) {
        fail(path);
      }
    };
    operations.systemMessage = [](uint32_t code) {
      return code == 2 ? std::string("見つかりません。\r\n") : std::string();
    };
    operations.slashStartsPaths = slashStartsPaths;
    return RunBatch(static_cast<int>(argv.size()), argv.data(), operations);
  }

  std::vector<std::string> calls;
  bool slashStartsPaths = false;
  std::function<void(const std::string&)> fail;
};

TEST_F(BatchDriverTest, ChoosesOneModeFromTheOptions) {
  const struct {
    std::vector<std::string> args;
    std::vector<std::string> calls;
  } cases[] = {
      {{}, {}},
      {{"a.zts", "b.zts"}, {"compile a.zts", "compile b.zts"}},
      {{"-install", "-uninstall"}, {"install"}},
      {{"-uninstall", "-install"}, {"install"}},
      {{"/install"}, {"install"}},
      {{"/uninstall", "a.zts"}, {"uninstall"}},
      {{"-install", "a.zts"}, {"install"}},
      // Words that are not exactly an option word match nothing and are
      // never compiled as files.
      {{"-Install", "--install", "-installx", "-", "/", "/tmp/a.zts", "a.zts"}, {"compile a.zts"}},
  };
  for (const auto& c : cases) {
    calls.clear();
    LogBuffer.clear();
    EXPECT_FALSE(Run(c.args));
    EXPECT_EQ(calls, c.calls) << ::testing::PrintToString(c.args);
    if (c.calls.empty() || c.calls[0] != "compile a.zts") {
      EXPECT_EQ(LogBuffer.find("-"), std::string::npos) << "options leave no trace";
    }
  }
}

// The Linux program takes "/" for the start of a path, not of an option.
TEST_F(BatchDriverTest, SlashStartsAPathInTheLinuxProgram) {
  slashStartsPaths = true;
  const struct {
    std::vector<std::string> args;
    std::vector<std::string> calls;
  } cases[] = {
      {{"/home/u/a.zts"}, {"compile /home/u/a.zts"}},
      {{"/", "-x"}, {"compile /"}},
      {{"/install", "/home/u/a.zts"}, {"install"}},
      {{"/uninstall"}, {"uninstall"}},
      {{"/installx", "/Install"}, {"compile /installx", "compile /Install"}},
  };
  for (const auto& c : cases) {
    calls.clear();
    Run(c.args);
    EXPECT_EQ(calls, c.calls) << ::testing::PrintToString(c.args);
  }
}

TEST_F(BatchDriverTest, LogsProgressAndCompletionPerFile) {
  EXPECT_FALSE(Run({"a.zts", "-x", "dir\\b.zts"}));
  EXPECT_EQ(LogBuffer, "a.zts 処理中...\r\n完了。\r\ndir\\b.zts 処理中...\r\n完了。\r\n");
}

TEST_F(BatchDriverTest, TheFirstFailureStopsTheRunWithOneLine) {
  const struct {
    std::function<void()> raise;
    std::string line;
  } cases[] = {
      {[] { throw Win32Error{2}; }, "見つかりません。\r\n\r\n"},
      {[] { throw Win32Error{12345}; }, "\r\n"},
      {[] { throw std::string("[STOP]の処理中にエラーが発生しました。\r\nx\r\n"); },
       "[STOP]の処理中にエラーが発生しました。\r\nx\r\n\r\n"},
      {[] { throw std::string(); }, "\r\n"},
      {[] { throw std::runtime_error("x"); }, "エラーが発生したので処理を中断しました。\r\n"},
      {[] { throw 7; }, "エラーが発生したので処理を中断しました。\r\n"},
  };
  for (const auto& c : cases) {
    calls.clear();
    LogBuffer.clear();
    fail = [&c](const std::string& path) {
      if (path == "b.zts") {
        c.raise();
      }
    };
    EXPECT_TRUE(Run({"a.zts", "b.zts", "c.zts"}));
    EXPECT_EQ(calls, (std::vector<std::string>{"compile a.zts", "compile b.zts"}));
    EXPECT_EQ(LogBuffer, "a.zts 処理中...\r\n完了。\r\nb.zts 処理中...\r\n" + c.line);
  }
}

TEST_F(BatchDriverTest, AFailingInstallationKeepsTheLogOfThisRun) {
  fail = nullptr;
  ModeOperations operations;
  operations.installShell = [] {
    AppendLog("partial\r\n");
    throw Win32Error{5};
  };
  operations.systemMessage = [](uint32_t) { return std::string("拒否されました。\r\n"); };
  char program[] = "Zetcomp.exe";
  char option[] = "-install";
  char* argv[] = {program, option};
  EXPECT_TRUE(RunBatch(2, argv, operations));
  EXPECT_EQ(LogBuffer, "partial\r\n拒否されました。\r\n\r\n");
}

}  // namespace
}  // namespace zet

// The run-time's core on real files: every file it is handed opens or is
// refused without harm, and a box shows, moment by moment, the frame that
// zetplay's run shows then, counting the steps as zetplay's trace does.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "player/kind_player.h"
#include "reader/test_content.h"
#include "runtime/box.h"
#include "runtime/box_animation.h"
#include "runtime/messages.h"

namespace zetrt {
namespace {

std::vector<uint8_t> BytesOf(const std::string& path) {
  const std::string text = zetreader::ReadTestFile(path);
  return {text.begin(), text.end()};
}

TEST(BoxAnimation, ShowsWhatZetplaysRunShowsAtEachMoment) {
  const std::unique_ptr<ZetMessages> messages = OpenMessages(BytesOf(std::getenv("ZET_EXAMPLE")));
  for (uint64_t seed : {1, 2, 99}) {
    for (int kind = 0; kind < zetreader::kKindCount; ++kind) {
      zetplay::Settings settings;
      settings.seed = seed;
      zetplay::KindPlayer player(messages->bytes, messages->file, settings);
      const zetplay::PlayedKind play = player.Play(kind);
      BoxAnimation animation(messages->file.kinds[kind], play.frameMs, seed);
      uint64_t shown = 0;
      for (const zetplay::Step& step : play.run.steps) {
        if (step.frame < 0) {
          continue;
        }
        ++shown;
        // The first and the last moment of the step, as a clock may hit them.
        for (int64_t at : {step.time, step.time + step.duration - 1}) {
          ASSERT_EQ(animation.FrameAt(at), step.frame) << kind << " at " << at;
          ASSERT_EQ(animation.shownSteps(), shown) << kind << " at " << at;
        }
      }
    }
  }
}

// A clock that jumps ahead passes steps over and counts them.
TEST(BoxAnimation, KeepsUpWithTheClock) {
  const std::unique_ptr<ZetMessages> messages = OpenMessages(BytesOf(std::getenv("ZET_EXAMPLE")));
  zetplay::Settings settings;
  zetplay::KindPlayer player(messages->bytes, messages->file, settings);
  const zetplay::PlayedKind play = player.Play(4);
  BoxAnimation animation(messages->file.kinds[4], play.frameMs, 1);
  uint64_t shown = 0;
  const zetplay::Step* last = nullptr;
  for (const zetplay::Step& step : play.run.steps) {
    if (step.frame >= 0) {
      ++shown;
      last = &step;
    }
  }
  ASSERT_GT(shown, 2u);
  EXPECT_EQ(animation.FrameAt(last->time), last->frame);
  EXPECT_EQ(animation.shownSteps(), shown);
}

TEST(BoxText, AddsTheSuffixOnALineOfItsOwn) {
  zetreader::FileContent content = zetreader::WorkedLayout();
  content.kinds[2].message = u"本文";
  content.kinds[2].suffix = u"(続き)";
  const std::unique_ptr<ZetMessages> messages =
      OpenMessages(zetreader::LayOutCompiledFile(content));
  const struct {
    int kind;
    const char16_t* text;
    std::u16string shown;
  } cases[] = {
      {2, nullptr, u"本文\n(続き)"},
      {2, u"あなたの", u"あなたの\n(続き)"},
      {2, u"", u"(続き)"},
      {0, nullptr, u""},
      {0, u"x", u"x"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BoxText(*messages, c.kind, c.text), c.shown);
  }
  EXPECT_EQ(KindOfType(0x24), 4);  // MB_YESNO | MB_ICONQUESTION
  EXPECT_EQ(KindOfType(0x80), 0);  // MB_USERICON: NOICON's animation
}

// Every file of the corpora opens or is refused with a fault, never harm.
TEST(OpenMessages, RefusesOrOpensEveryHostileFile) {
  int opened = 0, refused = 0;
  for (const auto& entry :
       std::filesystem::recursive_directory_iterator(std::getenv("ZET_CORPUS"))) {
    if (!entry.is_regular_file()) {
      continue;
    }
    try {
      OpenMessages(BytesOf(entry.path().string()));
      ++opened;
    } catch (const zetreader::FileFault&) {
      ++refused;
    }
  }
  EXPECT_GT(opened, 0);
  EXPECT_GT(refused, 0);
}

}  // namespace
}  // namespace zetrt

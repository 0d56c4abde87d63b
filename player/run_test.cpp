// The model of the run-time on frame code written byte by byte: what is
// shown for how long, how the run ends, what the exports hold, and the
// loops that would hang a player.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "player/animation.h"
#include "player/run.h"
#include "reader/frame_code.h"
#include "reader/test_content.h"

namespace zetplay {
namespace {

using Bytes = std::vector<uint8_t>;

using zetreader::Assemble;
using zetreader::FrameOp;

Bytes F(uint16_t n) {
  return Assemble({{FrameOp::Frame, {n}}});
}  // 3 bytes
Bytes R(uint16_t f, uint16_t n) {
  return Assemble({{FrameOp::Repeat, {f, n}}});
}  // 5
Bytes For(uint16_t a, uint16_t b) {
  return Assemble({{FrameOp::For, {a, b}}});
}  // 5
Bytes G(uint16_t to) {
  return Assemble({{FrameOp::Goto, {to}}});
}  // 3
Bytes P(uint16_t p, uint16_t q, uint16_t to) {
  return Assemble({{FrameOp::Prob, {p, q, to}}});
}  // 7

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes code;
  for (const Bytes& part : parts) {
    code.insert(code.end(), part.begin(), part.end());
  }
  return code;
}

std::vector<zetreader::Instruction> Decode(const Bytes& code) {
  const zetreader::FileBytes bytes{Bytes(code)};
  return zetreader::DecodeFrameCode(bytes, 0, static_cast<uint32_t>(code.size()), 4, "test");
}

std::string ShotsText(const std::vector<Shot>& shots) {
  std::string text;
  for (const Shot& shot : shots) {
    text += (text.empty() ? "" : " ") + std::to_string(shot.frame) + ":" + std::to_string(shot.ms);
  }
  return text;
}

std::string StepsText(const Run& run) {
  std::vector<Shot> shots;
  for (const Step& step : run.steps) {
    if (step.frame >= 0) {
      shots.push_back({step.frame, step.duration});
    }
  }
  return ShotsText(shots);
}

struct Case {
  const char* name;
  Bytes code;
  int64_t maxMs;
  bool loop;
  const char* shown;  // every frame the run shows, frame:ms
  Ending ending;
  int64_t cycleFrom;    // Cycles: time of the first repeating step
  const char* export_;  // what the exports hold, merged
  bool loops;
};

TEST(PlayCode, FollowsTheCode) {
  const Case cases[] = {
      {"a: 0; 1; goto a;", Join({F(0), F(1), G(0)}), 10000, false, "0:100 1:100", Ending::Cycles, 0,
       "0:100 1:100", true},
      {"repeat 2 for 3; for 3 to 1;", Join({R(2, 3), For(3, 1)}), 10000, false,
       "2:300 3:100 2:100 1:100", Ending::Ends, 0, "2:300 3:100 2:100 1:100", false},
      {"0; 0; for 1 to 1;", Join({F(0), F(0), For(1, 1)}), 10000, false, "0:100 0:100 1:100",
       Ending::Ends, 0, "0:200 1:100", false},
      {"(empty)", {}, 10000, false, "", Ending::Still, 0, "0:0", false},
      {"goto end; 0; end:", Join({G(6), F(0)}), 10000, true, "", Ending::Still, 0, "0:0", false},
      {"0; with --loop", F(0), 10000, true, "0:100", Ending::Cycles, 0, "0:100", true},
      // The lead-in ends as the cycle ends: the same animation, one cycle.
      {"0; a: 1; 0; goto a;", Join({F(0), F(1), F(0), G(3)}), 10000, false, "0:100 1:100 0:100",
       Ending::Cycles, 100, "0:100 1:100", true},
      // A lead-in of its own: it and the cycle up to maxMs.
      {"2; a: 0; 1; goto a;", Join({F(2), F(0), F(1), G(3)}), 1000, false, "2:100 0:100 1:100",
       Ending::Cycles, 100, "2:100 0:100 1:100 0:100 1:100 0:100 1:100 0:100 1:100 0:100 1:100",
       true},
      // Cut runs that never go back to their start play once: a loop would
      // show 0 after 3, which the code never does.
      {"0; 3; repeat 0 for 65535;", Join({F(0), F(3), R(0, 65535)}), 10000, true,
       "0:100 3:100 0:9800", Ending::Cut, 0, "0:100 3:100 0:9800", false},
      {"for 0 to 3; cut inside", For(0, 3), 250, false, "0:100 1:100 2:50", Ending::Cut, 0,
       "0:100 1:100 2:50", false},
      {"0; 1; ends right at maxMs", Join({F(0), F(1)}), 200, false, "0:100 1:100", Ending::Ends, 0,
       "0:100 1:100", false},
      // A certain jump draws nothing, so the state still repeats.
      {"a: 0; prob 3 of 3 goto a;", Join({F(0), P(3, 3, 0)}), 10000, false, "0:100", Ending::Cycles,
       0, "0:100", true},
  };
  for (const Case& c : cases) {
    RunSettings settings;
    settings.maxMs = c.maxMs;
    settings.loop = c.loop;
    const zetplay::Run run =
        PlayCode(Decode(c.code), static_cast<uint32_t>(c.code.size()), settings);
    EXPECT_EQ(StepsText(run), c.shown) << c.name;
    EXPECT_EQ(run.ending, c.ending) << c.name;
    if (c.ending == Ending::Cycles) {
      EXPECT_EQ(run.steps[run.cycleStep].time, c.cycleFrom) << c.name;
    }
    const Animation animation = AnimationOf(run, c.maxMs);
    EXPECT_EQ(ShotsText(animation.shots), c.export_) << c.name;
    EXPECT_EQ(animation.loops, c.loops) << c.name;
  }
}

TEST(PlayCode, RandomRunsAreCutAndReproducible) {
  const Bytes code = Join({F(0), P(1, 2, 0), F(1), G(0)});  // a: 0; prob 1 of 2 goto a; 1; goto a;
  RunSettings settings;
  settings.seed = 7;
  const zetplay::Run first = PlayCode(Decode(code), static_cast<uint32_t>(code.size()), settings);
  const zetplay::Run again = PlayCode(Decode(code), static_cast<uint32_t>(code.size()), settings);
  EXPECT_EQ(first.ending, Ending::Cut);
  EXPECT_EQ(first.length, 10000);
  EXPECT_EQ(StepsText(first), StepsText(again));
  EXPECT_GT(first.draws, 50);
  settings.seed = 8;
  EXPECT_NE(StepsText(PlayCode(Decode(code), static_cast<uint32_t>(code.size()), settings)),
            StepsText(first));
}

// Where a cut run's steps go back to offset 0 (a jump there, or the end of
// the code with --loop), with a frame shown before: its export must stop at
// the last such step, or play once where there is none.
TEST(PlayCode, CutRunsLoopOnlyWhereTheCodeGoesBackToItsStart) {
  // a: 0; prob 1 of 2 goto a; 1; prob 1 of 4 goto a; repeat 2 for N;
  const auto code = [](uint16_t n) { return Join({F(0), P(1, 2, 0), F(1), P(1, 4, 0), R(2, n)}); };
  const struct {
    Bytes code;
    bool loop;
  } cases[] = {{code(100), false}, {code(5), true}};
  int looping = 0, once = 0;
  for (const auto& c : cases) {
    for (uint64_t seed = 1; seed <= 40; ++seed) {
      RunSettings settings;
      settings.maxMs = 3000;
      settings.loop = c.loop;
      settings.seed = seed;
      const zetplay::Run run =
          PlayCode(Decode(c.code), static_cast<uint32_t>(c.code.size()), settings);
      ASSERT_EQ(run.ending, Ending::Cut) << seed;
      int64_t time = 0, restart = -1;
      for (const Step& step : run.steps) {
        time += step.duration;
        const bool back = step.next == 0 || (c.loop && step.next == c.code.size());
        if (time > 0 && time < settings.maxMs && back) {
          restart = time;
        }
      }
      const Animation animation = AnimationOf(run, settings.maxMs);
      EXPECT_EQ(animation.loops, restart >= 0) << seed;
      EXPECT_EQ(animation.Length(), restart >= 0 ? restart : 3000) << seed;
      if (!animation.loops) {
        EXPECT_EQ(animation.shots.back().frame, 2) << seed;
      }
      ++(animation.loops ? looping : once);
    }
  }
  EXPECT_GT(looping, 0);
  EXPECT_GT(once, 0);
}

TEST(PlayCode, RefusesLoopsThatShowNothing) {
  const struct {
    const char* name;
    Bytes code;
    std::vector<uint32_t> offsets;
  } cases[] = {
      {"a: goto a;", G(0), {0}},
      {"0; a: goto b; b: goto a;", Join({F(0), G(6), G(3)}), {3, 6}},
      // Random, so no state repeats: the 100,000 instructions decide.
      {"a: prob 1 of 2 goto a; goto a;", Join({P(1, 2, 0), G(0)}), {0, 7}},
  };
  for (const auto& c : cases) {
    try {
      PlayCode(Decode(c.code), static_cast<uint32_t>(c.code.size()), RunSettings());
      ADD_FAILURE() << c.name << " played";
    } catch (const HangFault& fault) {
      EXPECT_EQ(fault.offsets, c.offsets) << c.name;
    }
  }
}

}  // namespace
}  // namespace zetplay

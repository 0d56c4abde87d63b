#include "platform/unique_resource.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace zet {
namespace {

std::vector<int> closed;

struct CountedTraits {
  using Value = int;
  static int Invalid() noexcept { return -1; }
  static void Close(int value) noexcept { closed.push_back(value); }
};
using Owner = UniqueResource<CountedTraits>;

// Each value is released exactly once, by whoever holds it last.
TEST(UniqueResourceTest, ReleasesEachValueOnceWhateverTheOwnershipDoes) {
  const struct {
    const char* what;
    std::function<void()> run;
    std::vector<int> closed;
  } cases[] = {
      {"scope end", [] { Owner a(1); }, {1}},
      {"failure value",
       [] {
         Owner a;
         Owner b(-1);
       },
       {}},
      {"move",
       [] {
         Owner a(1);
         Owner b(std::move(a));
       },
       {1}},
      {"move assign",
       [] {
         Owner a(1);
         Owner b(2);
         b = std::move(a);
       },
       {2, 1}},
      {"release",
       [] {
         Owner a(1);
         (void)a.Release();
       },
       {}},
      {"reset",
       [] {
         Owner a(1);
         a.Reset(2);
       },
       {1, 2}},
      {"receiver",
       [] {
         Owner a(1);
         *a.Receiver() = 3;
       },
       {1, 3}},
      {"close twice",
       [] {
         Owner a(1);
         a.Close();
         a.Close();
       },
       {1}},
  };
  for (const auto& c : cases) {
    closed.clear();
    c.run();
    EXPECT_EQ(closed, c.closed) << c.what;
  }
}

}  // namespace
}  // namespace zet

#include "compiler/frames/label_table.h"

#include <gtest/gtest.h>

#include <vector>

#include "compiler/frames/code_buffer.h"

namespace zet {
namespace {

std::vector<uint8_t> Bytes(const CodeBuffer& code) {
  return std::vector<uint8_t>(code.Bytes(), code.Bytes() + code.Length());
}

TEST(LabelTableTest, ResolvesReferencesBeforeAndAfterTheDefinition) {
  CodeBuffer code;
  const std::vector<uint8_t> zeros(10, 0);
  code.Append(zeros.data(), 10);
  LabelTable labels;
  labels.Reference("a", 1, 1, 6);  // forward
  labels.Define("a", 0x0104);
  labels.Reference("a", 4, 2, 6);  // backward
  labels.Define("A", 0);
  labels.Reference("A", 7, 3, 6);
  labels.Resolve(code);
  EXPECT_EQ(Bytes(code), (std::vector<uint8_t>{0, 4, 1, 0, 4, 1, 0, 0, 0, 0}));
  EXPECT_EQ(labels.Count(), 2);
  EXPECT_EQ(labels.FirstUndefined(), nullptr);
}

TEST(LabelTableTest, FirstUndefinedIsTheEarliestReferencedNameWithItsFirstReference) {
  LabelTable labels;
  labels.FindOrAdd("unused");  // neither defined nor referenced
  labels.Reference("x", 0, 1, 9);
  labels.Reference("y", 3, 2, 4);
  labels.Reference("y", 6, 3, 1);
  labels.Define("x", 9);
  const LabelEntry* missing = labels.FirstUndefined();
  ASSERT_NE(missing, nullptr);
  EXPECT_EQ(missing->name, "y");
  EXPECT_EQ(missing->referenceLine, 2);
  EXPECT_EQ(missing->referenceColumn, 4);
}

}  // namespace
}  // namespace zet

#include "lint/frame_flow.h"

#include <algorithm>
#include <utility>

#include "compiler/common/format_string.h"
#include "compiler/frames/frame_code.h"

namespace zetlint {
namespace {

using zet::FrameOperand;
using zet::kFrameOpcodes;
using Instruction = zet::FrameInstruction;

constexpr size_t kMostRanges = 8;

// The instructions of the code and, for every node, where control goes next.
// Node n (one past the last instruction) is the end of the code.
class FlowGraph {
 public:
  FlowGraph(const uint8_t* code, uint32_t length) : nodeAt_(length + 1, -1) {
    for (uint32_t at = 0; at < length; at += kFrameOpcodes[code[at]].size) {
      nodeAt_[at] = static_cast<int32_t>(instructions_.size());
      instructions_.push_back(zet::ReadFrameInstruction(code, at));
    }
    nodeAt_[length] = static_cast<int32_t>(instructions_.size());
  }

  uint32_t End() const { return static_cast<uint32_t>(instructions_.size()); }
  const Instruction& At(uint32_t node) const { return instructions_[node]; }

  // Up to two successors; returns how many. A jump goes to its target, and
  // on to the next instruction too when it depends on a chance.
  int Successors(uint32_t node, uint32_t next[2]) const {
    const Instruction& instruction = instructions_[node];
    const int jump = zet::FrameJumpOperand(instruction.op);
    if (jump < 0) {
      next[0] = node + 1;
      return 1;
    }
    next[0] = Target(instruction.operands[jump]);
    next[1] = node + 1;
    return zet::FrameOpcodeHas(instruction.op, FrameOperand::Chance) ? 2 : 1;
  }

  bool ShowsNoFrame(uint32_t node) const {
    return node < End() && !zet::FrameOpcodeHas(At(node).op, FrameOperand::Frame);
  }

 private:
  uint32_t Target(uint16_t offset) const {
    const int32_t node = offset < nodeAt_.size() ? nodeAt_[offset] : -1;
    return node < 0 ? End() : static_cast<uint32_t>(node);  // the compiler jumps to starts only
  }

  std::vector<Instruction> instructions_;
  std::vector<int32_t> nodeAt_;
};

std::vector<bool> Reached(const FlowGraph& graph) {
  std::vector<bool> reached(graph.End() + 1, false);
  std::vector<uint32_t> pending = {0};
  reached[0] = true;
  while (!pending.empty()) {
    const uint32_t node = pending.back();
    pending.pop_back();
    uint32_t next[2];
    const int count = node < graph.End() ? graph.Successors(node, next) : 0;
    for (int i = 0; i < count; ++i) {
      if (!reached[next[i]]) {
        reached[next[i]] = true;
        pending.push_back(next[i]);
      }
    }
  }
  return reached;
}

class Analysis {
 public:
  Analysis(const FlowGraph& graph, const zet::FramePlaces& places, uint32_t frameCount)
      : graph_(graph), places_(places), frameCount_(frameCount), reached_(Reached(graph)) {}

  std::vector<FlowFinding> Run() {
    FindUnreachable();
    FindUnusedLabels();
    FindFramelessLoops();
    FindUnusedFrames();
    return std::move(findings_);
  }

 private:
  zet::FramePosition StatementAt(uint32_t node) const {
    const auto& statements = places_.statements;
    // One statement per instruction, both in code order.
    if (node < statements.size() && statements[node].offset == graph_.At(node).offset) {
      return statements[node].at;
    }
    const auto found = std::find_if(statements.begin(), statements.end(), [&](const auto& s) {
      return s.offset == graph_.At(node).offset;
    });
    return found != statements.end() ? found->at : zet::FramePosition{};
  }

  void Add(Check check, Severity severity, zet::FramePosition at, std::string text) {
    findings_.push_back({check, severity, at, std::move(text)});
  }

  // The first statement of each run that no path reaches.
  void FindUnreachable() {
    for (uint32_t node = 0; node < graph_.End(); ++node) {
      if (!reached_[node] && (node == 0 || reached_[node - 1])) {
        Add(Check::Unreachable, Severity::Warning, StatementAt(node),
            "この文にはどこからも到達しません。");
      }
    }
  }

  void FindUnusedLabels() {
    for (const zet::LabelPlace& label : places_.labels) {
      if (!label.referenced) {
        Add(Check::UnusedLabel, Severity::Warning, label.at,
            zet::FormatString("ラベル %s へジャンプする文がありません。", label.name.c_str()));
      }
    }
  }

  bool InLoopGraph(uint32_t node) const { return reached_[node] && graph_.ShowsNoFrame(node); }

  // Strongly connected parts of the reached goto and prob statements
  // (Tarjan's, with an explicit stack: a program may hold thousands).
  void FindFramelessLoops() {
    const uint32_t n = graph_.End();
    order_.assign(n, -1);
    low_.assign(n, 0);
    part_.assign(n, -1);
    for (uint32_t root = 0; root < n; ++root) {
      if (InLoopGraph(root) && order_[root] < 0) {
        Connect(root);
      }
    }
  }

  void Enter(uint32_t node) {
    order_[node] = low_[node] = counter_++;
    stack_.push_back(node);
    calls_.push_back({node, 0});
  }

  void Connect(uint32_t root) {
    Enter(root);
    while (!calls_.empty()) {
      const uint32_t node = calls_.back().node;
      uint32_t next[2];
      const int count = graph_.Successors(node, next);
      if (calls_.back().next < count) {
        const uint32_t to = next[calls_.back().next++];
        if (to >= graph_.End() || !InLoopGraph(to)) {
          continue;
        }
        if (order_[to] < 0) {
          Enter(to);
        } else if (part_[to] < 0) {
          low_[node] = std::min(low_[node], order_[to]);
        }
        continue;
      }
      calls_.pop_back();
      if (!calls_.empty()) {
        low_[calls_.back().node] = std::min(low_[calls_.back().node], low_[node]);
      }
      if (low_[node] == order_[node]) {
        ClosePart(node);
      }
    }
  }

  void ClosePart(uint32_t head) {
    std::vector<uint32_t> members;
    uint32_t member = 0;
    do {
      member = stack_.back();
      stack_.pop_back();
      part_[member] = parts_;
      members.push_back(member);
    } while (member != head);
    JudgeLoop(members, parts_++);
  }

  // A part is a loop when it has two statements or one that jumps to itself;
  // it is left only by an edge to something outside it, which can only be
  // one side of a prob.
  void JudgeLoop(const std::vector<uint32_t>& members, int32_t part) {
    bool loop = members.size() > 1;
    bool exit = false;
    for (const uint32_t node : members) {
      uint32_t next[2];
      const int count = graph_.Successors(node, next);
      for (int i = 0; i < count; ++i) {
        const bool inside = next[i] < graph_.End() && part_[next[i]] == part;
        loop = loop || next[i] == node;
        exit = exit || !inside;
      }
    }
    if (!loop) {
      return;
    }
    const uint32_t first = *std::min_element(members.begin(), members.end());
    if (exit) {
      Add(Check::FramelessLoop, Severity::Warning, StatementAt(first),
          "フレームを表示しないループで、抜け出せるのは確率分岐だけです。");
    } else {
      Add(Check::FramelessLoop, Severity::Error, StatementAt(first),
          "フレームを表示しないループから抜け出せないので、再生がここで止まります。");
    }
  }

  void FindUnusedFrames() {
    std::vector<std::pair<uint32_t, uint32_t>> shown;
    for (uint32_t node = 0; node < graph_.End(); ++node) {
      const Instruction& instruction = graph_.At(node);
      if (!reached_[node] || graph_.ShowsNoFrame(node)) {
        continue;
      }
      // The frames from the lowest to the highest frame operand ('for' A 'to' B).
      uint32_t first = UINT32_MAX, last = 0;
      for (uint32_t i = 0; i < kFrameOpcodes[instruction.op].operandCount; ++i) {
        if (kFrameOpcodes[instruction.op].operands[i] == FrameOperand::Frame) {
          first = std::min<uint32_t>(first, instruction.operands[i]);
          last = std::max<uint32_t>(last, instruction.operands[i]);
        }
      }
      shown.emplace_back(first, last);
    }
    std::sort(shown.begin(), shown.end());
    std::vector<std::pair<uint32_t, uint32_t>> unused;
    uint32_t next = 0;  // the first frame not yet known to be shown
    for (const auto& [first, last] : shown) {
      if (first > next) {
        unused.emplace_back(next, first - 1);
      }
      next = std::max(next, last + 1);
    }
    if (next < frameCount_) {
      unused.emplace_back(next, frameCount_ - 1);
    }
    if (!unused.empty()) {
      Add(Check::UnusedFrame, Severity::Warning, zet::FramePosition{},
          zet::FormatString("フレーム %s はどの文も表示しません。", FrameRanges(unused).c_str()));
    }
  }

  struct Call {
    uint32_t node;
    int next;
  };

  const FlowGraph& graph_;
  const zet::FramePlaces& places_;
  uint32_t frameCount_;
  std::vector<bool> reached_;
  std::vector<FlowFinding> findings_;
  std::vector<int32_t> order_, low_, part_;
  std::vector<uint32_t> stack_;
  std::vector<Call> calls_;
  int32_t counter_ = 0;
  int32_t parts_ = 0;
};

}  // namespace

std::string FrameRanges(const std::vector<std::pair<uint32_t, uint32_t>>& ranges) {
  std::string text;
  for (size_t i = 0; i < ranges.size() && i < kMostRanges; ++i) {
    text += i == 0 ? "" : ", ";
    text += std::to_string(ranges[i].first);
    if (ranges[i].second != ranges[i].first) {
      text += "-" + std::to_string(ranges[i].second);
    }
  }
  return ranges.size() > kMostRanges ? text + " ほか" : text;
}

std::vector<FlowFinding> AnalyseFlow(const uint8_t* code, uint32_t length,
                                     const zet::FramePlaces& places, uint32_t frameCount) {
  const FlowGraph graph(code, length);
  return Analysis(graph, places, frameCount).Run();
}

}  // namespace zetlint

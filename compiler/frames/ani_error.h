// Compile errors of the frames language. They never leave FrameCompiler:
// Compile() turns the first one into a positioned message line.
#pragma once

namespace zet {

class AniError {
 public:
  virtual ~AniError() = default;
  // A fixed Shift-JIS text with static lifetime.
  virtual const char* Message() const = 0;
};

class AniCodeSizeTooLarge : public AniError {
 public:
  const char* Message() const override;
};
class AniTooManyLabel : public AniError {
 public:
  const char* Message() const override;
};
class AniLabelAlreadyDefined : public AniError {
 public:
  const char* Message() const override;
};
class AniTooLargeNubmer : public AniError {
 public:
  const char* Message() const override;
};
class AniSyntaxError : public AniError {
 public:
  const char* Message() const override;
};
class AniFrameOutOfRange : public AniError {
 public:
  const char* Message() const override;
};
class AniRepeatTimeIs0 : public AniError {
 public:
  const char* Message() const override;
};
class AniProbInvalidValue : public AniError {
 public:
  const char* Message() const override;
};
class AniLabelNeedsSeparator : public AniError {
 public:
  const char* Message() const override;
};
// A label that a goto or prob names but the program never defines.
class AniLabelNotDefined : public AniError {
 public:
  const char* Message() const override;
};

}  // namespace zet

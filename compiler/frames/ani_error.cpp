#include "compiler/frames/ani_error.h"

namespace zet {

const char* AniCodeSizeTooLarge::Message() const {
  return "コンパイルしたコードが大きすぎます。";
}
const char* AniTooManyLabel::Message() const {
  return "ラベルが多すぎます。";
}
const char* AniLabelAlreadyDefined::Message() const {
  return "ラベルはすでに定義されています。";
}
const char* AniTooLargeNubmer::Message() const {
  return "数値が大きすぎます。";
}
const char* AniSyntaxError::Message() const {
  return "文法エラーです。";
}
const char* AniFrameOutOfRange::Message() const {
  return "フレーム番号が最大値を超えています。";
}
const char* AniRepeatTimeIs0::Message() const {
  return "Repeat文で繰り返し数に 0 回が指定されました。";
}
const char* AniProbInvalidValue::Message() const {
  return "確率の指定が範囲を超えています。";
}
const char* AniLabelNeedsSeparator::Message() const {
  return "ラベルの後ろには、: が必要です。";
}
const char* AniLabelNotDefined::Message() const {
  return "ラベルが定義されていません。";
}

}  // namespace zet

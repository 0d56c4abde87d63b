#include "lint/bitmap_reason.h"

#include <algorithm>
#include <cstdint>

#include "compiler/common/format_string.h"
#include "compiler/output/bitmap_layout.h"
#include "compiler/output/file_map.h"
#include "platform/win32_error.h"

namespace zetlint {
namespace {

using zet::BitmapFault;
using zet::BitmapField16;
using zet::BitmapField32;
using zet::FormatString;

constexpr uint32_t kCoreHeaderSize = 12;  // BITMAPCOREHEADER, the OS/2 format

const char* CompressionName(uint32_t compression) {
  switch (compression) {
    case 1:
      return "RLE8";
    case 2:
      return "RLE4";
    case 4:
      return "JPEG";
    case 5:
      return "PNG";
    default:
      return nullptr;
  }
}

// The check that failed, said from what the file holds. An OS/2 header
// fails the planes check first (its fields lie elsewhere), and compressed
// pixels fail the row check: both are named for what they are.
std::string Reason(const uint8_t* file, uint32_t size) {
  zet::BitmapLayout layout;
  const BitmapFault fault = zet::CheckBitmap(file, size, layout);
  const bool past = fault > BitmapFault::FileSizeField;
  const uint32_t infoSize = past ? BitmapField32(file, zet::kBmpInfoSizeField) : 0;
  if (past && infoSize == kCoreHeaderSize) {
    return "OS/2 形式のヘッダ (BITMAPCOREHEADER) のビットマップです。";
  }
  switch (fault) {
    case BitmapFault::TooShort:
      return FormatString("ファイルが %u バイトしかなく、BMP のヘッダが入りません。", size);
    case BitmapFault::NotBitmap:
      return "ファイルの先頭が \"BM\" ではなく、BMP ファイルではありません。";
    case BitmapFault::FileSizeField:
      return FormatString(
          "ヘッダのファイル サイズ (bfSize) %u が実際の大きさ %u バイトを超えています。",
          BitmapField32(file, zet::kBmpSizeField), size);
    case BitmapFault::Planes:
      return FormatString("プレーン数 (biPlanes) が 1 ではなく %u です。",
                          BitmapField16(file, zet::kBmpPlanesField));
    case BitmapFault::HeaderSize:
      return FormatString("情報ヘッダの大きさ (biSize) %u が 40 バイトに足りません。", infoSize);
    case BitmapFault::Masks:
      return "ビットフィールドの色のマスクがファイルの終わりを越えています。";
    case BitmapFault::ColorTable:
      return "色テーブルがファイルの終わりを越えています。";
    case BitmapFault::Height:
      return "高さ (biHeight) が扱えない値です。";
    case BitmapFault::RowSize:
      return "幅 (biWidth) とビット数 (biBitCount) から一行の長さが決まりません。";
    default:
      break;
  }
  if (const char* name = CompressionName(BitmapField32(file, zet::kBmpCompressionField))) {
    return FormatString("画素が圧縮されています (%s)。", name);
  }
  return "画素の行がファイルの終わりを越えています。";
}

}  // namespace

std::string ExplainRefusedBitmap(const char* path) {
  std::string reason;
  try {
    const zet::InputFile file(path);
    const uint64_t size = file.GetSize();
    if (size > UINT32_MAX) {
      reason = "ファイルが 4 GB を超えています。";
    } else {
      // Every field the checks read lies in the first 54 bytes.
      const zet::FileMapping mapping(file);
      const zet::MappedView view(mapping, static_cast<uint32_t>(std::min<uint64_t>(size, 54)));
      reason = Reason(view.Base(), static_cast<uint32_t>(size));
    }
  } catch (const zet::Win32Error&) {
    reason = "ファイルを読み直せません。";  // changed since the compiler's look
  }
  return reason + "圧縮なしで、Windows 形式のヘッダ (BITMAPINFOHEADER) で保存し直してください。";
}

}  // namespace zetlint

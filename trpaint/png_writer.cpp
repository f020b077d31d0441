#include "png_writer.h"

#include <zlib.h>

#include <new>
#include <stdexcept>

namespace {

// Image data goes out in chunks of this many compressed bytes.
constexpr size_t kChunkBytes = 64 * 1024;
constexpr uint8_t kFilterUp = 2;

void AppendBigEndian(std::string& Out, uint32_t Value) {
  for (int shift = 24; shift >= 0; shift -= 8) {
    Out.push_back(static_cast<char>((Value >> shift) & 0xFF));
  }
}

}  // namespace

TPngWriter::TPngWriter(int AWidth, int AHeight, TContentWriter AWrite)
    : Write(std::move(AWrite)),
      Width(AWidth),
      RowsLeft(AHeight),
      Stream(std::make_unique<z_stream_s>()),
      Previous(static_cast<size_t>(AWidth) * 3),
      Filtered(1 + static_cast<size_t>(AWidth) * 3) {
  if (AWidth < 1 || AHeight < 1) {
    throw std::invalid_argument("an image needs at least one pixel");
  }
  if (deflateInit(Stream.get(), Z_DEFAULT_COMPRESSION) != Z_OK) {
    Stream.reset();
    throw std::bad_alloc();
  }
  Write(std::string_view("\x89PNG\r\n\x1a\n", 8));
  std::string header;
  AppendBigEndian(header, static_cast<uint32_t>(AWidth));
  AppendBigEndian(header, static_cast<uint32_t>(AHeight));
  // 8 bits a sample, truecolour, deflate, adaptive filters, no interlace.
  header += std::string("\x08\x02\x00\x00\x00", 5);
  WriteChunk("IHDR", header);
  Compressed.reserve(kChunkBytes);
}

TPngWriter::~TPngWriter() {
  if (Stream) deflateEnd(Stream.get());
}

void TPngWriter::AddRow(std::span<const uint32_t> Pixels) {
  if (RowsLeft == 0 || Pixels.size() != static_cast<size_t>(Width)) {
    throw std::logic_error("a row that does not belong to the image");
  }
  --RowsLeft;
  Filtered[0] = kFilterUp;
  uint8_t* out = Filtered.data() + 1;
  uint8_t* above = Previous.data();
  for (const uint32_t pixel : Pixels) {
    const uint8_t rgb[3] = {static_cast<uint8_t>(pixel >> 16),
                            static_cast<uint8_t>(pixel >> 8),
                            static_cast<uint8_t>(pixel)};
    for (const uint8_t sample : rgb) {
      *out++ = static_cast<uint8_t>(sample - *above);
      *above++ = sample;
    }
  }
  Stream->next_in = Filtered.data();
  Stream->avail_in = static_cast<uInt>(Filtered.size());
  Deflate(Z_NO_FLUSH);
}

void TPngWriter::Finish() {
  if (RowsLeft != 0) throw std::logic_error("the image lacks rows");
  Stream->next_in = nullptr;
  Stream->avail_in = 0;
  Deflate(Z_FINISH);
  if (!Compressed.empty()) WriteChunk("IDAT", Compressed);
  WriteChunk("IEND", {});
}

// Compresses what the stream holds, writing a chunk whenever one is full.
void TPngWriter::Deflate(int Flush) {
  for (;;) {
    const size_t used = Compressed.size();
    Compressed.resize(kChunkBytes);
    Stream->next_out = reinterpret_cast<Bytef*>(Compressed.data() + used);
    Stream->avail_out = static_cast<uInt>(kChunkBytes - used);
    const int result = deflate(Stream.get(), Flush);
    Compressed.resize(kChunkBytes - Stream->avail_out);
    if (result == Z_STREAM_ERROR) throw std::logic_error("deflate failed");
    if (Compressed.size() == kChunkBytes) {
      WriteChunk("IDAT", Compressed);
      Compressed.clear();
      continue;
    }
    // Room was left: all input is taken, and at the end all is out.
    if (Flush != Z_FINISH || result == Z_STREAM_END) return;
  }
}

void TPngWriter::WriteChunk(const char* Type, const std::string& Data) {
  std::string chunk;
  chunk.reserve(Data.size() + 12);
  AppendBigEndian(chunk, static_cast<uint32_t>(Data.size()));
  chunk.append(Type, 4);
  chunk += Data;
  const uLong crc = crc32(crc32(0L, Z_NULL, 0),
                          reinterpret_cast<const Bytef*>(chunk.data() + 4),
                          static_cast<uInt>(Data.size() + 4));
  AppendBigEndian(chunk, static_cast<uint32_t>(crc));
  Write(chunk);
}

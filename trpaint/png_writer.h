#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "file_access.h"

struct z_stream_s;

// Writes a PNG image (8-bit RGB) row by row, compressing each row as it
// comes and handing the bytes on in chunks, so that an image far larger
// than memory can be written: only a row and the compressor's state are
// held at once.
class TPngWriter {
 public:
  // Writes the file's header at once. Width and Height from 1 to 2^31 - 1.
  TPngWriter(int Width, int Height, TContentWriter Write);
  ~TPngWriter();
  TPngWriter(const TPngWriter&) = delete;
  TPngWriter& operator=(const TPngWriter&) = delete;

  // The next row, top to bottom: Width pixels as 0xAARRGGBB, alpha ignored.
  void AddRow(std::span<const uint32_t> Pixels);
  // Ends the image after its last row.
  void Finish();

 private:
  void Deflate(int Flush);
  void WriteChunk(const char* Type, const std::string& Data);

  TContentWriter Write;
  int Width;
  int RowsLeft;
  std::unique_ptr<z_stream_s> Stream;
  // The row before, against which each byte is written as a difference
  // (the "up" filter: rows of plain background become zeros).
  std::vector<uint8_t> Previous;
  std::vector<uint8_t> Filtered;
  std::string Compressed;
};

#pragma once

#include <algorithm>
#include <string>
#include <utility>

#include "text_reader.h"

// Hands out a text in pieces of one to seven bytes, as a slow device
// might, so that every run, line end and code 26 falls across pieces.
class TPieces : public TTextSource {
 public:
  explicit TPieces(std::string AText) : text_(std::move(AText)) {}
  size_t Read(char* Buffer, size_t Count) override {
    const size_t size = std::min({Count, text_.size() - at_, next_});
    std::copy_n(text_.data() + at_, size, Buffer);
    at_ += size;
    next_ = next_ % 7 + 1;
    return size;
  }

 private:
  std::string text_;
  size_t at_ = 0;
  size_t next_ = 1;
};

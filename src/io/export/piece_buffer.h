#pragma once

#include "io/text/text_sink.h"

#include <string>

namespace tavex {

// The text is handed to the sink in pieces of about this size: a table of
// millions of coefficients is written out as it is laid out, never held whole.
inline constexpr std::size_t kPieceSize = 1 << 16;

class PieceBuffer final {
public:
    explicit PieceBuffer(const TextSink& sink) : sink_(sink) { text_.reserve(kPieceSize + 1024); }
    PieceBuffer(const PieceBuffer&) = delete;
    PieceBuffer& operator=(const PieceBuffer&) = delete;

    std::string& text() { return text_; }
    // Hands the text on once it fills a piece.
    void PassFull()
    {
        if (text_.size() >= kPieceSize)
            PassRest();
    }
    void PassRest()
    {
        if (!text_.empty())
            sink_(text_);
        text_.clear();
    }

private:
    const TextSink& sink_;
    std::string text_;
};

} // namespace tavex

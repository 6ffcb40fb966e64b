#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace almanix {

// How an event file's bytes hold its text. The program's own text is 8-bit
// (UTF-8 or the system code page), so a plain file is used as it stands; a
// UTF-16 file is turned into UTF-8 on reading and back on writing.
enum class TextEncoding { plain, utf8WithMark, utf16LittleEndian, utf16BigEndian };

// The encoding that a file's first bytes (three are enough) announce by their
// byte order mark; plain when there is none.
TextEncoding encodingOf(std::string_view firstBytes);

// The byte order mark that begins a file in this encoding; empty for plain.
std::string_view byteOrderMark(TextEncoding encoding);

// Turns a file's bytes after its mark into the program's text, piece by piece:
// a piece may end inside a character. Any bytes come back unchanged when
// encoded again: a UTF-16 unit that pairs with no other is kept as a 3-byte
// sequence of its own, and only an odd last byte becomes U+FFFD.
class TextDecoder {
public:
    explicit TextDecoder(TextEncoding encoding) : encoding_(encoding) {}
    // Appends the text of these bytes.
    void decode(std::string_view bytes, std::string& text);
    // Appends what a last, incomplete character leaves.
    void finish(std::string& text);

private:
    void unit(std::uint16_t value, std::string& text);

    TextEncoding encoding_;
    int oddByte_ = -1; // the first byte of a unit not complete yet
    int highSurrogate_ = -1; // waiting for the unit that may pair with it
};

// Turns the program's text into a file's bytes (without the mark), piece by
// piece. For UTF-16, a byte that begins no UTF-8 character is taken as the
// character of that number, as an 8-bit Windows text holds it.
class TextEncoder {
public:
    explicit TextEncoder(TextEncoding encoding) : encoding_(encoding) {}
    void encode(std::string_view text, std::string& bytes);
    // Appends what an incomplete last character leaves.
    void finish(std::string& bytes);

private:
    void unit(std::uint32_t value, std::string& bytes) const;
    void character(std::uint32_t value, std::string& bytes) const;
    // Encodes the waiting bytes one by one, as characters of their own numbers.
    void flushPending(std::string& bytes);

    TextEncoding encoding_;
    std::string pending_; // the beginning of a character split between pieces
};

// The text of a whole file, and its encoding.
struct DecodedText {
    TextEncoding encoding = TextEncoding::plain;
    std::string text;
};
DecodedText decodeFile(std::string_view bytes);
// The whole file's bytes, the mark first.
std::string encodeFile(std::string_view text, TextEncoding encoding);

} // namespace almanix

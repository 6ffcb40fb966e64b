#include "events/text_encoding.h"

#include <optional>

namespace almanix {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndianMark = "\xFE\xFF";

bool isUtf16(TextEncoding encoding) {
    return encoding == TextEncoding::utf16LittleEndian || encoding == TextEncoding::utf16BigEndian;
}

void appendUtf8(std::uint32_t value, std::string& text) {
    if (value < 0x80) {
        text += static_cast<char>(value);
    } else if (value < 0x800) {
        text += static_cast<char>(0xC0 | (value >> 6));
        text += static_cast<char>(0x80 | (value & 0x3F));
    } else if (value < 0x10000) {
        text += static_cast<char>(0xE0 | (value >> 12));
        text += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (value & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (value >> 18));
        text += static_cast<char>(0x80 | ((value >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (value & 0x3F));
    }
}

bool isHighSurrogate(std::uint32_t value) { return value >= 0xD800 && value <= 0xDBFF; }
bool isLowSurrogate(std::uint32_t value) { return value >= 0xDC00 && value <= 0xDFFF; }

// How many bytes the UTF-8 character that begins with this byte takes; 0 when
// no character begins with it.
std::size_t sequenceLength(unsigned char first) {
    if (first < 0x80) return 1;
    if (first >= 0xC2 && first <= 0xDF) return 2;
    if (first >= 0xE0 && first <= 0xEF) return 3;
    if (first >= 0xF0 && first <= 0xF4) return 4;
    return 0;
}

// The character of a complete UTF-8 sequence; nothing when it is not one
// (overlong, beyond U+10FFFF, or a byte that does not continue it).
std::optional<std::uint32_t> characterOf(std::string_view sequence) {
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(sequence[at]); };
    for (std::size_t at = 1; at < sequence.size(); ++at)
        if ((byte(at) & 0xC0) != 0x80) return std::nullopt;
    switch (sequence.size()) {
    case 1: return byte(0);
    case 2: return ((byte(0) & 0x1Fu) << 6) | (byte(1) & 0x3Fu);
    case 3: {
        const std::uint32_t value = ((byte(0) & 0x0Fu) << 12) | ((byte(1) & 0x3Fu) << 6) | (byte(2) & 0x3Fu);
        return value >= 0x800 ? std::optional(value) : std::nullopt;
    }
    case 4: {
        const std::uint32_t value =
            ((byte(0) & 0x07u) << 18) | ((byte(1) & 0x3Fu) << 12) | ((byte(2) & 0x3Fu) << 6) | (byte(3) & 0x3Fu);
        return value >= 0x10000 && value <= 0x10FFFF ? std::optional(value) : std::nullopt;
    }
    default: return std::nullopt;
    }
}

} // namespace

TextEncoding encodingOf(std::string_view firstBytes) {
    if (firstBytes.starts_with(kUtf8Mark)) return TextEncoding::utf8WithMark;
    if (firstBytes.starts_with(kUtf16LittleEndianMark)) return TextEncoding::utf16LittleEndian;
    if (firstBytes.starts_with(kUtf16BigEndianMark)) return TextEncoding::utf16BigEndian;
    return TextEncoding::plain;
}

std::string_view byteOrderMark(TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::plain: return {};
    case TextEncoding::utf8WithMark: return kUtf8Mark;
    case TextEncoding::utf16LittleEndian: return kUtf16LittleEndianMark;
    case TextEncoding::utf16BigEndian: return kUtf16BigEndianMark;
    }
    return {};
}

void TextDecoder::decode(std::string_view bytes, std::string& text) {
    if (!isUtf16(encoding_)) {
        text += bytes;
        return;
    }
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        if (oddByte_ < 0) {
            oddByte_ = value;
            continue;
        }
        const auto first = static_cast<std::uint16_t>(oddByte_);
        oddByte_ = -1;
        unit(encoding_ == TextEncoding::utf16LittleEndian ? static_cast<std::uint16_t>(first | (value << 8))
                                                          : static_cast<std::uint16_t>((first << 8) | value),
             text);
    }
}

void TextDecoder::unit(std::uint16_t value, std::string& text) {
    if (highSurrogate_ >= 0) {
        const auto high = static_cast<std::uint32_t>(highSurrogate_);
        highSurrogate_ = -1;
        if (isLowSurrogate(value)) {
            appendUtf8(0x10000 + ((high - 0xD800) << 10) + (value - 0xDC00u), text);
            return;
        }
        appendUtf8(high, text);
    }
    if (isHighSurrogate(value))
        highSurrogate_ = value;
    else
        appendUtf8(value, text);
}

void TextDecoder::finish(std::string& text) {
    if (highSurrogate_ >= 0) appendUtf8(static_cast<std::uint32_t>(highSurrogate_), text);
    if (oddByte_ >= 0) appendUtf8(0xFFFD, text);
    highSurrogate_ = -1;
    oddByte_ = -1;
}

void TextEncoder::unit(std::uint32_t value, std::string& bytes) const {
    const auto low = static_cast<char>(value & 0xFF);
    const auto high = static_cast<char>(value >> 8);
    if (encoding_ == TextEncoding::utf16LittleEndian) {
        bytes += low;
        bytes += high;
    } else {
        bytes += high;
        bytes += low;
    }
}

void TextEncoder::character(std::uint32_t value, std::string& bytes) const {
    if (value < 0x10000) {
        unit(value, bytes);
        return;
    }
    value -= 0x10000;
    unit(0xD800 + (value >> 10), bytes);
    unit(0xDC00 + (value & 0x3FF), bytes);
}

void TextEncoder::flushPending(std::string& bytes) {
    for (const char byte : pending_) character(static_cast<unsigned char>(byte), bytes);
    pending_.clear();
}

void TextEncoder::encode(std::string_view text, std::string& bytes) {
    if (!isUtf16(encoding_)) {
        bytes += text;
        return;
    }
    for (const char byte : text) {
        pending_ += byte;
        const std::size_t length = sequenceLength(static_cast<unsigned char>(pending_[0]));
        if (length == 0) {
            flushPending(bytes);
            continue;
        }
        // A byte that cannot continue the character ends it early: the bytes
        // before it stand for themselves, and it may begin the next one.
        if (pending_.size() > 1 && (static_cast<unsigned char>(byte) & 0xC0) != 0x80) {
            pending_.pop_back();
            flushPending(bytes);
            encode(std::string_view(&byte, 1), bytes);
            continue;
        }
        if (pending_.size() < length) continue;
        if (const auto value = characterOf(pending_)) {
            character(*value, bytes);
            pending_.clear();
        } else {
            flushPending(bytes);
        }
    }
}

void TextEncoder::finish(std::string& bytes) {
    if (isUtf16(encoding_)) flushPending(bytes);
}

DecodedText decodeFile(std::string_view bytes) {
    DecodedText decoded{encodingOf(bytes), {}};
    bytes.remove_prefix(byteOrderMark(decoded.encoding).size());
    TextDecoder decoder(decoded.encoding);
    decoded.text.reserve(bytes.size());
    decoder.decode(bytes, decoded.text);
    decoder.finish(decoded.text);
    return decoded;
}

std::string encodeFile(std::string_view text, TextEncoding encoding) {
    std::string bytes(byteOrderMark(encoding));
    TextEncoder encoder(encoding);
    bytes.reserve(bytes.size() + text.size() * (isUtf16(encoding) ? 2 : 1));
    encoder.encode(text, bytes);
    encoder.finish(bytes);
    return bytes;
}

} // namespace almanix

#include "settings/reg_file_registry.h"

#include <cstdint>
#include <optional>
#include <vector>

#include "common/ascii_text.h"

namespace almanix {

namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr std::string_view kVersion5Header = "Windows Registry Editor Version 5.00";

std::optional<std::string> rootName(RegistryRoot root) {
    if (root == RegistryRoot::localMachine) return "HKEY_LOCAL_MACHINE";
    if (root == RegistryRoot::currentUser) return "HKEY_CURRENT_USER";
    return std::nullopt;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = lowerCaseAscii(c);
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Reads a quoted text with \\ and \" escapes starting at the opening quote;
// position ends after the closing quote.
std::optional<std::string> readQuoted(std::string_view line, std::size_t& position) {
    if (position >= line.size() || line[position] != '"') return std::nullopt;
    std::string text;
    for (++position; position < line.size(); ++position) {
        char c = line[position];
        if (c == '"') {
            ++position;
            return text;
        }
        if (c == '\\' && position + 1 < line.size()) c = line[++position];
        text += c;
    }
    return std::nullopt;
}

std::optional<std::string> readHexBytes(std::string_view list) {
    std::string bytes;
    list = withoutSpaceAround(list);
    if (list.empty()) return bytes;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = list.find(',', start);
        const std::string_view item = withoutSpaceAround(list.substr(start, comma - start));
        if (item.empty() || item.size() > 2) return std::nullopt;
        int value = 0;
        for (char c : item) {
            if (hexDigit(c) < 0) return std::nullopt;
            value = value * 16 + hexDigit(c);
        }
        bytes += static_cast<char>(value);
        if (comma == std::string_view::npos) return bytes;
        start = comma + 1;
    }
}

struct ValueLine {
    std::string name;
    bool deleted = false;
    std::uint32_t type = 0;
    std::string data;
};

std::optional<ValueLine> parseValueLine(std::string_view line) {
    ValueLine value;
    std::size_t position = 0;
    if (line.starts_with('@')) {
        position = 1;
    } else {
        auto name = readQuoted(line, position);
        if (!name) return std::nullopt;
        value.name = std::move(*name);
    }
    const std::string_view rest = withoutSpaceAround(line.substr(position));
    if (!rest.starts_with('=')) return std::nullopt;
    const std::string_view data = withoutSpaceAround(rest.substr(1));

    if (data == "-") {
        value.deleted = true;
        return value;
    }
    if (data.starts_with('"')) {
        std::size_t end = 0;
        auto text = readQuoted(data, end);
        if (!text || !withoutSpaceAround(data.substr(end)).empty()) return std::nullopt;
        value.type = RegistryType::text;
        value.data = std::move(*text);
        return value;
    }
    if (data.starts_with("dword:")) {
        const std::string_view digits = data.substr(6);
        if (digits.empty() || digits.size() > 8) return std::nullopt;
        std::uint32_t number = 0;
        for (char c : digits) {
            if (hexDigit(c) < 0) return std::nullopt;
            number = number * 16 + static_cast<std::uint32_t>(hexDigit(c));
        }
        value.type = RegistryType::dword;
        for (int i = 0; i < 4; ++i) value.data += static_cast<char>((number >> (8 * i)) & 0xFF);
        return value;
    }
    std::size_t listStart = 0;
    if (data.starts_with("hex:")) {
        value.type = RegistryType::binary;
        listStart = 4;
    } else if (data.starts_with("hex(")) {
        const std::size_t close = data.find("):");
        if (close == std::string_view::npos || close == 4) return std::nullopt;
        value.type = 0;
        for (char c : data.substr(4, close - 4)) {
            if (hexDigit(c) < 0) return std::nullopt;
            value.type = value.type * 16 + static_cast<std::uint32_t>(hexDigit(c));
        }
        listStart = close + 2;
    } else {
        return std::nullopt;
    }
    auto bytes = readHexBytes(data.substr(listStart));
    if (!bytes) return std::nullopt;
    value.data = std::move(*bytes);
    return value;
}

std::string escaped(std::string_view text) {
    std::string result;
    for (char c : text) {
        if (c == '\\' || c == '"') result += '\\';
        result += c;
    }
    return result;
}

std::string stringValueLine(std::string_view name, std::string_view bytes) {
    std::string line = '"' + escaped(name) + "\"=";
    bool printable = true;
    for (char c : bytes) printable = printable && static_cast<unsigned char>(c) >= 0x20;
    if (printable) return line + '"' + escaped(bytes) + '"';

    static constexpr char digits[] = "0123456789abcdef";
    line += "hex(1):";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (i > 0) line += ',';
        line += digits[byte >> 4];
        line += digits[byte & 0x0F];
    }
    return line;
}

// The file as physical lines, with continuation lines (ending in a backslash)
// joined into logical lines for parsing.
struct Document {
    std::vector<std::string> lines;
    std::string newline = "\n";

    struct Logical {
        std::size_t first;
        std::size_t last;
        std::string text;
    };

    // False when the text is not a registry file of version 4 or 5.
    static bool parse(const std::string& contents, Document& document) {
        document = Document{};
        if (contents.find("\r\n") != std::string::npos) document.newline = "\r\n";
        std::size_t start = 0;
        while (start < contents.size()) {
            std::size_t end = contents.find('\n', start);
            if (end == std::string::npos) end = contents.size();
            std::string line = contents.substr(start, end - start);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            document.lines.push_back(std::move(line));
            start = end + 1;
        }
        if (document.lines.empty()) return false;
        std::string_view first = document.lines.front();
        if (first.starts_with("\xEF\xBB\xBF")) first.remove_prefix(3);
        first = withoutSpaceAround(first);
        return first == kHeader || first == kVersion5Header;
    }

    std::vector<Logical> logicalLines() const {
        std::vector<Logical> result;
        for (std::size_t i = 1; i < lines.size(); ++i) {
            Logical logical{i, i, std::string(withoutSpaceAround(lines[i]))};
            while (logical.text.ends_with('\\') && logical.last + 1 < lines.size()) {
                logical.text.pop_back();
                logical.text += withoutSpaceAround(lines[++logical.last]);
            }
            i = logical.last;
            result.push_back(std::move(logical));
        }
        return result;
    }

    std::string text() const {
        std::string result;
        for (const std::string& line : lines) result += line + newline;
        return result;
    }
};

bool isBlank(std::string_view text) { return text.find_first_not_of(kSpaceAndLineBreaks) == std::string_view::npos; }

bool isSection(std::string_view line) { return line.starts_with('[') && line.ends_with(']'); }

bool sectionNames(std::string_view line, std::string_view keyName) {
    return isSection(line) && equalIgnoringCase(withoutSpaceAround(line.substr(1, line.size() - 2)), keyName);
}

// Where a key's value stands in a document.
struct Location {
    bool keyFound = false;
    std::optional<std::size_t> valueLine; // index into the logical lines
    std::optional<std::size_t> sectionEnd; // the last logical line with content in the key's section
    std::optional<ValueLine> value;
};

Location locate(const std::vector<Document::Logical>& logical, std::string_view keyName, std::string_view valueName) {
    Location location;
    bool inKey = false;
    for (std::size_t i = 0; i < logical.size(); ++i) {
        const std::string& text = logical[i].text;
        if (isSection(text)) {
            inKey = sectionNames(text, keyName);
            if (inKey) {
                location.keyFound = true;
                location.sectionEnd = i;
            }
            continue;
        }
        if (!inKey || text.empty() || text.starts_with(';')) continue;
        // A line still ending in a backslash ran out of lines to continue on:
        // a line written after it would be read as part of it.
        if (!text.ends_with('\\')) location.sectionEnd = i;
        auto value = parseValueLine(text);
        if (value && equalIgnoringCase(value->name, valueName)) {
            location.valueLine = i;
            location.value = std::move(value);
        }
    }
    return location;
}

} // namespace

RegFileRegistry::RegFileRegistry(FileSystem& files, std::string folder, std::string fileName)
    : files_(files),
      folder_(std::move(folder)),
      fileName_(std::move(fileName)) {}

RegistryRead RegFileRegistry::readValue(RegistryRoot root, std::string_view keyPath, std::string_view valueName,
                                        KeyOpening, std::size_t bufferSize) {
    RegistryRead read;
    const auto rootText = rootName(root);
    const auto contents = files_.readWholeFile(filePath());
    if (!rootText || !contents) return read;
    Document document;
    if (!Document::parse(*contents, document)) return read;

    const Location location = locate(document.logicalLines(), *rootText + '\\' + std::string(keyPath), valueName);
    if (!location.keyFound) return read;
    if (!location.value || location.value->deleted) {
        read.status = RegistryReadStatus::valueMissing;
        return read;
    }
    if (location.value->data.size() > bufferSize) {
        read.status = RegistryReadStatus::tooLarge;
        return read;
    }
    read.status = RegistryReadStatus::ok;
    read.type = location.value->type;
    read.data = location.value->data;
    return read;
}

RegistryWriteStatus RegFileRegistry::editValue(RegistryRoot root, std::string_view keyPath, std::string_view valueName,
                                               std::optional<std::string_view> bytes) {
    const auto rootText = rootName(root);
    if (!rootText) return RegistryWriteStatus::failed;

    Document document;
    const auto contents = files_.readWholeFile(filePath());
    if (!contents && files_.exists(filePath())) return RegistryWriteStatus::storeUnreadable;
    if (!contents || isBlank(*contents)) {
        // Missing, or emptied by a truncation: nothing in it to keep, nor to remove.
        if (!bytes) return RegistryWriteStatus::written;
        if (!contents && !files_.createFolders(folder_)) return RegistryWriteStatus::failed;
        document.lines.emplace_back(kHeader);
    } else if (!Document::parse(*contents, document)) {
        // Never replace what could not be understood.
        return RegistryWriteStatus::storeUnreadable;
    }

    const std::string keyName = *rootText + '\\' + std::string(keyPath);
    const auto logical = document.logicalLines();
    const Location location = locate(logical, keyName, valueName);
    auto& lines = document.lines;
    if (!bytes) {
        if (!location.valueLine) return RegistryWriteStatus::written;
        const auto& old = logical[*location.valueLine];
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(old.first),
                    lines.begin() + static_cast<std::ptrdiff_t>(old.last + 1));
    } else if (const std::string line = stringValueLine(valueName, *bytes); location.valueLine) {
        const auto& old = logical[*location.valueLine];
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(old.first + 1),
                    lines.begin() + static_cast<std::ptrdiff_t>(old.last + 1));
        lines[old.first] = line;
    } else if (location.sectionEnd) {
        const std::size_t after = logical[*location.sectionEnd].last + 1;
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(after), line);
    } else {
        // The new key goes before a last line that would take up what follows it.
        std::size_t at = lines.size();
        if (!logical.empty() && logical.back().text.ends_with('\\')) at = logical.back().first;
        std::vector<std::string> section{'[' + keyName + ']', line};
        if (!lines[at - 1].empty()) section.insert(section.begin(), std::string());
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), section.begin(), section.end());
    }
    return files_.replaceFile(filePath(), filePath() + ".tmp", document.text()) ? RegistryWriteStatus::written
                                                                                : RegistryWriteStatus::failed;
}

RegistryWriteStatus RegFileRegistry::writeStringValue(RegistryRoot root, std::string_view keyPath,
                                                      std::string_view valueName, std::string_view bytes) {
    return editValue(root, keyPath, valueName, bytes);
}

RegistryWriteStatus RegFileRegistry::removeValue(RegistryRoot root, std::string_view keyPath,
                                                 std::string_view valueName) {
    return editValue(root, keyPath, valueName, std::nullopt);
}

std::string RegFileRegistry::placeOf(RegistryRoot, std::string_view) { return "the file " + filePath(); }

} // namespace almanix

#include "calendars/calendar_links.h"

#include <algorithm>

#include "common/ascii_text.h"

namespace almanix {

namespace {

constexpr std::string_view kWebcal = "webcal://";

// A scheme: a letter, then letters, digits, '+', '-' or '.', up to the ':'.
bool hasScheme(std::string_view address) {
    const std::size_t colon = address.find(':');
    if (colon == std::string_view::npos || colon == 0 || !isAsciiLetter(address[0])) return false;
    for (char character : address.substr(0, colon))
        if (!isAsciiLetter(character) && !isAsciiDigit(character) && character != '+' && character != '-' &&
            character != '.')
            return false;
    return true;
}

} // namespace

bool isLinkSource(std::string_view source) {
    return startsWithIgnoringCase(source, "https://") || startsWithIgnoringCase(source, "http://") ||
           startsWithIgnoringCase(source, kWebcal);
}

std::string fetchAddressOf(std::string_view link) {
    if (startsWithIgnoringCase(link, kWebcal)) return "https://" + std::string(link.substr(kWebcal.size()));
    const std::size_t schemeEnd = link.find("://");
    if (schemeEnd == std::string_view::npos) return std::string(link);
    return lowerCaseAscii(link.substr(0, schemeEnd)) + std::string(link.substr(schemeEnd));
}

std::string hostOf(std::string_view link) {
    const std::size_t schemeEnd = link.find("://");
    if (schemeEnd == std::string_view::npos) return {};
    std::string_view authority = link.substr(schemeEnd + 3);
    authority = authority.substr(0, authority.find_first_of("/?#"));
    const std::size_t userEnd = authority.rfind('@');
    if (userEnd != std::string_view::npos) authority.remove_prefix(userEnd + 1);
    const std::size_t portStart =
        authority.starts_with('[') ? authority.find(':', authority.find(']')) : authority.find(':');
    return lowerCaseAscii(authority.substr(0, portStart));
}

std::string sourceNameForMessages(std::string_view source) {
    return isLinkSource(source) ? hostOf(source) : std::string(source);
}

std::string resolveLocation(std::string_view base, std::string_view location) {
    if (hasScheme(location)) return std::string(location);
    const std::size_t schemeEnd = base.find("://");
    if (schemeEnd == std::string_view::npos) return std::string(location);
    if (location.starts_with("//")) return std::string(base.substr(0, schemeEnd + 1)) + std::string(location);

    const std::size_t authorityEnd = std::min(base.find_first_of("/?#", schemeEnd + 3), base.size());
    const std::string origin(base.substr(0, authorityEnd));
    if (location.starts_with('/')) return origin + std::string(location);
    const std::string_view rest = base.substr(authorityEnd);
    const std::string_view path = rest.substr(0, rest.find_first_of("?#"));
    if (location.empty() || location.starts_with('#')) return std::string(base.substr(0, base.find('#')));
    if (location.starts_with('?')) return origin + std::string(path) + std::string(location);
    const std::string_view folder = path.empty() ? "/" : path.substr(0, path.rfind('/') + 1);
    return origin + std::string(folder) + std::string(location);
}

std::uint64_t fnv1a64(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char byte : bytes) {
        hash ^= byte;
        hash *= 1099511628211ull;
    }
    return hash;
}

} // namespace almanix

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace almanix {

// A calendar source is a link when it starts with https://, http:// or
// webcal:// in any case; anything else names a file or a folder.
bool isLinkSource(std::string_view source);

// The address to ask: the scheme in lower case, webcal:// as https://.
std::string fetchAddressOf(std::string_view link);

// The host alone, in lower case, without user, password or port: a link
// carries its access token, so messages name the host and never the link.
std::string hostOf(std::string_view link);

// How messages name a source: a link by its host, a path as it is.
std::string sourceNameForMessages(std::string_view source);

// The address a Location value points to, taken relative to base.
std::string resolveLocation(std::string_view base, std::string_view location);

// FNV-1a, 64 bits: names a link's files without holding the link.
std::uint64_t fnv1a64(std::string_view bytes);

} // namespace almanix

#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

#include "target/engine/key_encoding.h"

namespace konwerter::verification {

// Values as a finding shows them, in the system's text (cp1250).

// A field's bytes (cp852) without the spaces around them.
std::string FieldText(std::span<const std::uint8_t> field);

// A key of an index: a character key as its text without trailing spaces, a numeric or date
// key as its bytes in hexadecimal.
std::string KeyText(engine::KeyType type, std::span<const std::uint8_t> key);

// The file name of a host path in UTF-8, for the engine's messages.
std::string Utf8Name(const std::filesystem::path& file);

}  // namespace konwerter::verification

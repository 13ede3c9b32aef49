#pragma once
// Password hashing for the start-up password: Argon2id with libsodium's interactive limits. The
// hash text (crypto_pwhash_str form, "$argon2id$...") carries its own salt and limits, so only
// it is ever stored; the password itself never leaves memory and is wiped there after use.

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The hash text of password with a fresh random salt; nullopt when the system refused the
// memory Argon2id needs.
std::optional<std::string> HashPassword(std::string_view password);

// True when password matches hash (a text IsPasswordHash accepts).
bool VerifyPassword(const std::string& hash, std::string_view password);

// True when text has the form of a hash this program writes.
bool IsPasswordHash(std::string_view text);

// Overwrites the secret's bytes (in a way the compiler keeps) and empties it.
void Wipe(std::string& secret);

}  // namespace platform

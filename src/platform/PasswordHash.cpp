#include "platform/PasswordHash.h"

#include <sodium.h>


namespace platform {
namespace {

// sodium_init is safe to call repeatedly and from any thread; -1 means no usable randomness.
bool SodiumReady() {
  static const bool ready = ::sodium_init() >= 0;
  return ready;
}

}  // namespace

std::optional<std::string> HashPassword(std::string_view password) {
  if (!SodiumReady()) return std::nullopt;
  char hash[crypto_pwhash_STRBYTES];
  if (::crypto_pwhash_str(hash, password.data(), password.size(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0) {
    return std::nullopt;
  }
  return std::string(hash);
}

bool VerifyPassword(const std::string& hash, std::string_view password) {
  return SodiumReady() && IsPasswordHash(hash) &&
         ::crypto_pwhash_str_verify(hash.c_str(), password.data(), password.size()) == 0;
}

bool IsPasswordHash(std::string_view text) {
  static constexpr std::string_view kPrefix = "$argon2id$";
  return text.starts_with(kPrefix) && text.size() < crypto_pwhash_STRBYTES &&
         text.find('\0') == std::string_view::npos;
}

void Wipe(std::string& secret) {
  if (!secret.empty()) ::sodium_memzero(secret.data(), secret.size());
  secret.clear();
}

}  // namespace platform

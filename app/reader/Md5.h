#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace lirava {

// MD5 message digest (RFC 1321). The book stores each narration track under the digest of its
// logical name, so this must match every other MD5 implementation bit for bit.
class Md5 {
public:
    Md5();
    void update(const void* data, std::size_t length);
    // Finishes the digest; the object must not be updated afterwards.
    void finish(std::uint8_t digest[16]);

    // 32 lowercase hexadecimal digits, high nibble first.
    static std::string hexDigest(const std::string& text);

private:
    void transform(const std::uint8_t block[64]);

    std::uint32_t m_state[4];
    std::uint64_t m_bitCount = 0;
    std::uint8_t m_buffer[64];
};

}  // namespace lirava

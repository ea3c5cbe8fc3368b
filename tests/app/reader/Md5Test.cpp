#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/reader/Md5.h"

namespace lirava {
namespace {

TEST(Md5, MatchesTheTestSuiteOfRfc1321) {
    EXPECT_EQ(Md5::hexDigest(""), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(Md5::hexDigest("a"), "0cc175b9c0f1b6a831c399e269772661");
    EXPECT_EQ(Md5::hexDigest("abc"), "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_EQ(Md5::hexDigest("message digest"), "f96b697d7cb7938d525a2f31aaf161d0");
    EXPECT_EQ(Md5::hexDigest("abcdefghijklmnopqrstuvwxyz"), "c3fcd3d76192e4007dfb496cca67e13b");
    EXPECT_EQ(Md5::hexDigest("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"),
              "d174ab98d277d9f5a5611c2c9f419d9f");
    EXPECT_EQ(Md5::hexDigest("1234567890123456789012345678901234567890123456789012345678901234567890123456789"
                             "0"),
              "57edf4a22be3c955ac49da2e2107b67a");
}

TEST(Md5, BlockBoundariesAndPiecewiseInputAgree) {
    // Lengths around the 56- and 64-byte edges exercise the padding branches.
    for (std::size_t length : {55u, 56u, 57u, 63u, 64u, 65u, 119u, 120u, 1000u}) {
        const std::string text(length, 'x');
        Md5 piecewise;
        for (char c : text)
            piecewise.update(&c, 1);
        std::uint8_t a[16];
        piecewise.finish(a);
        Md5 whole;
        whole.update(text.data(), text.size());
        std::uint8_t b[16];
        whole.finish(b);
        EXPECT_EQ(0, std::memcmp(a, b, 16)) << length;
    }
}

}  // namespace
}  // namespace lirava

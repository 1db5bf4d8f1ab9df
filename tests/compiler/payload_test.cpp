#include "compiler/payload.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace quillet {
namespace {

// This test program's own file serves as a real ELF image.
ByteSet ownImage() {
    std::ifstream file("/proc/self/exe", std::ios::binary);
    return ByteSet(std::istreambuf_iterator<char>(file), {});
}

const std::string kScript = "<?php echo 'hi';\n";

TEST(Payload, BareImageHasNone) {
    const ByteSet image = ownImage();
    ASSERT_EQ(elfImageEnd(image), image.size());
    const PayloadProbe probe = probePayload(image);
    EXPECT_EQ(probe.kind, PayloadProbe::Kind::None);
    EXPECT_EQ(probe.imageSize, image.size());
}

TEST(Payload, RoundTrip) {
    const ByteSet image = ownImage();
    for (const std::string& script : {kScript, std::string(), std::string("\0\xFF\x81", 3)}) {
        const ByteSet exe = appendPayload(image, script, "demo.php");
        EXPECT_EQ(exe.size(), image.size() + script.size() + 8 + kTrailerSize);
        const PayloadProbe probe = probePayload(exe);
        ASSERT_EQ(probe.kind, PayloadProbe::Kind::Found) << probe.problem;
        EXPECT_EQ(probe.payload.script, script);
        EXPECT_EQ(probe.payload.scriptName, "demo.php");
        EXPECT_EQ(probe.imageSize, image.size());
    }
}

TEST(Payload, DamageIsNamed) {
    const ByteSet image = ownImage();
    const ByteSet good = appendPayload(image, kScript, "demo.php");
    const std::size_t trailer = good.size() - kTrailerSize;
    auto flipped = [&](std::size_t at) {
        ByteSet bytes = good;
        bytes[at] ^= 0x01;
        return bytes;
    };
    struct Case {
        const char* what;
        ByteSet bytes;
        const char* problem;
    };
    const Case cases[] = {
        {"image byte", flipped(image.size() / 2), "its checksum does not match"},
        {"script byte", flipped(image.size() + 3), "its checksum does not match"},
        {"name byte", flipped(trailer - 1), "its checksum does not match"},
        {"checksum", flipped(trailer + 28), "its checksum does not match"},
        {"magic", flipped(trailer + 2), "its trailer is missing or broken"},
        {"image size", flipped(trailer + 8), "its sizes do not match the file"},
        {"script size", flipped(trailer + 16), "its sizes do not match the file"},
        {"name size", flipped(trailer + 24), "its sizes do not match the file"},
        {"huge script size", flipped(trailer + 23), "its sizes do not match the file"},
        {"cut", ByteSet(good.begin(), good.end() - 1), "its trailer is missing or broken"},
        {"cut into image", ByteSet(image.begin(), image.end() - 1),
         "it is shorter than its own image"},
    };
    for (const Case& c : cases) {
        const PayloadProbe probe = probePayload(c.bytes);
        EXPECT_EQ(probe.kind, PayloadProbe::Kind::Damaged) << c.what;
        EXPECT_EQ(probe.problem, c.problem) << c.what;
    }
}

TEST(Payload, NonElfFilesRelyOnTheTrailer) {
    const ByteSet image = {'n', 'o', 't', ' ', 'e', 'l', 'f'};
    EXPECT_EQ(elfImageEnd(image), std::nullopt);
    EXPECT_EQ(probePayload(image).kind, PayloadProbe::Kind::None);
    const PayloadProbe probe = probePayload(appendPayload(image, kScript, "x.php"));
    ASSERT_EQ(probe.kind, PayloadProbe::Kind::Found);
    EXPECT_EQ(probe.payload.script, kScript);
    ByteSet broken = appendPayload(image, kScript, "x.php");
    broken[2] = 'T';
    EXPECT_EQ(probePayload(broken).kind, PayloadProbe::Kind::Damaged);
}

TEST(Payload, TruncatedElfHeaderIsNoElf) {
    const ByteSet image = ownImage();
    EXPECT_EQ(elfImageEnd(ByteSet(image.begin(), image.begin() + 10)), std::nullopt);
}

}  // namespace
}  // namespace quillet

#include "ui/layer/gbk_codec.h"

#include <gtest/gtest.h>

#include <string>

namespace vorlo::ui {
namespace {

// Every two-byte GBK character survives the trip to the toolkit's Unicode and back.
TEST(GbkCodecTest, EveryTwoByteCharacterRoundTrips) {
    int characters = 0;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F) {
                continue;
            }
            const std::string bytes{char(lead), char(trail)};
            const QString decoded = fromGbk(bytes);
            if (decoded == QString(QChar::ReplacementCharacter) || decoded.size() != 1) {
                continue; // an unassigned code
            }
            ++characters;
            ASSERT_EQ(toGbk(decoded).bytes(), bytes) << std::hex << lead << ' ' << trail;
        }
    }
    EXPECT_GT(characters, 21000) << "GBK assigns 21886 two-byte characters";
}

TEST(GbkCodecTest, ACharacterGbkCannotHoldBecomesOneQuestionMarkAndTheRestIsKept) {
    const QString typed = QString::fromUtf8("1\xF0\x9F\x98\x80"
                                            "2\xE2\x82\xA9分");
    EXPECT_EQ(toGbk(typed).bytes(), std::string_view("1?2?\xB7\xD6"));
}

} // namespace
} // namespace vorlo::ui

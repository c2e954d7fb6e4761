#include "ui/layer/gbk_codec.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <gtest/gtest.h>

#include <string>

namespace vorlo::ui {
namespace {

// The program converts from its own table; the toolkit's ICU converter for code page 936, where
// the toolkit has one, is what the table was made from and must agree with it character by
// character, both ways. Two differences are the program's own, so that nothing goes silently: a
// lead byte cut off at the end reads as U+FFFD where the converter drops it, and an invisible
// formatting character GBK cannot hold (U+200B, U+FEFF, ...) becomes '?' like any other, where
// the converter leaves it out.
class GbkAgainstToolkitTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!decoder.isValid() || !encoder.isValid()) {
            GTEST_SKIP() << "this Qt has no GBK converter to compare with";
        }
    }

    // For one byte or a pair of bytes.
    QString expectedDecoded(const std::string& bytes) {
        QString decoded = decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
        const auto isLead = [](char byte) {
            return static_cast<unsigned char>(byte) >= 0x81 &&
                   static_cast<unsigned char>(byte) <= 0xFE;
        };
        if (isLead(bytes.back()) && (bytes.size() == 1 || !isLead(bytes.front()))) {
            decoded += QChar::ReplacementCharacter; // the lead byte cut off at the end
        }
        return decoded;
    }

    std::string expectedEncoded(const QString& text) {
        const QByteArray bytes = encoder.encode(text);
        return bytes.isEmpty() ? std::string("?") : bytes.toStdString();
    }

    QStringDecoder decoder{"GBK", QStringConverter::Flag::Stateless};
    QStringEncoder encoder{"GBK", QStringConverter::Flag::Stateless};
};

TEST_F(GbkAgainstToolkitTest, EveryByteAndBytePairDecodesAlike) {
    for (int lead = 0; lead <= 0xFF; ++lead) {
        const std::string alone{char(lead)};
        ASSERT_EQ(fromGbk(alone), expectedDecoded(alone)) << std::hex << lead;
        for (int trail = lead >= 0x81 ? 0x00 : 0x100; trail <= 0xFF; ++trail) {
            const std::string pair{char(lead), char(trail)};
            ASSERT_EQ(fromGbk(pair), expectedDecoded(pair)) << std::hex << lead << ' ' << trail;
        }
    }
}

TEST_F(GbkAgainstToolkitTest, EveryCharacterOfTheBasicPlaneEncodesAlike) {
    for (char32_t u = 0; u <= 0xFFFF; ++u) {
        if (u >= 0xD800 && u <= 0xDFFF) {
            continue; // halves of characters beyond the plane: see the '?' test below
        }
        const QString text{QChar(char16_t(u))};
        ASSERT_EQ(toGbk(text).bytes(), expectedEncoded(text)) << std::hex << unsigned(u);
    }
}

TEST(GbkCodecTest, ACharacterGbkCannotHoldBecomesOneQuestionMarkAndTheRestIsKept) {
    const QString typed = QString::fromUtf8("1\xF0\x9F\x98\x80"
                                            "2\xE2\x82\xA9分");
    EXPECT_EQ(toGbk(typed).bytes(), std::string_view("1?2?\xB7\xD6"));
    const QChar loneHalves[] = {QChar(u'a'), QChar(char16_t(0xDC00)), QChar(char16_t(0xD800))};
    EXPECT_EQ(toGbk(QString(loneHalves, 3)).bytes(), std::string_view("a??"));
}

} // namespace
} // namespace vorlo::ui

#include "data/cp1250.h"

#include <gtest/gtest.h>

namespace
{

struct Letter {
    const char* cp1250;
    const char* utf8;
};

// Every Czech letter with a diacritic, in both cases, and the euro sign.
const Letter kCzech[] = {
    {"\xE1\xC1", "áÁ"}, {"\xE8\xC8", "čČ"}, {"\xEF\xCF", "ďĎ"}, {"\xE9\xC9", "éÉ"},
    {"\xEC\xCC", "ěĚ"}, {"\xED\xCD", "íÍ"}, {"\xF2\xD2", "ňŇ"}, {"\xF3\xD3", "óÓ"},
    {"\xF8\xD8", "řŘ"}, {"\x9A\x8A", "šŠ"}, {"\x9D\x8D", "ťŤ"}, {"\xFA\xDA", "úÚ"},
    {"\xF9\xD9", "ůŮ"}, {"\xFD\xDD", "ýÝ"}, {"\x9E\x8E", "žŽ"}, {"\x80", "€"},
};

TEST(Cp1250, czechLettersRoundTrip)
{
    for (const Letter& letter : kCzech) {
        EXPECT_EQ(Cp1250::toUtf8(letter.cp1250), letter.utf8) << letter.utf8;
        EXPECT_EQ(Cp1250::fromUtf8(letter.utf8), letter.cp1250) << letter.utf8;
    }
}

TEST(Cp1250, programTextsKeepTheirBytes)
{
    EXPECT_EQ(Cp1250::fromUtf8("Přijem konfiurace"), "P\xF8ijem konfiurace");
    EXPECT_EQ(Cp1250::toUtf8("Odesl\xE1n po\x9E"
                             "adavek (0xE0)"),
              "Odeslán požadavek (0xE0)");
}

TEST(Cp1250, everyDefinedByteRoundTrips)
{
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, char(b));
        if (Cp1250::toUnicode(static_cast<unsigned char>(b)) == u'\uFFFD')
            continue;
        EXPECT_EQ(Cp1250::fromUtf8(Cp1250::toUtf8(byte)), byte) << b;
    }
}

TEST(Cp1250, undefinedBytesDecodeToReplacementCharacter)
{
    for (unsigned char b : {0x81, 0x83, 0x88, 0x90, 0x98}) {
        EXPECT_EQ(Cp1250::toUtf8(std::string(1, char(b))), "\xEF\xBF\xBD") << int(b);
        EXPECT_EQ(Cp1250::toUnicode(b), u'\uFFFD');
    }
}

TEST(Cp1250, charactersOutsideTheCodePageBecomeQuestionMarks)
{
    EXPECT_EQ(Cp1250::fromUtf8("a\xEF\xBF\xBD"
                               "b"),
              "a?b");                                   // U+FFFD
    EXPECT_EQ(Cp1250::fromUtf8("ł→å😀"), "\xB3???");     // U+2192, U+00E5, U+1F600
    EXPECT_EQ(Cp1250::fromUtf8("\xC3"), "?");           // cut sequence
    EXPECT_EQ(Cp1250::fromUtf8("\xE0\x81\x81"), "???"); // overlong 'A'
}

} // namespace

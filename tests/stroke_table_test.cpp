#include "reckoning/stroke_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "reckoning/shift_jis.h"
#include "tests/sjis.h"

namespace tenkari {
namespace {

using test::sjis;

std::uint16_t code_of(const std::string& character) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(character[0]) << 8 |
                                      static_cast<unsigned char>(character[1]));
}

// Each character of a UTF-8 text, as its Shift-JIS code.
std::vector<std::uint16_t> codes_of(std::string_view utf8) {
    const std::string bytes = sjis(utf8);
    std::vector<std::uint16_t> codes;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        codes.push_back(code_of(bytes.substr(i, 2)));
    }
    EXPECT_EQ(bytes.size() % 2, 0u) << utf8;
    return codes;
}

bool is_kanji_code(std::uint16_t code) {
    return code >= 0x889F && code <= 0xEAA2;
}

// The index must answer every 16-bit code exactly as the class-by-class search does.
TEST(StrokeTable, IndexAgreesWithTheSearchForEveryCode) {
    for (std::uint32_t code = 0; code <= 0xFFFF; ++code) {
        ASSERT_EQ(stroke_count(static_cast<std::uint16_t>(code)),
                  stroke_count_by_search(static_cast<std::uint16_t>(code)))
            << std::hex << code;
    }
}

TEST(StrokeTable, ClassSizes) {
    const int characters[kStrokeClassCount] = {24,  98,  128, 138, 168, 207, 316, 436, 465, 550,
                                               575, 576, 537, 432, 429, 368, 301, 204, 173, 128,
                                               113, 65,  52,  36,  19,  9,   9,   5,   5,   2};
    const int kanji[kStrokeClassCount] = {5,   29,  58,  109, 148, 200, 315, 436, 465, 550,
                                          575, 576, 537, 432, 429, 368, 301, 204, 173, 128,
                                          113, 65,  52,  36,  19,  9,   9,   5,   5,   2};
    int total = 0;
    for (int k = 1; k <= kStrokeClassCount; ++k) {
        const std::string_view text = stroke_class(k);
        ASSERT_EQ(text.size() % 2, 0u) << k;
        int kanji_count = 0;
        for (std::size_t i = 0; i < text.size(); i += 2) {
            kanji_count += is_kanji_code(code_of(std::string(text.substr(i, 2)))) ? 1 : 0;
        }
        EXPECT_EQ(static_cast<int>(text.size() / 2), characters[k - 1]) << "class " << k;
        EXPECT_EQ(kanji_count, kanji[k - 1]) << "class " << k;
        total += static_cast<int>(text.size() / 2);
    }
    EXPECT_EQ(total, 6568);
    EXPECT_EQ(stroke_class(0), nullptr);
    EXPECT_EQ(stroke_class(31), nullptr);
}

// Exactly the JIS X 0208 kanji up to 0xEAA2, the kana but eight, the letters but Ｕ, and
// 々 〃 ー; each once.
TEST(StrokeTable, HoldsExactlyTheAllowedCharactersOnce) {
    std::set<std::uint16_t> expected;
    for (std::uint32_t code = 0x889F; code <= 0xEAA2; ++code) {
        const unsigned trail = code & 0xFF;
        if (!is_sjis_lead_byte(static_cast<unsigned char>(code >> 8)) || trail < 0x40 ||
            trail == 0x7F || trail > 0xFC) {
            continue;
        }
        const std::string bytes{static_cast<char>(code >> 8), static_cast<char>(trail)};
        if (test::utf8(bytes) != "?") {
            expected.insert(static_cast<std::uint16_t>(code));
        }
    }
    EXPECT_EQ(expected.size(), 6353u);
    for (std::uint32_t code = 0x829F; code <= 0x82F1; ++code) {  // ぁ..ん
        expected.insert(static_cast<std::uint16_t>(code));
    }
    for (std::uint32_t code = 0x8340; code <= 0x8396; ++code) {  // ァ..ヶ
        if (code != 0x837F) {
            expected.insert(static_cast<std::uint16_t>(code));
        }
    }
    for (const std::uint16_t left_out : codes_of("ゎゐゑヮヰヱヵヶ")) {
        expected.erase(left_out);
    }
    for (const std::uint16_t letter :
         codes_of("ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＶＷＸＹＺ"
                  "ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚ"
                  "々〃ー")) {
        expected.insert(letter);
    }
    EXPECT_EQ(expected.size(), 6568u);

    std::set<std::uint16_t> held;
    for (int k = 1; k <= kStrokeClassCount; ++k) {
        const std::string text = stroke_class(k);
        for (std::size_t i = 0; i < text.size(); i += 2) {
            EXPECT_TRUE(held.insert(code_of(text.substr(i, 2))).second)
                << "twice: " << test::utf8(text.substr(i, 2));
        }
    }
    EXPECT_TRUE(held == expected);
    for (const std::uint16_t code : expected) {
        EXPECT_TRUE(held.count(code)) << "missing " << std::hex << code;
    }
}

struct ClassRow {
    int strokes;
    const char* characters;  // UTF-8
};

// The kana, letters and marks, complete; and the kanji whose counts are fixed.
const ClassRow kFixedRows[] = {
    {1, "くしつのへっノフヘレＣＩＯＳｃｌｏｓー一乙丶丿亅"},
    {2,
     "いうこてとひめりろんぺぃぅアイカクコスセソトナニヌハヒマムメヤユラリルワンプペァィャュ"
     "ＤＪＬＰＱＴＶＸａｂｄｅｆｈｉｊｎｐｑｒｔｕｖｘｙ〃"
     "九七十人丁刀二入乃八卜又了力乂亠儿冂冖冫几凵勹匕匚匸卩厂厶"},
    {3,
     "あえかけさすせちにぬみむもやゆよらるれわぐじづべぴぁぇゃゅょ"
     "ウエオキケサシタチツテミモヨロヲブベパピゥェォッョＡＢＦＧＨＫＮＲＹＺｇｋｍｚ々"
     "三千万"},
    {4, "おきそたねはふまをごでどびぉネホガグゴズゼゾドバビＥＭＷｗ五六牙木日"},
    {5, "なほがげざずぜぢぱぷギゲザジダヂヅデポヴ打辻四瓜巨広辺本"},
    {6, "ぎぞだばぶぽボ池江百"},
    {7, "ぼ快花近狂肝沢臣"},
    {8, "河性英阿国林"},
    {9, "海持指草郎玲神"},
    {10, "院祥胸被竜"},
    {11, "情進部都理球猫國葛"},
    {12, "萬道陽腕補森"},
    {13, "遡福飴"},
    {15, "廣"},
    {16, "謎澤龍"},
    {19, "邊"},
    {25, "欝廳攬灣籬糶臠蠻覊躡釁鑰鑵靉顱鬣鹽黌鼈"},
    {26, "欖矚讚躪鑷驢鬮鱶黶"},
    {27, "鑽鑼鑾顴顳驥驤鱸黷"},
    {28, "纜钁鑿驩鸚"},
    {29, "鬱欟爨驪鸛"},
    {30, "驫鸞"},
};

TEST(StrokeTable, FixedCharactersStandInTheirClasses) {
    for (const ClassRow& row : kFixedRows) {
        for (const std::uint16_t code : codes_of(row.characters)) {
            EXPECT_EQ(stroke_count(code), row.strokes)
                << test::utf8(std::string{static_cast<char>(code >> 8), static_cast<char>(code)});
        }
    }
}

// Classes 1, 2 and 25 to 30 hold nothing but the characters listed for them.
TEST(StrokeTable, ShortClassesAreComplete) {
    for (const ClassRow& row : kFixedRows) {
        if (row.strokes > 2 && row.strokes < 25) {
            continue;
        }
        const std::vector<std::uint16_t> listed = codes_of(row.characters);
        EXPECT_EQ(std::strlen(stroke_class(row.strokes)) / 2, listed.size()) << row.strokes;
    }
}

TEST(StrokeTable, CharactersOutsideTheTableCountNothing) {
    for (const std::uint16_t code : codes_of("凜熙Ｕ１０・〆〇ゝゞヽヾ　、。αЖ─①")) {
        EXPECT_EQ(stroke_count(code), 0) << std::hex << code;
    }
    for (std::uint16_t code = 0; code < 0x100; ++code) {
        EXPECT_EQ(stroke_count(code), 0);  // a lead byte paired with a NUL, or single bytes
    }
}

}  // namespace
}  // namespace tenkari

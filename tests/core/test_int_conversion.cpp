#include "common/Comon_State.h"

#include <gtest/gtest.h>

using UComon::Try_Str_To_Int;

TEST(Shell_IntConversion, WholeTextRules) {
    struct Case {
        const char* text;
        bool ok;
        int value;
    } cases[] = {
        {"0", true, 0},
        {"502", true, 502},
        {"   42", true, 42}, // leading blanks allowed
        {"42 ", false, 0},   // nothing may follow, not even a blank
        {"+7", true, 7},
        {"-7", true, -7},
        {"2147483647", true, 2147483647},
        {"-2147483648", true, -2147483647 - 1},
        {"2147483648", false, 0},
        {"99999999999999999999", false, 0},
        {"$FF", true, 255},
        {"x1f", true, 31},
        {"X1F", true, 31},
        {"0x10", true, 16},
        {"0X10", true, 16},
        {"$FFFFFFFF", true, -1},  // a 32-bit pattern
        {"$100000000", false, 0}, // more than eight digits
        {"$", false, 0},
        {"0x", false, 0},
        {"$G1", false, 0},
        {"", false, 0},
        {"  ", false, 0},
        {"-", false, 0},
        {"1.5", false, 0},
        {"12a", false, 0},
        {"\t5", false, 0},
    };
    for (const Case& c : cases) {
        int v = 12345;
        EXPECT_EQ(Try_Str_To_Int(QString::fromLatin1(c.text), v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(v, c.value) << c.text;
        }
    }
    EXPECT_EQ(UComon::Str_To_Int_Def("abc", -1), -1);
    EXPECT_EQ(UComon::Str_To_Int_Def("10000", -1), 10000);
}

#include "platform/text.h"

#include <gtest/gtest.h>

#include <clocale>

using namespace platform;

namespace {

TEST(TextTest, NumbersToTextAndBack) {
    struct Case {
        double n;
        const char* str;
    } cases[] = {{1, " 1"}, {-1, "-1"}, {0, " 0"}, {-0.0, " 0"}, {10, " 10"}, {2.5, " 2.5"}, {-32768, "-32768"}};
    for (const auto& c : cases) EXPECT_EQ(Str(c.n), c.str) << c.n;

    struct ValCase {
        const char* text;
        double v;
    } vals[] = {{"42", 42}, {"  42abc", 42}, {"3.5", 3.5}, {"-7", -7}, {"+8", 8}, {"x", 0}, {"", 0},
                {"00042", 42}, {" 1e3", 1000}, {"2e", 2}, {".5", 0.5}, {"1,5", 1}};
    for (const auto& c : vals) EXPECT_EQ(Val(c.text), c.v) << c.text;
}

TEST(TextTest, NumberConversionsIgnoreTheLocale) {
    const char* old = std::setlocale(LC_ALL, nullptr);
    std::string saved = old ? old : "C";
    if (std::setlocale(LC_ALL, "pt_BR.UTF-8") == nullptr) std::setlocale(LC_ALL, "de_DE.UTF-8");
    EXPECT_EQ(Str(2.5), " 2.5");
    EXPECT_EQ(Val("2.5"), 2.5);
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(TextTest, TrimCaseAndCharacters) {
    EXPECT_EQ(Trim("  a b  "), "a b");
    EXPECT_EQ(LTrim("  a "), "a ");
    EXPECT_EQ(RTrim("  a "), "  a");
    EXPECT_EQ(UCase("chicória ação"), "CHICÓRIA AÇÃO");
    EXPECT_EQ(LCase("APIÁCEAS ÷×"), "apiáceas ÷×");

    EXPECT_EQ(Len("Rúcula"), 6);
    EXPECT_EQ(Left("Rúcula", 2), "Rú");
    EXPECT_EQ(Right("Rúcula", 5), "úcula");
    EXPECT_EQ(Mid("Rúcula", 2, 3), "úcu");
    EXPECT_EQ(Mid("Rúcula", 3), "cula");
    EXPECT_EQ(Right("00000" + std::string("1:23"), 5), "01:23");
    EXPECT_EQ(Right("ab", 5), "ab");
    EXPECT_EQ(InStr("Couve Flor", "Flor"), 7);
    EXPECT_EQ(InStr("ação ação", "ação"), 1);
    EXPECT_EQ(InStr(2, "ação ação", "ação"), 6);
    EXPECT_EQ(InStr("abc", "z"), 0);
    EXPECT_EQ(Chr(65), "A");
    EXPECT_EQ(Chr(0xE1), "á");
    EXPECT_EQ(Asc("á"), 0xE1);
    EXPECT_EQ(String(3, "0"), "000");
}

}  // namespace

#include "store/FieldText.h"
#include "store/Variant.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>

namespace {

TEST(AutomationDate, CalendarFieldsWeekdayAndDayOfYear)
{
    EXPECT_EQ(ado::FormatDate(45000.75, "%Y-%m-%d %H:%M:%S %a %j"), "2023-03-15 18:00:00 Wed 074");
    EXPECT_EQ(ado::FormatDate(0.0, ""), "1899-12-30 00:00:00");
    // Before the epoch the fraction is still the time of day.
    EXPECT_EQ(ado::FormatDate(-1.5, ""), "1899-12-29 12:00:00");
    EXPECT_EQ(ado::FormatDate(60.0 + 0.5 / 86400000.0, "%Y-%m-%d %H:%M:%S"), "1900-02-28 00:00:00");

    double ole = 0;
    ASSERT_TRUE(ado::ParseDateText("2024-02-29 13:45:06.250", ole));
    const ado::DateParts p = ado::OleDateToParts(ole);
    EXPECT_EQ((std::array{p.year, p.month, p.day, p.hour, p.minute, p.second, p.millisecond}),
              (std::array{2024, 2, 29, 13, 45, 6, 250}));
    // A day past the end of its month runs on into the next.
    ASSERT_TRUE(ado::ParseDateText("2023-02-30", ole));
    EXPECT_EQ(ado::FormatDate(ole, "%Y-%m-%d"), "2023-03-02");
    EXPECT_FALSE(ado::ParseDateText("2023-13-01", ole));
}

// Another program's store may hold any number as a date: one outside the
// years 100 to 9999 has no text as a field, and is never a day count that
// overflows.
TEST(AutomationDate, ANumberPastTheYearsOfDatesHasNoFieldText)
{
    std::string text = "kept";
    EXPECT_FALSE(store::FieldToText(ado::Variant::Date(1e300), "", text));
    EXPECT_FALSE(store::FieldToText(ado::Variant::Date(-1e300), "", text));
    EXPECT_FALSE(store::FieldToText(ado::Variant::Date(std::nan("")), "", text));
    EXPECT_EQ(text, "kept");
    EXPECT_TRUE(store::FieldToText(ado::Variant::Date(2958465.5), "", text));
    EXPECT_EQ(text, "9999-12-31 12:00:00");
    EXPECT_EQ(ado::OleDateToParts(1e300).year, 9999);
    EXPECT_EQ(ado::OleDateToParts(-1e300).year, 100);
}

TEST(VariantPayload, KindsSharingAPayloadStayApart)
{
    EXPECT_NE(ado::Variant::I4(5), ado::Variant::Int(5));
    EXPECT_NE(ado::Variant::R8(1.0), ado::Variant::Date(1.0));
    EXPECT_EQ(ado::Variant::Bstr("a"), ado::Variant::Bstr("a"));
    EXPECT_EQ(ado::Variant::Null(), ado::Variant::Null());
    EXPECT_NE(ado::Variant::Null(), ado::Variant());
    // Asked for a payload it does not hold, a value answers zero or empty.
    EXPECT_EQ(ado::Variant::Bstr("x").lVal(), 0);
    EXPECT_EQ(ado::Variant::I4(7).bstrVal(), "");
    EXPECT_EQ(ado::Variant::Bool(true).boolVal(), ado::VARIANT_TRUE);
    EXPECT_EQ(ado::Variant::Missing().scode(), ado::DISP_E_PARAMNOTFOUND);
}

} // namespace

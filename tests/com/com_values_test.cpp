// The COM values the backends pass and read: dates, texts, text lists, and the errors made of
// HRESULTs and exception information.
#include "com/com_error.h"
#include "com/object.h"
#include "com/ole_date.h"
#include "com/variant.h"
#include "notes/com/item_variant.h"

#include <gtest/gtest.h>

namespace varnemo::com {
namespace {

TEST(OleDate, CarriesDateAndTimeBothWays)
{
    const auto full = DateTime::Full(2026, 3, 7, 14, 5, 9);
    EXPECT_EQ(FromOleDate(ToOleDate(full)), full);
    // 2026-03-07 is day 46088 after 1899-12-30.
    EXPECT_DOUBLE_EQ(ToOleDate(DateTime::DateOnly(2026, 3, 7)), 46088.0);
    EXPECT_DOUBLE_EQ(ToOleDate(DateTime::TimeOnly(6, 0, 0)), 0.25);
    EXPECT_EQ(FromOleDate(46088.5), DateTime::Full(2026, 3, 7, 12, 0, 0));
}

TEST(OleDate, OutlooksNoDateIsNoValueAndNoValueHasNoDate)
{
    EXPECT_FALSE(FromOleDate(ToOleDate(DateTime::DateOnly(kNoDateYear, 1, 1))).hasValue());
    EXPECT_THROW(ToOleDate(DateTime()), ComponentError);
}

TEST(ItemVariant, GivesEachKindOfItemValueItsType)
{
    const auto text = notes::com::ItemVariant(std::string("Memo"));
    EXPECT_EQ(text.type(), VT_BSTR);
    EXPECT_EQ(TextOf(text, "text"), "Memo");

    const auto date = notes::com::ItemVariant(DateTime::Full(2026, 3, 7, 14, 5, 9));
    EXPECT_EQ(date.type(), VT_DATE);
    EXPECT_EQ(DateOf(date, "date"), DateTime::Full(2026, 3, 7, 14, 5, 9));

    const auto empty = notes::com::ItemVariant(DateTime());
    EXPECT_EQ(empty.type(), VT_BSTR);
    EXPECT_EQ(TextOf(empty, "empty date"), "");

    const auto list = notes::com::ItemVariant(std::vector<std::string>{"D", "S"});
    ASSERT_EQ(list.type(), VT_ARRAY | VT_BSTR);
    SAFEARRAY* array = list.get().parray;
    LONG lower = -1, upper = -1;
    SafeArrayGetLBound(array, 1, &lower);
    SafeArrayGetUBound(array, 1, &upper);
    EXPECT_EQ(lower, 0);
    EXPECT_EQ(upper, 1);
    BSTR* elements = nullptr;
    ASSERT_EQ(SafeArrayAccessData(array, reinterpret_cast<void**>(&elements)), S_OK);
    EXPECT_STREQ(elements[0], L"D");
    EXPECT_STREQ(elements[1], L"S");
    SafeArrayUnaccessData(array);
}

TEST(ItemVariant, GivesADateTimeListADateArray)
{
    const auto list = notes::com::ItemVariant(
        std::vector<DateTime>{DateTime::Full(2026, 3, 9, 10, 0, 0), DateTime::Full(2026, 3, 10, 10, 0, 0)});
    ASSERT_EQ(list.type(), VT_ARRAY | VT_DATE);
    DATE* elements = nullptr;
    ASSERT_EQ(SafeArrayAccessData(list.get().parray, reinterpret_cast<void**>(&elements)), S_OK);
    EXPECT_EQ(FromOleDate(elements[0]), DateTime::Full(2026, 3, 9, 10, 0, 0));
    EXPECT_EQ(FromOleDate(elements[1]), DateTime::Full(2026, 3, 10, 10, 0, 0));
    SafeArrayUnaccessData(list.get().parray);
}

TEST(VariantReaders, ConvertWhatTheyCanAndNameWhatTheyCannot)
{
    EXPECT_EQ(TextOf(Variant::Int32(42), "RDOMail.Importance"), "42");
    EXPECT_EQ(LongOf(Variant::Text("2"), "RDOMail.Importance"), 2);
    EXPECT_EQ(LongOf(Variant(), "RDOMail.Importance"), 0);
    EXPECT_FALSE(DateOf(Variant(), "RDOMail.ReminderTime").hasValue());
    EXPECT_EQ(BytesOf(Variant(), "RDOMail.Fields"), "");
    try {
        BytesOf(Variant::Text("text"), "RDOMail.Fields");
        FAIL() << "a text is no bytes";
    } catch (const ComponentError& error) {
        EXPECT_STREQ(error.what(), "RDOMail.Fields gave VT_BSTR, not bytes");
    }
    try {
        DispatchOf(Variant::Text("not an object"), "RDOStore.IPMRootFolder");
        FAIL() << "a text is no object";
    } catch (const ComponentError& error) {
        EXPECT_STREQ(error.what(), "RDOStore.IPMRootFolder gave no object (VT_BSTR)");
    }
}

TEST(ComError, SaysWhichCallFailedWithTheComponentsOwnReport)
{
    EXPECT_EQ(HresultText(REGDB_E_CLASSNOTREG).rfind("0x80040154", 0), 0u);
    EXCEPINFO exception{};
    exception.bstrSource = SysAllocString(L"Notes");
    exception.bstrDescription = SysAllocString(L"Database has not been opened yet");
    exception.scode = static_cast<SCODE>(0x80040FA3);
    try {
        ThrowComError("NotesDatabase.CreateDocument", DISP_E_EXCEPTION, &exception);
    } catch (const ComponentError& error) {
        EXPECT_STREQ(error.what(),
                     "NotesDatabase.CreateDocument failed: Notes: Database has not been opened yet (0x80040FA3)");
    }
    EXPECT_EQ(exception.bstrSource, nullptr);
    EXPECT_EQ(exception.bstrDescription, nullptr);
}

TEST(ComObject, CreatingAnUnregisteredClassNamesIt)
{
    try {
        Object::Create("Varnemo.NoSuchClass", "NoSuchClass");
        FAIL() << "the class is not registered";
    } catch (const ComponentError& error) {
        EXPECT_NE(std::string(error.what()).find("looking up the class Varnemo.NoSuchClass failed: 0x800401F3"),
                  std::string::npos)
            << error.what();
    }
}

}  // namespace
}  // namespace varnemo::com

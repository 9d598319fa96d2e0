// result_layout_test.cpp - an answer laid out by attribute name: every value under the column of
// each name that matches its attribute's, binary values readable, the groups "*" and "+" put in
// place by the names of the answer in the order met.
#include "result/result_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "result/result_table.h"
#include "result/shown_result.h"
#include "../table_of.h"

namespace {

using Names = std::vector<std::string>;

/// The columns of a search asking for a result attribute field: one per piece between commas.
ResultColumns AskedFor(const std::string& field)
{
    ResultColumns columns;
    for (std::size_t from = 0;;) {
        const std::size_t comma = field.find(',', from);
        columns.attributes.push_back(field.substr(from, comma - from));
        if (comma == std::string::npos) {
            break;
        }
        from = comma + 1;
    }
    columns.headings = columns.attributes;
    return columns;
}

TEST(ResultLayout, EveryValueUnderTheColumnOfItsAttributeName)
{
    const struct {
        const char* name;
        const char* asked;
        Names cells;  // the entry's cells after its entry cell, as the query writes them
        Names values;
        bool hasValue;
    } cases[] = {
        {"missing and repeated attributes, server order",
         "cn,title,l,mail",
         {"<ATTRIBUTE>mail", "<VALUE>a@x", "<ATTRIBUTE>cn", "<VALUE>Ann", "<ATTRIBUTE>telephoneNumber", "<VALUE>1",
          "<VALUE>2"},
         {"Ann", "", "", "a@x"},
         true},
        {"several values share a cell in server order",
         "cn,telephoneNumber",
         {"<ATTRIBUTE>telephoneNumber", "<VALUE>2", "<VALUE>1", "<ATTRIBUTE>cn", "<VALUE>Ann"},
         {"Ann", "2, 1"},
         true},
        {"alias, case and options name one attribute",
         "surname,CN,mail",
         {"<ATTRIBUTE>sn", "<VALUE>Smith", "<ATTRIBUTE>commonName;lang-de", "<VALUE>Schmied", "<ATTRIBUTE>cn",
          "<VALUE>Smith"},
         {"Smith", "Schmied, Smith", ""},
         true},
        {"empty pieces are columns that stay empty",
         ",cn,,",
         {"<ATTRIBUTE>cn", "<VALUE>Ann"},
         {"", "Ann", "", ""},
         true},
        {"a name asked twice fills both columns",
         "l,localityName",
         {"<ATTRIBUTE>l", "<VALUE>Bonn"},
         {"Bonn", "Bonn"},
         true},
        {"values only in later columns", "cn,mail", {"<ATTRIBUTE>mail", "<VALUE>a@x"}, {"", "a@x"}, true},
        {"a binary value and an empty value are values",
         "jpegPhoto,description",
         {"<ATTRIBUTE>jpegPhoto", std::string("<VALUE>\xff\xd8\x00", 10), "<ATTRIBUTE>description", "<VALUE>"},
         {"<binary, 3 bytes>", ""},
         true},
        {"binary values are shown readable, text that looks like them as it is",
         "objectGUID,description,cn",
         {"<ATTRIBUTE>objectGUID", "<VALUE>0123456789abcdef", "<ATTRIBUTE>description", "<VALUE><binary, 3 bytes>",
          "<ATTRIBUTE>cn", "<VALUE>Ann", "<VALUE>\xfc", "<VALUE>Bo"},
         {"33323130-3534-3736-3839-616263646566", "<binary, 3 bytes>", "Ann, <binary, 1 bytes>, Bo"},
         true},
        {"no asked attribute", "cn,mail", {"<ATTRIBUTE>objectClass", "<VALUE>person"}, {"", ""}, false},
        {"no cells at all", "cn", {}, {""}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Names cells = c.cells;
        cells.insert(cells.begin(), "<ENTRY>cn=<VALUE>a,o=x");
        ShownResult shown;
        shown.Set(TableOf({cells, {"<ENTRY>cn=b"}}, static_cast<int32_t>(cells.size())), AskedFor(c.asked));
        ASSERT_EQ(shown.EntryCount(), 2u);
        // A name holding a tag's text is still a name.
        EXPECT_EQ(shown.RowDn(0), "cn=<VALUE>a,o=x");
        Names first;
        Names second;
        for (std::size_t k = 0; k < shown.ColumnCount(); ++k) {
            first.emplace_back(shown.RowText(0, k));
            second.emplace_back(shown.RowText(1, k));
        }
        EXPECT_EQ(first, c.values);
        EXPECT_EQ(second, Names(c.values.size()));
        // Only an entry with a value of an asked attribute gets a list item.
        EXPECT_EQ(shown.ItemDns(), c.hasValue ? Names{"cn=<VALUE>a,o=x"} : Names{});
    }
}

TEST(ResultLayout, GroupsGiveAColumnForEachNameOfTheAnswerInTheOrderMet)
{
    const ResultTable table =
        TableOf({{"<ENTRY>cn=a", "<ATTRIBUTE>cn", "<VALUE>a", "<ATTRIBUTE>mail", "<VALUE>m",
                  "<ATTRIBUTE>createTimestamp", "<VALUE>2024", "<ATTRIBUTE>CN;lang-de", "<VALUE>A"},
                 {"<ENTRY>cn=b", "<ATTRIBUTE>sn", "<VALUE>s", "<ATTRIBUTE>commonName", "<VALUE>b",
                  "<ATTRIBUTE>entryUUID", "<VALUE>u"}},
                9);
    const struct {
        const char* asked;
        Names headings;
        Names first;
    } cases[] = {
        {"*", {"cn", "mail", "createTimestamp", "sn", "entryUUID"}, {"a, A", "m", "2024", "", ""}},
        {"mail,*", {"mail", "cn", "createTimestamp", "sn", "entryUUID"}, {"m", "a, A", "2024", "", ""}},
        {"*,+", {"cn", "mail", "sn", "createTimestamp", "entryUUID"}, {"a, A", "m", "", "2024", ""}},
        {"+,CN", {"mail", "createTimestamp", "sn", "entryUUID", "CN"}, {"m", "2024", "", "", "a, A"}},
        {"cn,sn,mail,createTimestamp,entryuuid, * ",
         {"cn", "sn", "mail", "createTimestamp", "entryuuid"},
         {"a, A", "", "m", "2024", ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.asked);
        ShownResult shown;
        shown.Set(table, AskedFor(c.asked));
        EXPECT_EQ(shown.Headings(), c.headings);
        Names first;
        for (std::size_t k = 0; k < shown.ColumnCount(); ++k) {
            first.emplace_back(shown.RowText(0, k));
        }
        EXPECT_EQ(first, c.first);
    }
}

}  // namespace

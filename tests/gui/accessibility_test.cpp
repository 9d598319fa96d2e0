// accessibility_test.cpp - the result list and the fields read back through the accessibility layer,
// as a screen reader reads them. Runs in its own CTest entry under a private session bus (dbus-run-session),
// which also starts the accessibility bus and registry on demand and stops them after.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>

#include "search_window_fixture.h"

namespace {

/// What a reader script prints about this process, read while its events keep flowing.
std::string ReadThroughAccessibility(const char* reader = CORVANE_RESULT_LIST_READER)
{
    const std::string command = std::string("/usr/bin/python3 ") + reader + " " + std::to_string(getpid()) + " 2>&1";
    // the reader asks this process over the bus, so its events must keep flowing meanwhile
    auto reading = std::async(std::launch::async, [command] { return RunCommand(command).text; });
    while (reading.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready) {
        PumpEvents();
        WaitBriefly();
    }
    return reading.get();
}

class ResultListAccessibility : public SearchWindowTest {};

}  // namespace

// One window for all the readings: a window destroyed while a reader listens makes the desktop's
// accessibility bridge complain about what is left of it.
TEST_F(ResultListAccessibility, FieldsByTheirLabelsThenHeadingsAndRowsInTheShownOrder)
{
    ASSERT_NE(std::getenv("DBUS_SESSION_BUS_ADDRESS"), nullptr) << "run under dbus-run-session";
    const std::string fields = ReadThroughAccessibility(CORVANE_FIELD_NAMES_READER);
    for (const char* label : {"LDAP server", "LDAP port", "Disting. name", "Search preselection", "Search attribute",
                              "Result attribute", "Searchstring", "Result"}) {
        SCOPED_TRACE(label);
        EXPECT_NE(fields.find(std::string("\t") + label + "\t" + label + "\n"), std::string::npos) << fields;
    }

    Search("sn", "Width", "cn,telephoneNumber");
    EXPECT_EQ(ReadThroughAccessibility(), "cn\ttelephoneNumber\nWidth Five\t333\nWidth Four\t111, 222\n");

    ClickHeading(1);
    EXPECT_EQ(ReadThroughAccessibility(), "cn\ttelephoneNumber\nWidth Four\t111, 222\nWidth Five\t333\n");

    Search("sn", "Nobody", "mail");
    EXPECT_EQ(ReadThroughAccessibility(), "cn\ttelephoneNumber\nNo result found for 'Nobody*'\t\n");
}

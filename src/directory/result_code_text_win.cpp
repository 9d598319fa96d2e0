// result_code_text_win.cpp - result code texts on Windows: the texts the Linux build shows, so a
// failure reads the same on both (WLDAP32's own texts differ in wording and case). The protocol's
// codes are shared; WLDAP32 numbers the client's own codes from 0x51 on.
#include "directory/result_code_text.h"

#include <algorithm>
#include <iterator>

namespace {

struct CodeText {
    int code;
    const char* text;
};

constexpr CodeText kTexts[] = {
    {0, "Success"},
    {1, "Operations error"},
    {2, "Protocol error"},
    {3, "Time limit exceeded"},
    {4, "Size limit exceeded"},
    {5, "Compare False"},
    {6, "Compare True"},
    {7, "Authentication method not supported"},
    {8, "Strong(er) authentication required"},
    {9, "Partial results and referral received"},
    {10, "Referral"},
    {11, "Administrative limit exceeded"},
    {12, "Critical extension is unavailable"},
    {13, "Confidentiality required"},
    {14, "SASL bind in progress"},
    {16, "No such attribute"},
    {17, "Undefined attribute type"},
    {18, "Inappropriate matching"},
    {19, "Constraint violation"},
    {20, "Type or value exists"},
    {21, "Invalid syntax"},
    {32, "No such object"},
    {33, "Alias problem"},
    {34, "Invalid DN syntax"},
    {35, "Entry is a leaf"},
    {36, "Alias dereferencing problem"},
    {47, "Proxy Authorization Failure (X)"},
    {48, "Inappropriate authentication"},
    {49, "Invalid credentials"},
    {50, "Insufficient access"},
    {51, "Server is busy"},
    {52, "Server is unavailable"},
    {53, "Server is unwilling to perform"},
    {54, "Loop detected"},
    {64, "Naming violation"},
    {65, "Object class violation"},
    {66, "Operation not allowed on non-leaf"},
    {67, "Operation not allowed on RDN"},
    {68, "Already exists"},
    {69, "Cannot modify object class"},
    {70, "Results too large"},
    {71, "Operation affects multiple DSAs"},
    {76, "Virtual List View error"},
    {80, "Other (e.g., implementation specific) error"},
    {81, "Can't contact LDAP server"},
    {82, "Local error"},
    {83, "Encoding error"},
    {84, "Decoding error"},
    {85, "Timed out"},
    {86, "Unknown authentication method"},
    {87, "Bad search filter"},
    {88, "User cancelled operation"},
    {89, "Bad parameter to an ldap routine"},
    {90, "Out of memory"},
    {91, "Connect error"},
    {92, "Not Supported"},
    {93, "Control not found"},
    {94, "No results returned"},
    {95, "More results to return"},
    {96, "Client Loop"},
    {97, "Referral Limit Exceeded"},
    {118, "Cancelled"},
    {119, "No Operation to Cancel"},
    {120, "Too Late to Cancel"},
    {121, "Cannot Cancel"},
    {122, "Assertion Failed"},
    {123, "Proxied Authorization Denied"},
};

}  // namespace

std::string ResultCodeText(int resultCode)
{
    const auto* found = std::find_if(std::begin(kTexts), std::end(kTexts),
                                     [resultCode](const CodeText& entry) { return entry.code == resultCode; });
    return found != std::end(kTexts) ? found->text : "error " + std::to_string(resultCode);
}

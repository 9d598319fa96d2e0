// collation.cpp - CompareInUserLocale over the standard library's collation of the user's locale.
#include "platform/collation.h"

#include <locale>
#include <stdexcept>
#include <string>

namespace {

std::locale UserLocale()
{
    try {
        return std::locale("");
    } catch (const std::runtime_error&) {
        return std::locale::classic();  // the environment names a locale that is not installed
    }
}

}  // namespace

int CompareInUserLocale(const wxString& a, const wxString& b)
{
    static const std::locale locale = UserLocale();
    static const auto& collate = std::use_facet<std::collate<wchar_t>>(locale);
    const std::wstring left = a.ToStdWstring();
    const std::wstring right = b.ToStdWstring();
    return collate.compare(left.data(), left.data() + left.size(), right.data(), right.data() + right.size());
}

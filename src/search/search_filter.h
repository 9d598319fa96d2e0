// search_filter.h - the filter of a search over one or several attributes.
#pragma once

#include <string>

/// The filter that finds escapedValue in the attributes of attributeField. A field without a
/// comma gives "(" + field + "=" + value + ")" as it stands. Names separated by commas
/// ("cn,mail,uid") give "(|(cn=v)(mail=v)(uid=v))", blanks around a name and empty names left
/// out; when one name remains it gets the one-term filter.
std::string AttributeFilter(const std::string& attributeField, const std::string& escapedValue);

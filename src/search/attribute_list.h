// attribute_list.h - the common LDAP attribute names the attribute combo boxes offer.
#pragma once

#include <span>

/// The 51 attribute names of the main window's two attribute combo boxes and of the detail-fields
/// dialog's combo box, in template order (spellings as they are, "RegisteredAdress" included).
std::span<const char* const> AttributeNames();

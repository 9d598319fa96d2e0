// result_code_text_posix.cpp - result code texts from libldap itself.
#include "directory/result_code_text.h"

#include "directory/ldap_client.h"

std::string ResultCodeText(int resultCode)
{
    const char* text = ldap_err2string(resultCode);
    return text != nullptr ? text : "error " + std::to_string(resultCode);
}

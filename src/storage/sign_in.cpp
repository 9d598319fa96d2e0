// sign_in.cpp - the names of the ways to sign in.
#include "storage/sign_in.h"

#include <algorithm>
#include <cctype>

const char* SignInName(SignIn signIn)
{
    switch (signIn) {
        case SignIn::Password:
            return "password";
        case SignIn::Kerberos:
            return "kerberos";
        case SignIn::Anonymous:
            break;
    }
    return "anonymous";
}

std::optional<SignIn> SignInNamed(const std::string& text)
{
    std::string lower = text;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (SignIn signIn : {SignIn::Anonymous, SignIn::Password, SignIn::Kerberos}) {
        if (lower == SignInName(signIn)) {
            return signIn;
        }
    }
    return std::nullopt;
}

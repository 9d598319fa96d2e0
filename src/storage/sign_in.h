// sign_in.h - how a search signs in to the directory, and the names a profile and the command
// line give the three ways.
#pragma once

#include <optional>
#include <string>

/** How a search signs in: not at all, with a bind name and its password, or with the user's own
 * sign-in to the system (the Kerberos ticket in the credential cache; on Windows the Windows
 * account). */
enum class SignIn { Anonymous, Password, Kerberos };

/// What a bind name alone means, as it always has: none signs in anonymously, one with its password.
inline SignIn ImpliedSignIn(const std::string& bindName)
{
    return bindName.empty() ? SignIn::Anonymous : SignIn::Password;
}

/// How a search with the chosen way and bind name signs in: Password without a name is anonymous.
inline SignIn EffectiveSignIn(SignIn chosen, const std::string& bindName)
{
    return chosen == SignIn::Password ? ImpliedSignIn(bindName) : chosen;
}

/// "anonymous", "password" or "kerberos".
const char* SignInName(SignIn signIn);
/// The way named by text (a name of SignInName, in any case), or nullopt.
std::optional<SignIn> SignInNamed(const std::string& text);

// password_memory.h - the bind passwords typed while the window runs, one for each server,
// port and bind name, in memory only.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <tuple>

#include "directory/password.h"

/**
 * The passwords the user typed during this run, each kept for the server field, port and bind
 * name it was typed for, so that later searches there do not ask again. Never written anywhere;
 * a password is overwritten when it is forgotten and when the memory ends with the window.
 */
class PasswordMemory {
public:
    /// The password for server, port and bindName, or nullptr when none was typed.
    const Password* Find(const std::string& server, int32_t port, const std::string& bindName) const;
    /// Keeps password for server, port and bindName, replacing one kept before.
    void Remember(const std::string& server, int32_t port, const std::string& bindName, Password password);
    /// Drops the password for server, port and bindName (after the server refused it).
    void Forget(const std::string& server, int32_t port, const std::string& bindName);

private:
    using Key = std::tuple<std::string, int32_t, std::string>;
    std::map<Key, Password> m_passwords;
};

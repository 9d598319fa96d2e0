// password_memory.cpp - PasswordMemory: a map of passwords, each wiped when its entry goes.
#include "search/password_memory.h"

const Password* PasswordMemory::Find(const std::string& server, int32_t port, const std::string& bindName) const
{
    const auto found = m_passwords.find(Key(server, port, bindName));
    return found != m_passwords.end() ? &found->second : nullptr;
}

void PasswordMemory::Remember(const std::string& server, int32_t port, const std::string& bindName, Password password)
{
    m_passwords[Key(server, port, bindName)] = std::move(password);
}

void PasswordMemory::Forget(const std::string& server, int32_t port, const std::string& bindName)
{
    m_passwords.erase(Key(server, port, bindName));
}

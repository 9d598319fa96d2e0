// password.cpp - Password: a buffer of its own, wiped before it is released.
#include "directory/password.h"

#include <cstring>

void WipeBytes(void* data, std::size_t size)
{
    if (data == nullptr || size == 0) {
        return;
    }
    // Writes through a volatile pointer are kept even when the memory is freed right after.
    volatile unsigned char* bytes = static_cast<volatile unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = 0;
    }
}

void WipeString(std::string& text)
{
    // The whole capacity: a shorter text may have been held in the same buffer before.
    text.resize(text.capacity());
    WipeBytes(text.data(), text.size());
    text.clear();
}

Password::Password(std::string_view bytes)
{
    if (bytes.empty()) {
        return;  // no buffer: Bytes() is empty
    }
    m_bytes.reset(new char[bytes.size() + 1]);
    m_size = bytes.size();
    std::memcpy(m_bytes.get(), bytes.data(), bytes.size());
    m_bytes[m_size] = '\0';
}

Password::~Password()
{
    Clear();
}

Password::Password(const Password& other) : Password(other.Bytes()) {}

Password& Password::operator=(const Password& other)
{
    if (this != &other) {
        Password copy(other);
        *this = std::move(copy);
    }
    return *this;
}

Password::Password(Password&& other) noexcept : m_bytes(std::move(other.m_bytes)), m_size(other.m_size)
{
    other.m_size = 0;
}

Password& Password::operator=(Password&& other) noexcept
{
    if (this != &other) {
        Clear();
        m_bytes = std::move(other.m_bytes);
        m_size = other.m_size;
        other.m_size = 0;
    }
    return *this;
}

Password Password::Taking(std::string& text)
{
    Password password(text);
    WipeString(text);
    return password;
}

void Password::Clear()
{
    if (m_bytes) {
        WipeBytes(m_bytes.get(), m_size + 1);
        m_bytes.reset();
    }
    m_size = 0;
}

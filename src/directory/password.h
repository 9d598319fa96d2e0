// password.h - a bind password held only in memory and overwritten when it is dropped.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

/// Overwrites size bytes at data with zeros in a way the compiler does not leave out.
void WipeBytes(void* data, std::size_t size);
/// Overwrites the whole buffer of text (up to its capacity) and empties it.
void WipeString(std::string& text);

/**
 * The bytes of a password in a buffer of its own, overwritten when the password is cleared,
 * replaced or destroyed. It is never written anywhere: no file, log or temporary file gets it.
 * Copies are wiped as well; moving hands the buffer over without a copy.
 */
class Password {
public:
    Password() = default;
    explicit Password(std::string_view bytes);
    ~Password();
    Password(const Password& other);
    Password& operator=(const Password& other);
    Password(Password&& other) noexcept;
    Password& operator=(Password&& other) noexcept;

    /// Takes the bytes of text and wipes text, so the only copy left is this one.
    static Password Taking(std::string& text);

    std::string_view Bytes() const { return {m_bytes.get(), m_size}; }
    bool Empty() const { return m_size == 0; }
    /// Overwrites the bytes and empties the password.
    void Clear();

private:
    std::unique_ptr<char[]> m_bytes;
    std::size_t m_size = 0;
};

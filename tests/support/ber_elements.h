// ber_elements.h - the few BER encodings the loopback test servers read and write: one
// tag-length-value element, integers, and the elements one after another in a content.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ber {

// LDAP protocol tags.
inline constexpr unsigned char kSequence = 0x30;
inline constexpr unsigned char kSet = 0x31;
inline constexpr unsigned char kInteger = 0x02;
inline constexpr unsigned char kOctets = 0x04;
inline constexpr unsigned char kEnumerated = 0x0a;
inline constexpr unsigned char kBindRequest = 0x60;
inline constexpr unsigned char kBindResponse = 0x61;
inline constexpr unsigned char kSearchRequest = 0x63;
inline constexpr unsigned char kSearchEntry = 0x64;
inline constexpr unsigned char kSearchDone = 0x65;
inline constexpr unsigned char kUnbindRequest = 0x42;
inline constexpr unsigned char kAbandonRequest = 0x50;
inline constexpr unsigned char kControls = 0xa0;
inline constexpr const char* kPagedResultsOid = "1.2.840.113556.1.4.319";

/** One element: its tag and its content. */
struct Element {
    unsigned char tag = 0;
    std::string content;
};

/// tag, the length of content in the shortest form, content.
std::string Tlv(unsigned char tag, std::string_view content);
/// An integer (or enumerated) element of value in the shortest two's complement form.
std::string Integer(unsigned char tag, long value);
/// The value of an integer element's content.
long IntegerValue(std::string_view content);
/// The element at bytes[at], at moved past it; nullopt when bytes end before it does.
std::optional<Element> Read(std::string_view bytes, std::size_t& at);
/// The elements content holds one after another; nullopt when one of them is cut.
std::optional<std::vector<Element>> Elements(std::string_view content);
/// The elements of an LDAP message's outer sequence: its message id, its operation and, when it
/// has them, its controls; nullopt when message is no whole element or one of them is cut.
std::optional<std::vector<Element>> MessageParts(std::string_view message);
/// The length of the whole first element of bytes (its tag, length and content); 0 while bytes
/// hold only part of it.
std::size_t WholeLength(std::string_view bytes);

}  // namespace ber

// ber_elements.cpp - tag-length-value elements, read and written.
#include "ber_elements.h"

namespace ber {

std::string Tlv(unsigned char tag, std::string_view content)
{
    std::string out(1, static_cast<char>(tag));
    const std::size_t length = content.size();
    if (length < 0x80) {
        out += static_cast<char>(length);
    } else {
        std::string bytes;
        for (std::size_t rest = length; rest != 0; rest >>= 8) {
            bytes.insert(bytes.begin(), static_cast<char>(rest & 0xff));
        }
        out += static_cast<char>(0x80 | bytes.size());
        out += bytes;
    }
    return out.append(content);
}

std::string Integer(unsigned char tag, long value)
{
    std::string bytes;
    for (;;) {
        bytes.insert(bytes.begin(), static_cast<char>(value & 0xff));
        const bool sign = (bytes.front() & 0x80) != 0;
        value >>= 8;
        if ((value == 0 && !sign) || (value == -1 && sign)) {
            break;
        }
    }
    return Tlv(tag, bytes);
}

long IntegerValue(std::string_view content)
{
    long value = !content.empty() && (content.front() & 0x80) ? -1 : 0;
    for (const char byte : content) {
        value = static_cast<long>((static_cast<unsigned long>(value) << 8) | static_cast<unsigned char>(byte));
    }
    return value;
}

namespace {

/// Where the content of the element at bytes[at] starts and how long it is; nullopt while cut.
std::optional<std::pair<std::size_t, std::size_t>> Header(std::string_view bytes, std::size_t at)
{
    if (at + 2 > bytes.size()) {
        return std::nullopt;
    }
    std::size_t length = static_cast<unsigned char>(bytes[at + 1]);
    std::size_t from = at + 2;
    if (length & 0x80) {
        const std::size_t count = length & 0x7f;
        if (count > sizeof(std::size_t) || from + count > bytes.size()) {
            return std::nullopt;
        }
        length = 0;
        for (std::size_t i = 0; i < count; ++i) {
            length = (length << 8) | static_cast<unsigned char>(bytes[from++]);
        }
    }
    if (length > bytes.size() - from) {
        return std::nullopt;
    }
    return std::make_pair(from, length);
}

}  // namespace

std::optional<Element> Read(std::string_view bytes, std::size_t& at)
{
    const auto header = Header(bytes, at);
    if (!header) {
        return std::nullopt;
    }
    Element element{static_cast<unsigned char>(bytes[at]), std::string(bytes.substr(header->first, header->second))};
    at = header->first + header->second;
    return element;
}

std::optional<std::vector<Element>> Elements(std::string_view content)
{
    std::vector<Element> elements;
    for (std::size_t at = 0; at < content.size();) {
        std::optional<Element> element = Read(content, at);
        if (!element) {
            return std::nullopt;
        }
        elements.push_back(std::move(*element));
    }
    return elements;
}

std::optional<std::vector<Element>> MessageParts(std::string_view message)
{
    std::size_t at = 0;
    const std::optional<Element> whole = Read(message, at);
    return whole ? Elements(whole->content) : std::nullopt;
}

std::size_t WholeLength(std::string_view bytes)
{
    const auto header = Header(bytes, 0);
    return header ? header->first + header->second : 0;
}

}  // namespace ber

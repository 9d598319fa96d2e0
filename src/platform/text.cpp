// text.cpp - the core's 8-bit text <-> wxString, through the UTF-8 rules of text_codec.
#include "platform/text.h"

#include "platform/text_codec.h"

wxString ToWx(std::string_view bytes)
{
    return wxString(DecodeBytes(bytes));
}

std::string FromWx(const wxString& text)
{
    return EncodeText(text.ToStdWstring());
}

wxString ToWxLabel(const std::string& bytes)
{
    return ToWx(DoubleAmpersands(bytes));
}

// attribute_list.cpp - the 51 attribute names in template order.
#include "search/attribute_list.h"

namespace {

const char* const kAttributeNames[] = {
    "cn",
    "sn",
    "rdn",
    "co",
    "st",
    "l",
    "DistinguishedName",
    "Mail",
    "Info",
    "CommonName",
    "Surname",
    "GivenName",
    "Initials",
    "GenerationQualifier",
    "CountryName",
    "LocalityName",
    "StateOrProvinceName",
    "OrganizationName",
    "OrganizationalUnitName",
    "Title",
    "StreetAddress",
    "HouseIdentifier",
    "Description",
    "BusinessCategory",
    "PostalCode",
    "PostOfficeBox",
    "PhysicalDeliveryOfficeName",
    "KnowledgeInformation",
    "SerialNumber",
    "DNQualifier",
    "DestinationIndicator",
    "TelephoneNumber",
    "X121Address",
    "InternationalISDNNumber",
    "SupportedApplicationContext",
    "UniqueIdentifier",
    "UniqueMember",
    "Member",
    "Owner",
    "RoleOccupant",
    "SeeAlso",
    "SearchGuide",
    "EnhancedSearchGuide",
    "PostalAddress",
    "RegisteredAdress",
    "TelexNumber",
    "TeletexTerminalIdentifier",
    "FacsimileTelephoneNumber",
    "PreferedDeliveryMethod",
    "PresentationAddress",
    "ProtocolInformation",
};

static_assert(sizeof(kAttributeNames) / sizeof(kAttributeNames[0]) == 51);

}  // namespace

std::span<const char* const> AttributeNames()
{
    return kAttributeNames;
}

#pragma once

#include "source/pff/property_key.h"

#include <cstdint>

// The properties this backend reads, by the ids under which Outlook stores them.
namespace varnemo::mapi::pff::tag {

inline constexpr std::uint16_t Importance = 0x0017;
inline constexpr std::uint16_t MessageClass = 0x001A;
inline constexpr std::uint16_t Subject = 0x0037;
inline constexpr std::uint16_t ClientSubmitTime = 0x0039;
inline constexpr std::uint16_t SentRepresentingName = 0x0042;
inline constexpr std::uint16_t SenderName = 0x0C1A;
inline constexpr std::uint16_t SenderAddressType = 0x0C1E;
inline constexpr std::uint16_t SenderEmailAddress = 0x0C1F;
inline constexpr std::uint16_t DisplayBcc = 0x0E02;
inline constexpr std::uint16_t DisplayCc = 0x0E03;
inline constexpr std::uint16_t DisplayTo = 0x0E04;
inline constexpr std::uint16_t MessageDeliveryTime = 0x0E06;
inline constexpr std::uint16_t RecordKey = 0x0FF9;
inline constexpr std::uint16_t Body = 0x1000;
inline constexpr std::uint16_t RtfCompressed = 0x1009;
inline constexpr std::uint16_t Html = 0x1013;
inline constexpr std::uint16_t InternetMessageId = 0x1035;
inline constexpr std::uint16_t RecipientType = 0x0C15;
inline constexpr std::uint16_t DisplayName = 0x3001;
inline constexpr std::uint16_t AddressType = 0x3002;
inline constexpr std::uint16_t EmailAddress = 0x3003;
inline constexpr std::uint16_t SmtpAddress = 0x39FE;
inline constexpr std::uint16_t CreationTime = 0x3007;
inline constexpr std::uint16_t IpmSubtreeEntryId = 0x35E0;
inline constexpr std::uint16_t ContainerClass = 0x3613;
inline constexpr std::uint16_t AttachDataBinary = 0x3701;
inline constexpr std::uint16_t AttachFilename = 0x3704;
inline constexpr std::uint16_t AttachMethod = 0x3705;
inline constexpr std::uint16_t AttachLongFilename = 0x3707;
inline constexpr std::uint16_t AttachPathname = 0x3708;
inline constexpr std::uint16_t AttachLongPathname = 0x370D;
inline constexpr std::uint16_t AttachMimeTag = 0x370E;
inline constexpr std::uint16_t InternetCodepage = 0x3FDE;
inline constexpr std::uint16_t AttachmentFlags = 0x7FFD;
inline constexpr std::uint16_t AttachmentHidden = 0x7FFE;
inline constexpr std::uint16_t MessageCodepage = 0x3FFD;
inline constexpr std::uint16_t SenderSmtpAddress = 0x5D01;

inline constexpr std::uint16_t Generation = 0x3A05;
inline constexpr std::uint16_t GivenName = 0x3A06;
inline constexpr std::uint16_t BusinessTelephoneNumber = 0x3A08;
inline constexpr std::uint16_t HomeTelephoneNumber = 0x3A09;
inline constexpr std::uint16_t Surname = 0x3A11;
inline constexpr std::uint16_t CompanyName = 0x3A16;
inline constexpr std::uint16_t JobTitle = 0x3A17;
inline constexpr std::uint16_t DepartmentName = 0x3A18;
inline constexpr std::uint16_t OfficeLocation = 0x3A19;
inline constexpr std::uint16_t MobileTelephoneNumber = 0x3A1C;
inline constexpr std::uint16_t PagerTelephoneNumber = 0x3A21;
inline constexpr std::uint16_t BusinessFaxNumber = 0x3A24;
inline constexpr std::uint16_t HomeFaxNumber = 0x3A25;
inline constexpr std::uint16_t Country = 0x3A26;
inline constexpr std::uint16_t Locality = 0x3A27;
inline constexpr std::uint16_t StateOrProvince = 0x3A28;
inline constexpr std::uint16_t StreetAddress = 0x3A29;
inline constexpr std::uint16_t PostalCode = 0x3A2A;
inline constexpr std::uint16_t Assistant = 0x3A30;
inline constexpr std::uint16_t WeddingAnniversary = 0x3A41;
inline constexpr std::uint16_t Birthday = 0x3A42;
inline constexpr std::uint16_t MiddleName = 0x3A44;
inline constexpr std::uint16_t DisplayNamePrefix = 0x3A45;
inline constexpr std::uint16_t SpouseName = 0x3A48;
inline constexpr std::uint16_t ManagerName = 0x3A4E;
inline constexpr std::uint16_t BusinessHomePage = 0x3A51;
inline constexpr std::uint16_t ChildrensNames = 0x3A58;
inline constexpr std::uint16_t HomeAddressCity = 0x3A59;
inline constexpr std::uint16_t HomeAddressCountry = 0x3A5A;
inline constexpr std::uint16_t HomeAddressPostalCode = 0x3A5B;
inline constexpr std::uint16_t HomeAddressStateOrProvince = 0x3A5C;
inline constexpr std::uint16_t HomeAddressStreet = 0x3A5D;

}  // namespace varnemo::mapi::pff::tag

namespace varnemo::mapi::pff::named {

inline const PropertyKey ReminderTime = PropertyKey::LongId(property_set::Common, 0x8502);
inline const PropertyKey Keywords = PropertyKey::Name(property_set::PublicStrings, "Keywords");
inline const PropertyKey AppointmentStart = PropertyKey::LongId(property_set::Appointment, 0x820D);
inline const PropertyKey AppointmentEnd = PropertyKey::LongId(property_set::Appointment, 0x820E);
inline const PropertyKey Location = PropertyKey::LongId(property_set::Appointment, 0x8208);
inline const PropertyKey Recurring = PropertyKey::LongId(property_set::Appointment, 0x8223);
inline const PropertyKey AppointmentRecur = PropertyKey::LongId(property_set::Appointment, 0x8216);
inline const PropertyKey TimeZoneStruct = PropertyKey::LongId(property_set::Appointment, 0x8233);
inline const PropertyKey TaskStartDate = PropertyKey::LongId(property_set::Task, 0x8104);
inline const PropertyKey TaskDueDate = PropertyKey::LongId(property_set::Task, 0x8105);
inline const PropertyKey Email1Address = PropertyKey::LongId(property_set::Address, 0x8083);
inline const PropertyKey Email2Address = PropertyKey::LongId(property_set::Address, 0x8093);
inline const PropertyKey Email3Address = PropertyKey::LongId(property_set::Address, 0x80A3);
inline const PropertyKey WorkAddressStreet = PropertyKey::LongId(property_set::Address, 0x8045);
inline const PropertyKey WorkAddressCity = PropertyKey::LongId(property_set::Address, 0x8046);
inline const PropertyKey WorkAddressState = PropertyKey::LongId(property_set::Address, 0x8047);
inline const PropertyKey WorkAddressPostalCode = PropertyKey::LongId(property_set::Address, 0x8048);
inline const PropertyKey WorkAddressCountry = PropertyKey::LongId(property_set::Address, 0x8049);
inline const PropertyKey WebPage = PropertyKey::LongId(property_set::Address, 0x802B);
inline const PropertyKey BirthdayLocal = PropertyKey::LongId(property_set::Address, 0x80DE);
inline const PropertyKey WeddingAnniversaryLocal = PropertyKey::LongId(property_set::Address, 0x80DF);
inline const PropertyKey DistributionListName = PropertyKey::LongId(property_set::Address, 0x8053);
inline const PropertyKey DistributionListOneOffMembers = PropertyKey::LongId(property_set::Address, 0x8054);

}  // namespace varnemo::mapi::pff::named

#include "store/access/FileHeader.h"

#include "store/access/PageView.h"
#include "store/access/Rc4.h"
#include "store/access/Unreadable.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace jet {

namespace {
constexpr unsigned char kMagic[4] = {0x00, 0x01, 0x00, 0x00};
constexpr char kJetName[] = "Standard Jet DB";
constexpr char kAceName[] = "Standard ACE DB";
constexpr std::size_t kNameAt = 4;
constexpr std::size_t kNameSize = 15;
constexpr std::size_t kVersionAt = 0x14;
constexpr std::size_t kMaskedAt = 0x18;
constexpr unsigned char kMaskKey[4] = {0xC7, 0xDA, 0x39, 0x6B}; // 0x6B39DAC7
constexpr std::size_t kCodePageAt = 0x3C;
constexpr std::size_t kEncryptionKeyAt = 0x3E;
constexpr std::size_t kPasswordAt = 0x42;
constexpr std::size_t kCreationDateAt = 0x72; // Jet 4 masks the password with it
// How much of the header the mask covers, and how long the password is.
constexpr std::size_t kJet3MaskedSize = 126;
constexpr std::size_t kJet4MaskedSize = 128;
constexpr std::size_t kJet3PasswordSize = 20;
constexpr std::size_t kJet4PasswordSize = 40; // UTF-16

bool NameIs(const PageView& page, std::string_view name)
{
    return page.Bytes(kNameAt, kNameSize) == name;
}

// The creation date as a 32-bit integer, the way Jet 4 derives its mask;
// out-of-range dates saturate instead of overflowing.
std::int32_t DateMask(double date)
{
    if (std::isnan(date))
        return 0;
    date = std::clamp(date, double{std::numeric_limits<std::int32_t>::min()},
                      double{std::numeric_limits<std::int32_t>::max()});
    return static_cast<std::int32_t>(date);
}

bool HasPassword(const PageView& page, JetVersion version)
{
    const std::string_view stored = page.Bytes(
        kPasswordAt, version == JetVersion::Jet3 ? kJet3PasswordSize : kJet4PasswordSize);
    std::vector<unsigned char> password(stored.begin(), stored.end());
    if (version == JetVersion::Jet4) {
        double date = 0;
        std::memcpy(&date, page.Bytes(kCreationDateAt, sizeof date).data(), sizeof date);
        const auto mask = static_cast<std::uint32_t>(DateMask(date));
        for (std::size_t i = 0; i < password.size(); ++i)
            password[i] ^= static_cast<unsigned char>(mask >> (8 * (i % 4)));
    }
    return std::any_of(password.begin(), password.end(), [](unsigned char c) { return c != 0; });
}
} // namespace

FileHeader ReadFileHeader(ByteSource& source)
{
    const std::uint64_t size = source.Size();
    unsigned char start[kMaskedAt] = {};
    if (size < sizeof start)
        Refuse("it is not an Access file (it is too short)");
    source.Read(0, sizeof start, start);
    const PageView opening(start, Place{});
    if (std::memcmp(start, kMagic, sizeof kMagic) != 0 ||
        !(NameIs(opening, kJetName) || NameIs(opening, kAceName)))
        Refuse("it is not an Access file");
    const unsigned version = opening.U8(kVersionAt);
    if (NameIs(opening, kAceName))
        Refuse("it is an Access 2007 or later file (the ACE format of .accdb files), which this "
               "reader does not read");
    if (version != 0 && version != 1)
        Refuse("it is a Jet file of an unknown version (" + std::to_string(version) + ")");

    FileHeader header;
    header.version = version == 0 ? JetVersion::Jet3 : JetVersion::Jet4;
    const std::size_t pageSize = header.Format().pageSize;
    if (size < pageSize || size % pageSize != 0)
        Refuse("the file is cut short (it does not end on a page boundary)");

    std::vector<unsigned char> page(pageSize);
    source.Read(0, pageSize, page.data());
    Rc4Xor(kMaskKey, sizeof kMaskKey, page.data() + kMaskedAt,
           header.version == JetVersion::Jet3 ? kJet3MaskedSize : kJet4MaskedSize);
    const PageView masked(page, Place{});
    if (masked.U32(kEncryptionKeyAt) != 0)
        Refuse("it is encrypted, which this reader does not read (decrypt it in Access first)");
    if (HasPassword(masked, header.version))
        Refuse("it is protected by a database password, which this reader does not open (remove "
               "the password in Access first)");
    header.codePage = masked.U16(kCodePageAt);
    return header;
}

} // namespace jet

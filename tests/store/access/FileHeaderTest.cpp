// The first page: what the reader accepts and what it refuses, saying what
// the file is; and Access 97's code pages.
#include "store/access/FileHeader.h"

#include "store/access/CodePageText.h"
#include "store/access/Rc4.h"
#include "store/access/Unreadable.h"
#include "tests/store/AccessFixtures.h"
#include "tests/store/access/JetBytes.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

constexpr unsigned char kMaskKey[4] = {0xC7, 0xDA, 0x39, 0x6B};

// The reader's refusal of `file`, or "" when it takes it.
std::string Refusal(const std::string& file)
{
    jet::MemorySource source(file);
    try {
        jet::ReadFileHeader(source);
    } catch (const jet::Unreadable& failure) {
        return failure.what();
    }
    return {};
}

void Mask(std::string& page)
{
    jet::Rc4Xor(kMaskKey, 4, reinterpret_cast<unsigned char*>(&page[0x18]), 128);
}

// A real Jet 4 first page, unmasked so that a case can change it; File()
// masks it again, as the first of two pages.
class Header : public ::testing::Test
{
protected:
    void SetUp() override
    {
        page = accessfixtures::Bytes(accessfixtures::Path("emptyJet4.mdb")).substr(0, 4096);
        Mask(page);
    }
    std::string File() const
    {
        std::string masked = page;
        Mask(masked);
        return masked + std::string(4096, '\0');
    }

    std::string page;
};

TEST(Rc4, MasksWithJetsPublishedKeyStream)
{
    unsigned char bytes[8] = {};
    jet::Rc4Xor(kMaskKey, 4, bytes, sizeof bytes);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes), 8), "\xB5\x6F\x03\x62\x61\x08\xC2\x55"s);
}

TEST_F(Header, APlainJet4FileIsTakenWithItsCodePage)
{
    const std::string file = File();
    jet::MemorySource source(file);
    const jet::FileHeader header = jet::ReadFileHeader(source);
    EXPECT_EQ(header.version, jet::JetVersion::Jet4);
    EXPECT_EQ(header.Format().pageSize, 4096u);
    EXPECT_EQ(header.codePage, 1252);
}

TEST_F(Header, FilesOfOtherKindsAreRefusedSayingWhatTheyAre)
{
    page.replace(4, 15, "Standard ACE DB");
    page[0x14] = 2;
    EXPECT_NE(Refusal(File()).find("Access 2007 or later"), std::string::npos);

    page.replace(4, 15, "Standard Jet DB");
    page[0x14] = 7;
    EXPECT_EQ(Refusal(File()), "it is a Jet file of an unknown version (7)");
    page[0x14] = 1;

    EXPECT_EQ(Refusal(std::string(8192, 'x')), "it is not an Access file");
    EXPECT_EQ(Refusal("\0\1\0\0"s), "it is not an Access file (it is too short)");
    EXPECT_EQ(Refusal(File().substr(0, 5000)),
              "the file is cut short (it does not end on a page boundary)");
}

TEST_F(Header, EncryptedAndPasswordProtectedFilesAreRefused)
{
    page[0x3E] = 0x5A;
    EXPECT_NE(Refusal(File()).find("it is encrypted"), std::string::npos);
    page[0x3E] = 0;

    // Jet 4 masks the password with the creation date: bytes equal to the
    // date's mask are no password, any other is one.
    EXPECT_EQ(Refusal(File()), "");
    page[0x44] = static_cast<char>(page[0x44] ^ 'p');
    EXPECT_NE(Refusal(File()).find("database password"), std::string::npos);
}

TEST(CodePageText, SingleByteCodePagesConvertAndMultiByteOnesAreRefused)
{
    EXPECT_EQ(jet::CodePageText(1252).ToUtf8("a\x80\x81"), "a\xE2\x82\xAC?"); // "a€?"
    EXPECT_EQ(jet::CodePageText(0).ToUtf8("\xE9"), "\xC3\xA9");               // Western é
    EXPECT_EQ(jet::CodePageText(1251).ToUtf8("\xC0"), "\xD0\x90");            // Cyrillic А
    EXPECT_THROW(jet::CodePageText(936), jet::Unreadable);
}

} // namespace

// entry_photos_test.cpp - which picture of each entry the details window shows, and how its bytes
// and its entry are named.
#include <gtest/gtest.h>

#include "../table_of.h"
#include "search/entry_photos.h"

TEST(EntryPhotos, EachEntryGivesItsPreferredFirstPicture)
{
    const ResultTable table = TableOf({
        {"<ENTRY>cn=a", "<ATTRIBUTE>thumbnailPhoto", "<VALUE>thumb", "<ATTRIBUTE>JPEGPHOTO;binary", "<VALUE>jpeg1",
         "<VALUE>jpeg2"},
        {"<ENTRY>cn=b", "<ATTRIBUTE>cn", "<VALUE>b"},
        {"<ENTRY>cn=c", "<ATTRIBUTE>thumbnailphoto", "<VALUE>small"},
    });
    const std::vector<EntryPhoto> all = EntryPhotos(table, std::nullopt);
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].dn, "cn=a");
    EXPECT_EQ(all[0].bytes, "jpeg1");
    EXPECT_EQ(all[1].bytes, "small");
    const std::vector<EntryPhoto> chosen = EntryPhotos(table, std::set<std::string>{"cn=c"});
    ASSERT_EQ(chosen.size(), 1u);
    EXPECT_EQ(chosen[0].dn, "cn=c");
}

TEST(EntryPhotos, NamesFormatsAndCaptions)
{
    EXPECT_EQ(WithPhotoAttributes({"cn", "jpegphoto"}),
              (std::vector<std::string>{"cn", "jpegphoto", "thumbnailPhoto"}));
    EXPECT_TRUE(WithPhotoAttributes({}).empty());  // no names asks for every attribute already

    const std::pair<std::string, std::string> formats[] = {
        {std::string("\xFF\xD8\xFF\xE0", 4), "jpg"},
        {std::string("\x89PNG\r\n\x1A\n", 8), "png"},
        {"GIF89a", "gif"},
        {std::string("\xFF\xD8", 2), "bin"},
        {"", "bin"},
    };
    for (const auto& [bytes, extension] : formats) {
        EXPECT_EQ(PhotoExtension(bytes), extension);
    }

    const std::pair<std::string, std::string> captions[] = {
        {"cn=Anna Berg,ou=people,dc=x", "Anna Berg"},
        {"cn=Berg\\, Anna,ou=people", "Berg, Anna"},
        {"uid=a+cn=b,dc=x", "a"},
        {"no rdn", "no rdn"},
        {std::string("cn=a\nb", 6), "a_b"},
    };
    for (const auto& [dn, caption] : captions) {
        EXPECT_EQ(PhotoCaption(dn), caption);
    }
}

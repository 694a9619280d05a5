// The driver's hosting page is built from the hosted page's template: both template forms read,
// and a template cut anywhere, or with a caption that never ends, builds nothing.
#include "core/library/page_template16.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::vector<uint8_t> Seed(const char* name) {
    std::ifstream in(std::string(DRVOPUI_SOURCE_DIR) + "/fuzz/corpus/page_template16/" + name, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(PageTemplate16, BothFormsGiveTheSizeFontAndTitleAndACutTemplateNothing) {
    struct Case {
        const char* file;
        int cx, cy;
        const char* title;
    };
    for (const Case& c : {Case{"dialog.bin", 260, 236, "Device Settings"}, Case{"dialogex.bin", 390, 236, "Page Setup"}}) {
        const std::vector<uint8_t> hosted = Seed(c.file);
        ASSERT_FALSE(hosted.empty()) << c.file;
        std::vector<uint8_t> out;
        std::size_t title = 0;
        ASSERT_TRUE(Win16PageTemplate(hosted.data(), static_cast<DWORD>(hosted.size()), out, title)) << c.file;
        EXPECT_EQ(out[4], 0) << "no controls";
        EXPECT_EQ(out[9] | out[10] << 8, c.cx) << c.file;
        EXPECT_EQ(out[11] | out[12] << 8, c.cy) << c.file;
        EXPECT_STREQ(reinterpret_cast<const char*>(out.data() + title), c.title) << c.file;
        const std::string face(reinterpret_cast<const char*>(out.data() + title + std::strlen(c.title) + 3));
        EXPECT_EQ(face, "MS Sans Serif") << c.file;
        for (std::size_t cut = 0; cut < hosted.size(); ++cut)
            EXPECT_FALSE(Win16PageTemplate(hosted.data(), static_cast<DWORD>(cut), out, title)) << c.file << " cut at " << cut;
    }
    std::vector<uint8_t> endless = Seed("dialog.bin");
    endless.resize(22);
    endless.insert(endless.end(), 600, 'A');  // a caption of 300 characters and no end
    std::vector<uint8_t> out;
    std::size_t title = 0;
    EXPECT_FALSE(Win16PageTemplate(endless.data(), static_cast<DWORD>(endless.size()), out, title));
}

}  // namespace

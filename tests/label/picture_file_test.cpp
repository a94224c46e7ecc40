// SPDX-License-Identifier: GPL-3.0-or-later
#include "label/picture_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

namespace zentavo {
namespace {

struct Picture {
    std::vector<std::uint8_t> rgb;
    RgbImage image;
    Picture(int w, int h) : rgb(static_cast<std::size_t>(w * h * 3)) {
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                std::uint8_t* p = &rgb[static_cast<std::size_t>((y * w + x) * 3)];
                p[0] = static_cast<std::uint8_t>(x);  // red
                p[1] = static_cast<std::uint8_t>(y);  // green
                p[2] = 200;                           // blue
            }
        }
        image = {rgb.data(), w, h, w * 3};
    }
};

std::uint32_t Le32(const std::string& s, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(s[at + i]);
    return v;
}

std::string Slurp(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

TEST(Bitmap, LabelSizedBitmapHasTheDocumentedLayout) {
    const Picture p(668, 464);
    const std::string bmp = EncodeBmp(p.image);
    EXPECT_EQ(bmp.size(), 929910u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(Le32(bmp, 2), 929910u);
    EXPECT_EQ(Le32(bmp, 10), 54u);
    EXPECT_EQ(Le32(bmp, 18), 668u);
    EXPECT_EQ(Le32(bmp, 22), 464u);
    EXPECT_EQ(static_cast<unsigned char>(bmp[28]), 24);  // bits per pixel
    EXPECT_EQ(Le32(bmp, 30), 0u);                        // uncompressed
    // Rows bottom-up, pixels as blue, green, red.
    const std::size_t lastRowFirstPixel = 54;
    EXPECT_EQ(static_cast<unsigned char>(bmp[lastRowFirstPixel]), 200);
    EXPECT_EQ(static_cast<unsigned char>(bmp[lastRowFirstPixel + 1]), 463 & 0xFF);
    EXPECT_EQ(static_cast<unsigned char>(bmp[lastRowFirstPixel + 2]), 0);
}

TEST(Bitmap, RowsArePaddedToFourBytes) {
    const Picture p(3, 2);  // 9 bytes of pixels a row, padded to 12
    EXPECT_EQ(EncodeBmp(p.image).size(), 54u + 2 * 12);
}

TEST(Jpeg, BaselineColourJpeg) {
    const Picture p(668, 464);
    const std::string jpg = EncodeJpeg(p.image);
    ASSERT_GT(jpg.size(), 100u);
    EXPECT_EQ(jpg.substr(0, 2), "\xFF\xD8");
    EXPECT_EQ(jpg.substr(jpg.size() - 2), "\xFF\xD9");
    const std::size_t sof = jpg.find("\xFF\xC0");  // baseline frame
    ASSERT_NE(sof, std::string::npos);
    EXPECT_EQ(jpg.find("\xFF\xC2"), std::string::npos);  // not progressive
    EXPECT_EQ(static_cast<unsigned char>(jpg[sof + 9]), 3);  // three components
}

TEST(Jpeg, LibraryFailureIsAnErrorNotAnExit) {
    const Picture p(8, 8);
    RgbImage bad = p.image;
    bad.width = 0;  // libjpeg refuses empty pictures
    EXPECT_THROW(EncodeJpeg(bad), PictureError);
}

class SavePicture : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/zentavo-pictures-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir = tmpl;
    }
    void TearDown() override { std::system(("rm -rf '" + dir + "'").c_str()); }
    std::vector<std::string> Files() {
        std::vector<std::string> names;
        FILE* ls = popen(("ls -A '" + dir + "'").c_str(), "r");
        char buf[512];
        while (fgets(buf, sizeof buf, ls)) names.emplace_back(buf);
        pclose(ls);
        return names;
    }
    std::string dir;
};

TEST_F(SavePicture, WritesAndReplaces) {
    const std::string path = dir + "/label.bmp";
    SavePictureFile(path, "first");
    SavePictureFile(path, "second");
    EXPECT_EQ(Slurp(path), "second");
    EXPECT_EQ(Files().size(), 1u);  // no temporary file left beside it
}

TEST_F(SavePicture, FailuresLeaveNoFileBehind) {
    struct Case {
        std::string path;
        std::string reason;
    } cases[] = {
        {dir + "/missing/label.bmp", "No such file or directory"},
        {dir, "Is a directory"},
        // A device is no picture file: refused, not written into.
        {"/dev/full", ""},
    };
    for (const Case& c : cases) {
        try {
            SavePictureFile(c.path, std::string(4096, 'x'));
            ADD_FAILURE() << c.path << ": no error";
        } catch (const PictureError& e) {
            const std::string expected = c.reason.empty()
                                             ? "\"" + c.path + "\" is not a regular file"
                                             : "Cannot create file \"" + c.path + "\". " + c.reason;
            EXPECT_EQ(std::string(e.what()), expected);
        }
    }
    EXPECT_TRUE(Files().empty());
}

TEST_F(SavePicture, AFailedSaveKeepsTheEarlierFile) {
    const std::string path = dir + "/label.jpg";
    SavePictureFile(path, "good picture");
    // A file size limit makes the write of a larger picture fail half-way,
    // as a full disk would.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    try {
        SavePictureFile(path, std::string(4096, 'x'));
        ADD_FAILURE() << "no error";
    } catch (const PictureError& e) {
        EXPECT_NE(std::string(e.what()).find("File too large"), std::string::npos) << e.what();
    }
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(Slurp(path), "good picture");
    EXPECT_EQ(Files().size(), 1u);
}

}  // namespace
}  // namespace zentavo

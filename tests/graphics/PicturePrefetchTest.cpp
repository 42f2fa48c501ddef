// Pictures decoded ahead: what a texture load takes is what it would have
// decoded itself, a failure stays the load's own to report, and the current
// directory may change while the workers decode.
#include <gtest/gtest.h>

#include <cstring>

#include "graphics/PicturePrefetch.h"
#include "graphics/Texture.h"
#include "platform/CurrentDirGuard.h"

#include "ImageFixtures.h"

namespace {

class PicturePrefetchTest : public ::testing::Test {
protected:
    void SetUp() override { Texture::deleteAll(); }
    void TearDown() override {
        picture_prefetch::dropUntaken();
        Texture::deleteAll();
    }
    // A 300 x 200 RGB picture, rounded to 256 x 128 for a texture.
    std::string picture(const std::string& name) {
        const std::string path = dir.file(name);
        fixtures::writeFile(path, fixtures::makeSgi(300, 200, 3, [](int x, int y, int z) {
                                return (x * 3 + y * 7 + z * 50) & 255;
                            }));
        return path;
    }
    orvextest::TempDir dir;
};

bool samePixels(const Image& a, const Image& b) {
    return a.getWidth() == b.getWidth() && a.getHeight() == b.getHeight() &&
           a.getComponents() == b.getComponents() && a.hasPixels() && b.hasPixels() &&
           std::memcmp(a.getPixels(), b.getPixels(),
                       size_t(a.getWidth()) * size_t(a.getHeight()) * size_t(a.getComponents())) ==
               0;
}

} // namespace

TEST_F(PicturePrefetchTest, ATakenPictureIsTheOneALoadDecodesAndIsTakenOnce) {
    const std::string path = picture("map.rgb");
    Image own;
    ASSERT_EQ(own.load(path, 0), 1);
    own.makePowerOfTwo();

    picture_prefetch::request({path, path});
    EXPECT_EQ(picture_prefetch::pending(), 1);
    EXPECT_EQ(picture_prefetch::take(dir.file("other.rgb")), nullptr);
    const std::unique_ptr<Image> taken = picture_prefetch::take(path);
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ(taken->getWidth(), 256);
    EXPECT_EQ(taken->getHeight(), 128);
    EXPECT_TRUE(samePixels(*taken, own));
    EXPECT_EQ(picture_prefetch::take(path), nullptr);
    EXPECT_EQ(picture_prefetch::pending(), 0);

    // A texture load takes its picture from the prefetch.
    picture_prefetch::request({path});
    Texture texture;
    ASSERT_EQ(texture.load(path, 0), 1);
    EXPECT_EQ(texture.getWidth(), 256);
    EXPECT_EQ(picture_prefetch::pending(), 0);
}

TEST_F(PicturePrefetchTest, AFailureIsReportedOnceByTheLoadNotByTheWorker) {
    const std::string damaged = dir.file("damaged.png");
    fixtures::writeFile(damaged, fixtures::Bytes{0x89, 'P', 'N', 'G', 1, 2, 3});
    const std::string missing = dir.file("missing.jpg");
    LogCapture log;
    picture_prefetch::request({damaged, missing});
    EXPECT_EQ(picture_prefetch::take(damaged), nullptr);
    EXPECT_EQ(picture_prefetch::take(missing), nullptr);
    EXPECT_TRUE(log.messages().empty()) << log.messages().front();

    picture_prefetch::request({damaged});
    Texture texture;
    EXPECT_EQ(texture.load(damaged, 0), 0);
    EXPECT_EQ(log.messages().size(), 1u);
    EXPECT_TRUE(log.contains("damaged.png"));
}

TEST_F(PicturePrefetchTest, TheCurrentDirectoryMayChangeWhileTheWorkersDecode) {
    picture("a.rgb");
    orvextest::TempDir elsewhere;
    {
        platform::CurrentDirGuard inDir(dir.path());
        picture_prefetch::request({"a.rgb"});
    }
    {
        // The same relative name elsewhere is another file.
        platform::CurrentDirGuard inElsewhere(elsewhere.path());
        EXPECT_EQ(picture_prefetch::take("a.rgb"), nullptr);
    }
    const std::unique_ptr<Image> taken = picture_prefetch::take(dir.file("a.rgb"));
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ(taken->getWidth(), 256);

    picture_prefetch::request({dir.file("a.rgb")});
    picture_prefetch::dropUntaken();
    EXPECT_EQ(picture_prefetch::pending(), 0);
    EXPECT_EQ(picture_prefetch::take(dir.file("a.rgb")), nullptr);
}

// Pictures made ahead on a thread: each is made once, whoever asks first; one asked for while the
// thread makes it is waited for; an end before the thread is done waits for the picture in hand.
#include "platform/forms/PicturesAhead.h"
#include <gtest/gtest.h>
#include <atomic>
#include <chrono>
#include <future>
#include <memory>

namespace {

constexpr auto kDeadline = std::chrono::seconds(60);

QImage Filled(int shade)
{
    QImage picture(4, 4, QImage::Format_ARGB32);
    picture.fill(QColor(shade, shade, shade));
    return picture;
}

int ShadeOf(const QImage& picture)
{
    return picture.isNull() ? -1 : qRed(picture.pixel(0, 0));
}

// Makers that count their calls; the first waits until it is let go.
struct CountedMakers {
    std::vector<std::atomic<int>> calls = std::vector<std::atomic<int>>(5);
    std::promise<void> firstStarted, letGo;
    std::shared_future<void> released = letGo.get_future().share();

    std::vector<std::function<QImage()>> Makers()
    {
        std::vector<std::function<QImage()>> makers;
        for (int i = 0; i < 5; ++i)
            makers.push_back([this, i] {
                if (++calls[static_cast<std::size_t>(i)] == 1 && i == 0) {
                    firstStarted.set_value();
                    released.wait();
                }
                return Filled(10 * (i + 1));
            });
        return makers;
    }
};

} // namespace

TEST(PicturesAhead, EachIsMadeOnceWhoeverAsksFirst)
{
    CountedMakers counted;
    TPicturesAhead ahead(counted.Makers());
    ASSERT_EQ(ahead.Count(), 5u);
    // The thread is held in the first picture: the last ones are the asker's to make.
    ASSERT_EQ(counted.firstStarted.get_future().wait_for(kDeadline), std::future_status::ready);
    EXPECT_EQ(ShadeOf(ahead.Picture(4)), 50);
    EXPECT_EQ(ShadeOf(ahead.Picture(3)), 40);
    // The first is being made: asking waits for it instead of making it again.
    auto asked = std::async(std::launch::async, [&] { return ShadeOf(ahead.Picture(0)); });
    EXPECT_EQ(asked.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);
    counted.letGo.set_value();
    ASSERT_EQ(asked.wait_for(kDeadline), std::future_status::ready);
    EXPECT_EQ(asked.get(), 10);
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_EQ(ShadeOf(ahead.Picture(i)), 10 * static_cast<int>(i + 1));
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_EQ(counted.calls[i], 1) << "picture " << i;
    EXPECT_TRUE(ahead.Picture(5).isNull());
}

TEST(PicturesAhead, AnEndBeforeTheThreadIsDoneWaitsForThePictureInHand)
{
    CountedMakers counted;
    auto ahead = std::make_unique<TPicturesAhead>(counted.Makers());
    ASSERT_EQ(counted.firstStarted.get_future().wait_for(kDeadline), std::future_status::ready);
    auto ended = std::async(std::launch::async, [&] { ahead.reset(); });
    EXPECT_EQ(ended.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);
    counted.letGo.set_value();
    ASSERT_EQ(ended.wait_for(kDeadline), std::future_status::ready);
    EXPECT_EQ(counted.calls[0], 1);
    for (std::size_t i = 1; i < 5; ++i)
        EXPECT_EQ(counted.calls[i], 0) << "made after the end: " << i;
}

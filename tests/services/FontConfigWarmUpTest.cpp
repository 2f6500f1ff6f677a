// The font configuration loaded ahead on a thread: waiting for it is safe at any point, more than
// once, and a process that ends before it waited (a second copy that hands over and quits) ends
// cleanly; the configuration the program then uses lists the fonts it draws with. The toolkit's
// font list made on a thread is the one text measured meanwhile finds.
#include "platform/services/FontConfigWarmUp.h"
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QStringList>
#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

TEST(FontConfigWarmUp, WaitingTwiceOrNotAtAllEndsCleanly)
{
    {
        TFontConfigWarmUp unwaited;
    }
    TFontConfigWarmUp warmUp;
    warmUp.Wait();
    warmUp.Wait();
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("Liberation Sans"));
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* fonts = FcFontList(nullptr, pattern, objects);
    ASSERT_NE(fonts, nullptr);
    EXPECT_GT(fonts->nfont, 0) << "the loaded configuration lists no Liberation Sans";
    FcFontSetDestroy(fonts);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
}

TEST(FontConfigWarmUp, TextMeasuredWhileTheListIsMadeFindsTheSystemsFonts)
{
    TFontConfigWarmUp warmUp;
    warmUp.Wait();
    QStringList whileMade;
    int width = 0;
    QString family;
    {
        TFontListWarmUp list;
        const QFont font("Liberation Sans", 9);
        width = QFontMetrics(font).horizontalAdvance("Uutiset");
        family = QFontInfo(font).family();
        whileMade = QFontDatabase::families();
    }
    EXPECT_GT(width, 0);
    EXPECT_EQ(family, "Liberation Sans");
    EXPECT_TRUE(whileMade.contains("Liberation Sans"));
    EXPECT_EQ(whileMade, QFontDatabase::families());
}

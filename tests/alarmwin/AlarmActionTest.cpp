#include "alarms/AlarmAction.h"
#include <gtest/gtest.h>

TEST(AlarmAction, WritesTokensInOrderWithOneBlankEach)
{
    AlarmActions actions;
    actions.NoticeType = AlarmNoticeTypes[niNormal];
    actions.Beeps = true;
    actions.BeepCount = "3";
    EXPECT_EQ(AlarmActionString(actions), "#NRM #SHD:Normaali ilmoitus n\xE4yt\xF6lle #PCS3 ");

    actions.NoticeType = AlarmNoticeTypes[niFullScreen];
    actions.SoundFile = "/home/u/Hälytys.wav"_a;
    actions.Program = "/usr/bin/xmessage";
    EXPECT_EQ(AlarmActionString(actions), "#NRM #SHD:Koko ruudun ilmoitus n\xE4yt\xF6lle #PCS3 "
                                          "#WV:\"/home/u/H\xE4lytys.wav\" #EX:\"/usr/bin/xmessage\" ");

    actions.Beeps = false;
    actions.NoticeType = AlarmNoticeTypes[niExtrasOnly];
    EXPECT_EQ(AlarmActionString(actions), "#NRM #SHD:Vain lis\xE4" "asetukset "
                                          "#WV:\"/home/u/H\xE4lytys.wav\" #EX:\"/usr/bin/xmessage\" ");
}

TEST(AlarmAction, PathsOfThreeCharactersOrFewerAreLeftOut)
{
    AlarmActions actions;
    actions.NoticeType = "0";
    actions.SoundFile = "0";
    actions.Program = "/ab";
    EXPECT_EQ(AlarmActionString(actions), "#NRM #SHD:0 ");
    actions.Program = "/abc";
    EXPECT_EQ(AlarmActionString(actions), "#NRM #SHD:0 #EX:\"/abc\" ");
}

TEST(AlarmAction, ReadsBackWhatItWrites)
{
    for (int type = 0; type < 3; ++type) {
        for (bool beeps : {false, true}) {
            AlarmActions written;
            written.NoticeType = AlarmNoticeTypes[type];
            written.Beeps = beeps;
            written.BeepCount = beeps ? "7" : "";
            written.SoundFile = type == 1 ? "/s/tune #EX:.mid" : "";
            written.Program = "/opt/run me";
            AlarmActionFields read = ReadAlarmActionString(AlarmActionString(written));
            EXPECT_EQ(read.NoticeIndex, type);
            EXPECT_EQ(read.Actions.NoticeType, written.NoticeType);
            EXPECT_EQ(read.Actions.Beeps, beeps);
            EXPECT_EQ(read.Actions.BeepCount, written.BeepCount);
            EXPECT_EQ(read.Actions.SoundFile, written.SoundFile);
            EXPECT_EQ(read.Actions.Program, written.Program);
        }
    }
}

TEST(AlarmAction, ReadsRowsThatNoEntryNamesOrThatAreCutShort)
{
    // The default settings store the type "0".
    AlarmActionFields fields = ReadAlarmActionString("#NRM #SHD:0 #PCS3 ");
    EXPECT_EQ(fields.NoticeIndex, -1);
    EXPECT_EQ(fields.Actions.NoticeType, "0");
    EXPECT_EQ(fields.Actions.BeepCount, "3");

    fields = ReadAlarmActionString("#NRM #SHD:Nonsense");
    EXPECT_EQ(fields.NoticeIndex, niNormal);
    EXPECT_EQ(fields.Actions.NoticeType, "Nonsense");

    fields = ReadAlarmActionString("#NRM #SHD:V #PCS");
    EXPECT_EQ(fields.NoticeIndex, niExtrasOnly);
    EXPECT_TRUE(fields.Actions.Beeps);
    EXPECT_EQ(fields.Actions.BeepCount, "");

    // The blank that ends the string is no part of the type; a type cut short keeps its last letter.
    fields = ReadAlarmActionString("#NRM #SHD:Vain lisäasetukset "_a);
    EXPECT_EQ(fields.Actions.NoticeType, AlarmNoticeTypes[niExtrasOnly]);
    fields = ReadAlarmActionString("#NRM #SHD:Vain lisäasetukset"_a);
    EXPECT_EQ(fields.Actions.NoticeType, AlarmNoticeTypes[niExtrasOnly]);
    // One digit of beeps, also when more follow.
    EXPECT_EQ(ReadAlarmActionString("#NRM #SHD:0 #PCS12 ").Actions.BeepCount, "1");

    fields = ReadAlarmActionString("#NRM #SHD:K #WV:\"/cut/short");
    EXPECT_EQ(fields.Actions.SoundFile, "/cut/short");
    EXPECT_EQ(fields.Actions.Program, "");

    fields = ReadAlarmActionString("");
    EXPECT_EQ(fields.NoticeIndex, -1);
    EXPECT_FALSE(fields.Actions.Beeps);
    EXPECT_EQ(AlarmActionPath("#EX:no quote", "#EX:"), "");
}

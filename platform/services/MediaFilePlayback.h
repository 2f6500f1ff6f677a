// Inside the sound module: a sound file played through Qt Multimedia.
#pragma once
#include "platform/services/MediaEngine.h"

MediaFilePlayer* NewMediaFilePlayback();

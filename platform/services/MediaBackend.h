// Chooses Qt Multimedia's backend before its first use.
#pragma once

// Prefers the FFmpeg backend unless the user chose one with QT_MEDIA_BACKEND: it ships with Qt,
// decodes without extra system plug-ins and tells at once when a file can't be played.
void PreferMediaBackend();
